#include "BancosConhecidos.h"
#include "Digitos.h"

namespace bolix {

namespace {

// Caixa's SIGCB: a 6-digit código do beneficiário and a 17-digit nosso número starting with 14
// (registered, issued by the payee).
class Caixa : public RegraBanco {
public:
    QString codigo() const override { return QStringLiteral("104"); }
    QString nome() const override { return QStringLiteral("CAIXA ECONOMICA FEDERAL"); }

    void normalizaConta(const Conta &e, ContaConfigurada &c) const override {
        agenciaEContaInformadas(e, c, 4, 12);
        const auto cedente = separaDigito(QStringLiteral("CodigoCedente"), e.codigoCedente, 6, true);
        c.cedente = cedente.numero;
        c.dvCedente = confereDigito(QStringLiteral("CodigoCedente"), e.codigoCedente, cedente.digito,
                                    QString::number(modulo11Caixa(cedente.numero)));
    }

    int larguraSequencia(const ContaConfigurada &) const override { return 15; }

    NossoNumero nossoNumero(const ContaConfigurada &, const QString &sequencia) const override {
        NossoNumero nn;
        nn.numero = QStringLiteral("14") + zerosEsquerda(sequencia, 15);
        nn.digito = QString::number(modulo11Caixa(nn.numero));
        nn.impresso = nn.numero + u'-' + nn.digito;
        nn.campoCnab = QStringLiteral("00") + nn.numero + nn.digito;
        return nn;
    }

    // Código and its digit, then the nosso número interleaved 3-1-3-1-9 with its two leading constants.
    QString campoLivre(const ContaConfigurada &c, const NossoNumero &nn) const override {
        const QString &n = nn.numero;
        const QString semDigito =
            c.cedente + c.dvCedente + n.mid(2, 3) + n.mid(0, 1) + n.mid(5, 3) + n.mid(1, 1) + n.mid(8, 9);
        return semDigito + QString::number(modulo11Caixa(semDigito));
    }

    QString versaoArquivo240() const override { return QStringLiteral("101"); }
    QString versaoLote240() const override { return QStringLiteral("060"); }
};

} // namespace

const RegraBanco &caixa() {
    static const Caixa banco;
    return banco;
}

} // namespace bolix
