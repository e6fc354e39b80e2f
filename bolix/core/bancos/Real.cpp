#include "bolix/core/Digitos.h"
#include "bolix/core/bancos/BancosConhecidos.h"

namespace bolix {

namespace {

// Banco Real: the nosso número has no digit of its own; the campo livre carries the "dígitão".
class Real : public RegraBanco {
public:
    QString codigo() const override { return QStringLiteral("356"); }
    QString nome() const override { return QStringLiteral("BANCO REAL"); }

    void normalizaConta(const Conta &e, ContaConfigurada &c) const override {
        agenciaEContaInformadas(e, c, 4, 7);
        c.cedente = separaDigito(QStringLiteral("CodigoCedente"), e.codigoCedente, 20, false, {}).numero;
    }

    int larguraSequencia(const ContaConfigurada &) const override { return 13; }

    NossoNumero nossoNumero(const ContaConfigurada &, const QString &sequencia,
                            const Documento &) const override {
        NossoNumero nn;
        nn.numero = zerosEsquerda(sequencia, 13);
        nn.impresso = nn.numero;
        nn.campoCnab = nn.numero;
        return nn;
    }

    QString campoLivre(const ContaConfigurada &c, const NossoNumero &nn) const override {
        const int digitao = modulo10(QString(nn.numero + c.agencia + c.conta));
        return c.agencia + c.conta + QString::number(digitao) + nn.numero;
    }
};

} // namespace

const RegraBanco &real() {
    static const Real banco;
    return banco;
}

} // namespace bolix
