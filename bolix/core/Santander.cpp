#include "BancosConhecidos.h"
#include "Digitos.h"
#include "ErroBolix.h"

namespace bolix {

namespace {

// Santander: the código do beneficiário (7 digits) in the bar code, a nosso número of 12 digits and its
// DV, and the código de transmissão the bank gives for the file headers (OutroDadoConfiguracao2).
class Santander : public RegraBanco {
public:
    QString codigo() const override { return QStringLiteral("033"); }
    QString nome() const override { return QStringLiteral("BANCO SANTANDER"); }

    void normalizaConta(const Conta &e, ContaConfigurada &c) const override {
        agenciaEContaInformadas(e, c, 4, 9);
        c.cedente = separaDigito(QStringLiteral("CodigoCedente"), e.codigoCedente, 7, true, {}).numero;
        // Only the remittance's headers carry it: a boleto prints without it.
        const QString transmissao = e.outroDadoConfiguracao2.trimmed();
        if (!transmissao.isEmpty() && (!soTemDigitos(transmissao) || transmissao.size() > 15))
            recusaConta(QStringLiteral("OutroDadoConfiguracao2"), e.outroDadoConfiguracao2,
                        QStringLiteral("informe o código de transmissão do Santander, até 15 dígitos"));
    }

    int larguraSequencia(const ContaConfigurada &) const override { return 12; }

    NossoNumero nossoNumero(const ContaConfigurada &, const QString &sequencia,
                            const Documento &) const override {
        NossoNumero nn;
        nn.numero = zerosEsquerda(sequencia, 12);
        nn.digito = QString::number(modulo11Santander(nn.numero));
        nn.impresso = nn.numero + u'-' + nn.digito;
        nn.campoCnab = nn.numero + nn.digito;
        return nn;
    }

    // Fixed 9, the code, the number with its DV, IOF 0 (insurers only) and the carteira.
    QString campoLivre(const ContaConfigurada &c, const NossoNumero &nn) const override {
        return QStringLiteral("9") + c.cedente + nn.numero + nn.digito + u'0' + c.configuracao.carteira;
    }

    QString versaoArquivo240(const ContaConfigurada &) const override { return QStringLiteral("040"); }
    QString versaoLote240(const ContaConfigurada &) const override { return QStringLiteral("030"); }

    void ajustaRemessa240(Registro240 tipo, Registro &r, const ContaConfigurada &c,
                          const Documento *) const override {
        const QString &inscricao = c.configuracao.inscricaoBeneficiario;
        switch (tipo) {
        case Registro240::HeaderArquivo:
            confereTransmissao(c);
            r.texto(9, 16, u"")
                .numero(17, 17, inscricao.size() == 14 ? 2 : 1)
                .digitos(18, 32, zerosEsquerda(inscricao, 15))
                .texto(33, 47, c.convenioArquivo)
                .texto(48, 72, u"")
                .texto(152, 157, u"")
                .texto(167, 240, u"");
            break;
        case Registro240::HeaderLote:
            r.texto(34, 53, u"").texto(54, 68, c.convenioArquivo).texto(69, 73, u"").texto(200, 240, u"");
            break;
        case Registro240::SegmentoP: {
            // The number moves from FEBRABAN's place to the bank's.
            const QString nn = QString::fromLatin1(r.linha().mid(37, 13));
            r.digitos(18, 21, c.agencia)
                .texto(22, 22, c.dvAgencia)
                .digitos(23, 31, c.conta)
                .texto(32, 32, c.dvConta)
                .digitos(33, 41, c.conta)
                .texto(42, 42, c.dvConta)
                .texto(43, 44, u"")
                .texto(45, 57, nn)
                .digitos(58, 58, c.configuracao.tipoCobranca)
                .texto(61, 62, u"")
                .texto(106, 106, u"")
                .texto(230, 240, u"");
            break;
        }
        case Registro240::SegmentoQ:
            r.numero(210, 221, 0);
            break;
        case Registro240::TrailerLote:
            r.texto(24, 240, u"");
            break;
        case Registro240::TrailerArquivo:
            r.texto(30, 240, u"");
            break;
        default:
            break;
        }
    }

    const Leiaute240 &leiaute240() const override {
        static const Leiaute240 santander = [] {
            Leiaute240 l;
            l.agenciaArquivo = {33, 36};
            l.contaArquivo = {38, 46};
            l.convenioArquivo = {53, 61};
            l.agenciaRemessa = {18, 21};
            l.contaRemessa = {23, 31};
            l.nossoNumeroRemessa = {45, 57};
            l.nossoNumero = {41, 53};
            l.nossoNumeroNumerico = true;
            l.numeroDocumento = {55, 69};
            l.vencimento = 70;
            l.valorTitulo = {78, 92};
            l.identificacaoTitulo = {101, 125};
            l.tarifa = {194, 208};
            l.motivos = {209, 218};
            return l;
        }();
        return santander;
    }

    // The return's header holds the código do beneficiário (53-61) where the remittance's has the
    // transmission code.
    ContaDoRetorno contaDoRetorno240(const ContaConfigurada &c) const override {
        const Leiaute240 &l = leiaute240();
        return {{QStringLiteral("agência"), l.agenciaArquivo, c.agencia},
                {QStringLiteral("conta"), l.contaArquivo, c.conta, true},
                {QStringLiteral("código do beneficiário"), l.convenioArquivo, c.cedente, true}};
    }

    QString beneficiarioImpresso(const ContaConfigurada &c) const override {
        return c.agencia + u'/' + c.cedente;
    }

    QString carteiraImpressa(const ContaConfigurada &c) const override {
        return c.configuracao.carteira == u"201" ? QStringLiteral("COBRANCA PENHOR RCR")
                                                 : QStringLiteral("COBRANCA SIMPLES RCR");
    }

private:
    static void confereTransmissao(const ContaConfigurada &c) {
        if (c.convenioArquivo.isEmpty())
            throw ErroBolix(
                QStringLiteral("OutroDadoConfiguracao2 não informado: a remessa do Santander leva "
                               "nos headers o código de transmissão que o banco deu (até 15 "
                               "dígitos)."));
    }
};

} // namespace

const RegraBanco &santander() {
    static const Santander banco;
    return banco;
}

} // namespace bolix
