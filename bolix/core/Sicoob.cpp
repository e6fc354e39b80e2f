#include "BancosConhecidos.h"
#include "Digitos.h"

namespace bolix {

namespace {

class Sicoob : public RegraBanco {
public:
    QString codigo() const override { return QStringLiteral("756"); }
    QString nome() const override { return QStringLiteral("SICOOB"); }

    // The client code stays digits only: the program reads it back as a whole number.
    void normalizaConta(const Conta &e, ContaConfigurada &c) const override {
        agenciaEContaInformadas(e, c, 4, 12);
        c.cedente = separaDigito(QStringLiteral("CodigoCedente"), soDigitos(e.codigoCedente), 7, true).numero;
    }

    int larguraSequencia(const ContaConfigurada &) const override { return 7; }

    // Callers hand the sequence over with their own check digit appended; the digit is recomputed
    // from the cooperative and client code, as the bank checks it.
    QString sequenciaInformada(const QString &digitos) const override {
        return digitos.size() >= 8 ? digitos.left(digitos.size() - 1) : digitos;
    }

    NossoNumero nossoNumero(const ContaConfigurada &c, const QString &sequencia,
                            const Documento &) const override {
        NossoNumero nn;
        nn.numero = zerosEsquerda(sequencia, 7);
        nn.digito =
            QString::number(modulo11Sicoob(QString(c.agencia + zerosEsquerda(c.cedente, 10) + nn.numero)));
        nn.impresso = nn.numero + u'-' + nn.digito;
        nn.campoCnab = zerosEsquerda(QString(nn.numero + nn.digito), 10) + QStringLiteral("01") +
                       c.configuracao.modalidade + QStringLiteral("4") + QString(5, u' ');
        return nn;
    }

    QString beneficiarioImpresso(const ContaConfigurada &c) const override {
        return comDigito(c.agencia, c.dvAgencia) + u'/' + comDigito(c.cedente, c.dvCedente);
    }

    QString campoLivre(const ContaConfigurada &c, const NossoNumero &nn) const override {
        return c.configuracao.carteira + c.agencia + c.configuracao.modalidade + c.cedente + nn.numero +
               nn.digito + QStringLiteral("001");
    }
};

} // namespace

const RegraBanco &sicoob() {
    static const Sicoob banco;
    return banco;
}

} // namespace bolix
