#include "BancosConhecidos.h"
#include "Digitos.h"

namespace bolix {

namespace {

class Bradesco : public RegraBanco {
public:
    QString codigo() const override { return QStringLiteral("237"); }
    QString nome() const override { return QStringLiteral("BRADESCO"); }

    void normalizaConta(const Conta &e, ContaConfigurada &c) const override {
        agenciaEContaInformadas(e, c, 4, 7, QStringLiteral("0123456789P"));
        c.cedente = separaDigito(QStringLiteral("CodigoCedente"), e.codigoCedente, 20, false, {}).numero;
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
