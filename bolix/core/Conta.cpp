#include "bolix/core/Conta.h"

#include "bolix/core/Digitos.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/bancos/Bancos.h"

namespace bolix {

namespace {

// Range limits fit an unsigned 64-bit number; 18 digits keep every sum below its top.
std::uint64_t limiteNossoNumero(const QString &membro, const QString &valor) {
    if (!soTemDigitos(valor) || semZerosEsquerda(valor).size() > 18)
        recusaConta(membro, valor, QStringLiteral("informe um número inteiro de até 18 dígitos"));
    return valor.toULongLong();
}

void configuraFaixa(Conta &conta, ContaConfigurada &c) {
    conta.inicioNossoNumero = conta.inicioNossoNumero.trimmed();
    conta.fimNossoNumero = conta.fimNossoNumero.trimmed();
    c.inicioNossoNumero = limiteNossoNumero(QStringLiteral("InicioNossoNumero"), conta.inicioNossoNumero);
    c.fimNossoNumero = conta.fimNossoNumero.isEmpty()
                           ? UINT64_MAX
                           : limiteNossoNumero(QStringLiteral("FimNossoNumero"), conta.fimNossoNumero);
    if (c.inicioNossoNumero > c.fimNossoNumero)
        recusaConta(QStringLiteral("InicioNossoNumero"), conta.inicioNossoNumero,
                    QStringLiteral("maior que FimNossoNumero %1").arg(conta.fimNossoNumero));
}

void configuraOutrosDados(Conta &conta, ContaConfigurada &c) {
    QString aceite = conta.outroDadoConfiguracao1.trimmed().toUpper();
    if (aceite.isEmpty())
        aceite = QStringLiteral("A");
    if (aceite != u"A" && aceite != u"N")
        recusaConta(QStringLiteral("OutroDadoConfiguracao1"), conta.outroDadoConfiguracao1,
                    QStringLiteral("use A (aceite) ou N (não aceite)"));
    conta.outroDadoConfiguracao1 = aceite;
    c.aceite = aceite[0];

    const QString convenio = conta.outroDadoConfiguracao2.trimmed().toUpper();
    if (convenio.size() > 20)
        recusaConta(QStringLiteral("OutroDadoConfiguracao2"), conta.outroDadoConfiguracao2,
                    QStringLiteral("o código do convênio nos arquivos tem até 20 caracteres"));
    conta.outroDadoConfiguracao2 = convenio;
    c.convenioArquivo = convenio;
}

} // namespace

QString comDigito(const QString &numero, const QString &digito) {
    return digito.isEmpty() ? numero : numero + u'-' + digito;
}

void recusaConta(const QString &membro, const QString &valor, const QString &motivo) {
    throw ErroBolix(textoInvalido(membro, valor, motivo));
}

QString valorDe(const QList<DadoNomeValor> &dados, QStringView nome) {
    for (auto i = dados.crbegin(); i != dados.crend(); ++i)
        if (i->nome.compare(nome, Qt::CaseInsensitive) == 0)
            return i->valor;
    return {};
}

NumeroComDigito separaDigito(const QString &membro, const QString &valor, int largura, bool obrigatorio,
                             const QString &digitosAceitos) {
    QString limpo = valor;
    limpo.remove(u' ').remove(u'.');
    limpo = limpo.toUpper();
    const qsizetype traco = limpo.lastIndexOf(u'-');
    NumeroComDigito r;
    r.numero = traco < 0 ? limpo : limpo.left(traco);
    if (traco >= 0) {
        r.digito = limpo.mid(traco + 1);
        if (r.digito.size() != 1 || !digitosAceitos.contains(r.digito))
            recusaConta(membro, valor, QStringLiteral("dígito verificador \"%1\" não aceito").arg(r.digito));
    }
    if (r.numero.isEmpty()) {
        if (obrigatorio || !r.digito.isEmpty())
            recusaConta(membro, valor, QStringLiteral("não informado"));
        return r;
    }
    if (!soTemDigitos(r.numero))
        recusaConta(membro, valor, QStringLiteral("use só dígitos, com o dígito verificador após \"-\""));
    if (semZerosEsquerda(r.numero).size() > largura)
        recusaConta(membro, valor, QStringLiteral("até %1 dígitos").arg(largura));
    r.numero = zerosEsquerda(semZerosEsquerda(r.numero), largura);
    return r;
}

void agenciaEContaInformadas(const Conta &e, ContaConfigurada &c, int larguraAgencia, int larguraConta,
                             const QString &digitosAceitos) {
    const auto agencia =
        separaDigito(QStringLiteral("CodigoAgencia"), e.codigoAgencia, larguraAgencia, true, digitosAceitos);
    c.agencia = agencia.numero;
    c.dvAgencia = agencia.digito;
    const auto conta = separaDigito(QStringLiteral("NumeroContaCorrente"), e.numeroContaCorrente,
                                    larguraConta, true, digitosAceitos);
    c.conta = conta.numero;
    c.dvConta = conta.digito;
}

QString confereDigito(const QString &membro, const QString &valor, const QString &informado,
                      const QString &calculado) {
    if (!informado.isEmpty() && informado != calculado)
        recusaConta(membro, valor, QStringLiteral("o dígito verificador é %1").arg(calculado));
    return calculado;
}

QString RegraBanco::convenioCnab(const ContaConfigurada &conta) const {
    return conta.cedente;
}

ContaConfigurada configuraConta(Conta &conta, const ConfiguracaoBolix &configuracao) {
    const RegraBanco &banco = regraDoBanco(configuracao.banco);
    ContaConfigurada c;
    c.configuracao = configuracao;
    const bool cedenteDoArquivo = !configuracao.codigoBeneficiario.isEmpty();
    Conta saida = conta;
    if (cedenteDoArquivo) {
        banco.confereCodigoBeneficiario(conta.codigoCedente, configuracao.codigoBeneficiario);
        saida.codigoCedente = configuracao.codigoBeneficiario;
    }
    banco.normalizaConta(saida, c);
    configuraFaixa(saida, c);
    configuraOutrosDados(saida, c);
    c.localPagamento = saida.localPagamento;
    c.naoUsarFatorVencimento = saida.naoUsarFatorVencimento;

    saida.codigoAgencia = comDigito(c.agencia, c.dvAgencia);
    saida.numeroContaCorrente = comDigito(c.conta, c.dvConta);
    saida.codigoCedente =
        cedenteDoArquivo ? conta.codigoCedente.trimmed() : comDigito(c.cedente, c.dvCedente);
    conta = saida;
    return c;
}

} // namespace bolix
