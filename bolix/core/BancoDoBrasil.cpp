#include "BancosConhecidos.h"
#include "Digitos.h"

namespace bolix {

namespace {

class BancoDoBrasil : public RegraBanco {
public:
    QString codigo() const override { return QStringLiteral("001"); }
    QString nome() const override { return QStringLiteral("BANCO DO BRASIL S.A."); }

    void normalizaConta(const Conta &e, ContaConfigurada &c) const override {
        const QString comX = QStringLiteral("0123456789X");
        const auto agencia = separaDigito(QStringLiteral("CodigoAgencia"), e.codigoAgencia, 4, true, comX);
        c.agencia = agencia.numero;
        c.dvAgencia = confereDigito(QStringLiteral("CodigoAgencia"), e.codigoAgencia, agencia.digito,
                                    modulo11BancoDoBrasil(agencia.numero));
        const auto conta =
            separaDigito(QStringLiteral("NumeroContaCorrente"), e.numeroContaCorrente, 8, true, comX);
        c.conta = conta.numero;
        c.dvConta = confereDigito(QStringLiteral("NumeroContaCorrente"), e.numeroContaCorrente, conta.digito,
                                  modulo11BancoDoBrasil(conta.numero));
        const int tamanho = c.configuracao.tamanhoConvenio;
        c.cedente = separaDigito(QStringLiteral("CodigoCedente"), e.codigoCedente, tamanho, true, {}).numero;
        if (tamanho == 7 && c.cedente.startsWith(u'0'))
            recusaConta(QStringLiteral("CodigoCedente"), e.codigoCedente,
                        QStringLiteral("um convênio de 7 dígitos vai de 1000000 a 9999999"));
    }

    int larguraSequencia(const ContaConfigurada &c) const override {
        if (c.configuracao.nossoNumeroLivre)
            return 17;
        return c.configuracao.tamanhoConvenio == 4 ? 7 : c.configuracao.tamanhoConvenio == 6 ? 5 : 10;
    }

    // Convênios of 4 and 6 digits prefix the sequence and add a digit; 7 digits and the free 17 add none.
    NossoNumero nossoNumero(const ContaConfigurada &c, const QString &sequencia,
                            const Documento &) const override {
        NossoNumero nn;
        const QString prefixo = c.configuracao.nossoNumeroLivre ? QString() : c.cedente;
        nn.numero = prefixo + zerosEsquerda(sequencia, larguraSequencia(c));
        nn.impresso = nn.numero;
        if (nn.numero.size() == 11) {
            nn.digito = modulo11BancoDoBrasil(nn.numero);
            nn.impresso += u'-' + nn.digito;
        }
        nn.campoCnab = nn.numero + nn.digito;
        return nn;
    }

    // Without the closing "21" the bank would read a free number as the 11-digit layout.
    QString campoLivre(const ContaConfigurada &c, const NossoNumero &nn) const override {
        if (c.configuracao.nossoNumeroLivre)
            return c.cedente + nn.numero + QStringLiteral("21");
        if (c.configuracao.tamanhoConvenio == 7)
            return QStringLiteral("000000") + nn.numero + c.configuracao.carteira;
        return nn.numero + c.agencia + c.conta + c.configuracao.carteira;
    }

    QString beneficiarioImpresso(const ContaConfigurada &c) const override {
        return comDigito(c.agencia, c.dvAgencia) + QStringLiteral(" / ") + comDigito(c.conta, c.dvConta);
    }

    // Convênio (9), the fixed "0014" of cobrança, carteira and its variation.
    QString convenioCnab(const ContaConfigurada &c) const override {
        const QString variacao =
            c.configuracao.variacao.isEmpty() ? QStringLiteral("000") : c.configuracao.variacao;
        return zerosEsquerda(c.cedente, 9) + QStringLiteral("0014") + c.configuracao.carteira + variacao;
    }

    // The return's 33-52 holds the same four parts, and the bank may leave carteira and variação blank:
    // each is compared on its own ("0014" is fixed and says nothing of the account).
    ContaDoRetorno contaDoRetorno240(const ContaConfigurada &c) const override {
        const ContaDoArquivo240 a = contaDoArquivo240(c);
        return {{QStringLiteral("agência"), {53, 57}, a.agencia},
                {QStringLiteral("conta"), {59, 70}, a.conta, true},
                {QStringLiteral("convênio"), {33, 41}, a.convenio.mid(0, 9), true},
                {QStringLiteral("carteira"), {46, 47}, a.convenio.mid(13, 2)},
                {QStringLiteral("variação da carteira"), {48, 50}, a.convenio.mid(15, 3)}};
    }
};

} // namespace

const RegraBanco &bancoDoBrasil() {
    static const BancoDoBrasil banco;
    return banco;
}

} // namespace bolix
