#include "BancosConhecidos.h"
#include "Digitos.h"
#include "ErroBolix.h"

namespace bolix {

namespace {

class Bradesco : public RegraBanco {
public:
    QString codigo() const override { return QStringLiteral("237"); }
    QString nome() const override { return QStringLiteral("BRADESCO"); }

    void normalizaConta(const Conta &e, ContaConfigurada &c) const override {
        agenciaEContaInformadas(e, c, 4, 7, QStringLiteral("0123456789P"));
        // The CNAB 400 file names the company by its 20-digit code and its account with the digit.
        const bool cnab400 = c.configuracao.layout == 400;
        c.cedente = separaDigito(QStringLiteral("CodigoCedente"), e.codigoCedente, 20, cnab400, {}).numero;
        if (cnab400 && c.dvConta.isEmpty())
            recusaConta(QStringLiteral("NumeroContaCorrente"), e.numeroContaCorrente,
                        QStringLiteral("o CNAB 400 do Bradesco pede o dígito da conta após \"-\""));
    }

    int larguraSequencia(const ContaConfigurada &) const override { return 11; }

    NossoNumero nossoNumero(const ContaConfigurada &c, const QString &sequencia,
                            const Documento &) const override {
        NossoNumero nn;
        nn.numero = zerosEsquerda(sequencia, 11);
        nn.digito = modulo11Bradesco(c.configuracao.carteira + nn.numero);
        nn.impresso = c.configuracao.carteira + u'/' + nn.numero + u'-' + nn.digito;
        nn.campoCnab = nn.numero + nn.digito;
        return nn;
    }

    QString campoLivre(const ContaConfigurada &c, const NossoNumero &nn) const override {
        return c.agencia + c.configuracao.carteira + nn.numero + c.conta + u'0';
    }
};

} // namespace

const RegraBanco &bradesco() {
    static const Bradesco banco;
    return banco;
}

} // namespace bolix
