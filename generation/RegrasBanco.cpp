#include "generation/RegrasBanco.h"

#include "config/IniFile.h"
#include "generation/MeusDados.h"
#include "util/Rotinas.h"

namespace {

const QString secao = QStringLiteral("Ruvenal");

// A whole number as the management system reads one; anything else counts as 0.
qint64 inteiroOuZero(const QString &texto) {
    bool ok = false;
    const qint64 n = texto.trimmed().toLongLong(&ok);
    return ok ? n : 0;
}

enum class ValorDoDado { Fixo, CodigoConta };

// What each bank adds to a document; a bank missing here adds nothing.
struct DadosDeBanco {
    const char *banco;
    const char *nome;
    ValorDoDado tipoValor;
    const char *valor;
    const char *aceite;  // nullptr: not set
    bool emiteBoleto;    // BancoEmiteBoleto := true
    bool numeroControle; // NumeroControle := the document number
};

constexpr DadosDeBanco tabelaDados[] = {
    {"11", "TipoDocumentoEscritural", ValorDoDado::Fixo, "2", nullptr, true, false},
    {"756", "CodigoConvenioLider", ValorDoDado::CodigoConta, nullptr, "0", true, false},
    {"104", "FormaCadastramento", ValorDoDado::Fixo, "1", nullptr, false, true},
};

// The width of the per-client nosso número; 756 has its composite number instead.
int larguraPorCliente(const QString &banco) {
    return banco == u"11" ? 10 : 8;
}

void nossoNumeroSicoob(const boleto::ObjetoBolix &doc, const InstalacaoBanco &inst, qint64 n,
                       const IniFile &ini) {
    doc.set(QStringLiteral("NossoNumero"),
            NossoNumeroSicoob(
                inst.carteira,
                ini.lerTexto(secao, QStringLiteral("identificacao_empresa"), QStringLiteral("0")), n));
}

// The component's bank is Banco do Brasil; the rule does not care how the number is typed.
bool componenteEhBancoDoBrasil(const boleto::ObjetoBolix &bolix) {
    const automation::Variant numero = bolix.get(QStringLiteral("NumeroBanco"));
    if (numero.type() == automation::Variant::Type::Text)
        return numero.toText().trimmed() == u"001";
    return numero.toInt() == 1;
}

} // namespace

QString ComDigitos(qint64 n, int digitos) {
    const QString numero = QString::number(n < 0 ? -n : n);
    return (n < 0 ? QStringLiteral("-") : QString()) + PreencheEsquerda(numero, QStringLiteral("0"), digitos);
}

QString CodigoContaSicoob(const QString &contaCorrente) {
    return ComDigitos(inteiroOuZero(SoNumeros(contaCorrente)), 9).left(9);
}

QString NossoNumeroSicoob(const QString &carteira, const QString &identificacaoEmpresa, qint64 n) {
    const QString digitos = ComDigitos(inteiroOuZero(carteira), 4).left(4) +
                            ComDigitos(inteiroOuZero(identificacaoEmpresa), 10).left(10) +
                            ComDigitos(n, 7).left(7);
    return ComDigitos(n, 7) + DigitoModulo(digitos, QStringLiteral("3197"), 11, false);
}

void DadosDoBanco(const boleto::ObjetoBolix &doc, const QString &banco, const QString &numeroDocumento,
                  const IniFile &ini) {
    for (const DadosDeBanco &d : tabelaDados) {
        if (banco != QLatin1String(d.banco))
            continue;
        const QString valor =
            d.tipoValor == ValorDoDado::Fixo
                ? QLatin1String(d.valor)
                : CodigoContaSicoob(ini.lerTexto(secao, QStringLiteral("conta_corrente"), QString()));
        AdicionaMeusDados(doc, QLatin1String(d.nome), valor);
        if (d.aceite)
            doc.set(QStringLiteral("Aceite"), QString::fromLatin1(d.aceite));
        if (d.emiteBoleto)
            doc.set(QStringLiteral("BancoEmiteBoleto"), true);
        if (d.numeroControle)
            doc.set(QStringLiteral("NumeroControle"), numeroDocumento);
        return;
    }
}

void NossoNumeroPorCliente(const boleto::ObjetoBolix &doc, const InstalacaoBanco &inst, qint64 n,
                           const IniFile &ini) {
    if (inst.banco == u"756") {
        nossoNumeroSicoob(doc, inst, n, ini);
        AdicionaMeusDados(doc, QStringLiteral("BancoDistribuiBoleto"), QStringLiteral("S"));
        return;
    }
    doc.set(QStringLiteral("NossoNumero"), ComDigitos(n, larguraPorCliente(inst.banco)));
}

void NossoNumeroPorEmpresa(const boleto::ObjetoBolix &bolix, const boleto::ObjetoBolix &doc,
                           const InstalacaoBanco &inst, qint64 n, const IniFile &ini) {
    // Each test asks the component anew.
    if (componenteEhBancoDoBrasil(bolix) && inst.banco == u"11")
        doc.set(QStringLiteral("NossoNumero"), ComDigitos(n, 10));
    else if (componenteEhBancoDoBrasil(bolix))
        doc.set(QStringLiteral("NossoNumero"), ComDigitos(n, 5));
    else if (inst.banco == u"756")
        nossoNumeroSicoob(doc, inst, n, ini);
    else
        doc.set(QStringLiteral("NossoNumero"), ComDigitos(n, 8));
}
