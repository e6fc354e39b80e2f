#include "BancosConhecidos.h"
#include "Digitos.h"

namespace bolix {

namespace {

// Caixa's SIGCB: a código do beneficiário of 6 digits and its check digit, or of 7 digits without one,
// and a 17-digit nosso número starting with 14 (registered, issued by the payee).
class Caixa : public RegraBanco {
public:
    QString codigo() const override { return QStringLiteral("104"); }
    QString nome() const override { return QStringLiteral("CAIXA ECONOMICA FEDERAL"); }

    void normalizaConta(const Conta &e, ContaConfigurada &c) const override {
        agenciaEContaInformadas(e, c, 4, 12);
        const QString membro = QStringLiteral("CodigoCedente");
        const auto cedente = separaDigito(membro, e.codigoCedente, 7, true);
        if (codigoDeSete(cedente.numero)) {
            if (!cedente.digito.isEmpty())
                recusaConta(membro, e.codigoCedente,
                            QStringLiteral("o código de 7 dígitos não tem dígito verificador"));
            c.cedente = cedente.numero;
            return;
        }
        c.cedente = cedente.numero.right(6);
        c.dvCedente =
            confereDigito(membro, e.codigoCedente, cedente.digito, QString::number(modulo11Caixa(c.cedente)));
    }

    int larguraSequencia(const ContaConfigurada &) const override { return 15; }

    NossoNumero nossoNumero(const ContaConfigurada &, const QString &sequencia,
                            const Documento &) const override {
        NossoNumero nn;
        nn.numero = QStringLiteral("14") + zerosEsquerda(sequencia, 15);
        nn.digito = QString::number(modulo11Caixa(nn.numero));
        nn.impresso = nn.numero + u'-' + nn.digito;
        nn.campoCnab = QStringLiteral("00") + nn.numero + nn.digito;
        return nn;
    }

    // Code and its digit (a 7-digit code alone), then the nosso número interleaved 3-1-3-1-9 with its two
    // leading constants.
    QString campoLivre(const ContaConfigurada &c, const NossoNumero &nn) const override {
        const QString &n = nn.numero;
        const QString semDigito =
            c.cedente + c.dvCedente + n.mid(2, 3) + n.mid(0, 1) + n.mid(5, 3) + n.mid(1, 1) + n.mid(8, 9);
        return semDigito + QString::number(modulo11Caixa(semDigito));
    }

    // A title paid through the Pix QR comes as 06 with reason 61 or 62, or as a write-off (09) with reason
    // 15, "comandado banco por pagamento QR Code".
    const Leiaute240 &leiaute240() const override {
        static const Leiaute240 caixa = [] {
            Leiaute240 l;
            l.pagosPorMotivo = {{QStringLiteral("09"), QStringLiteral("15")}};
            return l;
        }();
        return caixa;
    }

    QString beneficiarioImpresso(const ContaConfigurada &c) const override {
        return comDigito(c.agencia, c.dvAgencia) + u'/' + comDigito(c.cedente, c.dvCedente);
    }

    // The code fills a field of seven: a 6-digit code is followed by a fixed 0.
    QString convenioCnab(const ContaConfigurada &c) const override {
        return c.cedente.size() == 7 ? c.cedente : c.cedente + u'0';
    }
    QString versaoArquivo240(const ContaConfigurada &c) const override {
        return c.cedente.size() == 7 ? QStringLiteral("107") : QStringLiteral("101");
    }
    QString versaoLote240(const ContaConfigurada &c) const override {
        return c.cedente.size() == 7 ? QStringLiteral("067") : QStringLiteral("060");
    }

private:
    // Codes of up to six digits keep the older form; leading zeros only pad them.
    static bool codigoDeSete(const QString &sete) { return !sete.startsWith(u'0'); }
};

} // namespace

const RegraBanco &caixa() {
    static const Caixa banco;
    return banco;
}

} // namespace bolix
