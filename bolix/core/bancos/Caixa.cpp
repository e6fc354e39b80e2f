#include "bolix/core/Boleto.h"
#include "bolix/core/Digitos.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/bancos/BancosConhecidos.h"
#include "bolix/core/cnab/Remessa.h"
#include "bolix/core/cnab/Remessa400.h"

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
    // 15, "comandado banco por pagamento QR Code". The QR's status comes as reasons P1 to PC of the entry,
    // its refusal and its changes; the QR itself is not in the file.
    const Leiaute240 &leiaute240() const override {
        static const Leiaute240 caixa = [] {
            Leiaute240 l;
            l.pagosPorMotivo = {{QStringLiteral("09"), QStringLiteral("15")}};
            l.movimentosPix = {QStringLiteral("02"), QStringLiteral("03"), QStringLiteral("26"),
                               QStringLiteral("30")};
            l.motivosPix = {
                {QStringLiteral("P1"), QStringLiteral("registrado com QR Code PIX")},
                {QStringLiteral("P2"), QStringLiteral("registrado sem QR Code PIX")},
                {QStringLiteral("P3"), QStringLiteral("registrado com QR Code PIX e código de barras")},
                {QStringLiteral("PA"),
                 QStringLiteral("chave DICT do beneficiário inválida - QR não cadastrado"), true},
                {QStringLiteral("PB"), QStringLiteral("txid inválido - QR não cadastrado"), true},
                {QStringLiteral("PC"), QStringLiteral("PIX alterado - verificar payload pela URL")},
            };
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

    // Header: agência, code, the layout's version 007 for a 7-digit code, the file's sequence (it must
    // grow). Title: the code, who issues and posts the boleto, the nosso número with its modalidade,
    // interest and fine from the day after the due date, the fine as an amount; 394 is the currency.
    void ajustaRemessa400(Registro400 tipo, Registro &r, const ContaConfigurada &c,
                          const Remessa400Em &em) const override {
        if (tipo == Registro400::Header) {
            if (em.sequencia < 1 || em.sequencia > 99999)
                throw ErroBolix(
                    QStringLiteral("ArquivoRemessa.Sequencia %1 inválida: o CNAB 400 da Caixa numera "
                                   "os arquivos de 1 a 99999.")
                        .arg(em.sequencia));
            r.digitos(27, 30, c.agencia)
                .digitos(31, 37, zerosEsquerda(c.cedente, 7))
                .texto(101, 103, c.cedente.size() == 7 ? u"007" : u"")
                .numero(390, 394, em.sequencia);
        } else if (tipo == Registro400::Titulo) {
            titulo400(r, c, *em.doc);
        }
    }

    // The CNAB 240 reports the QR's status and Pix payments; the QR itself is not in the file.
    PixNoArquivo pixNoArquivo(int layout) const override {
        return layout == 240 ? PixNoArquivo::Situacao : PixNoArquivo::Nenhum;
    }

    // Caixa's own codes: 21 liquidação, 22 in the notary's office, 35 on-line; 01 is the entry confirmed,
    // 99 a refusal (the reason in 080-082), 33 and 36 reverse a settlement. The trailer has no figures.
    const Leiaute400 *leiaute400() const override {
        static const Leiaute400 caixa = [] {
            Leiaute400 l{
                {57, 73}, {80, 82}, {QStringLiteral("21"), QStringLiteral("22"), QStringLiteral("35")},
                false,    false,    {}};
            l.identificacaoTitulo = {32, 56};
            l.dataCredito = 294;
            l.baixas = {{QStringLiteral("02"), QStringLiteral("baixa manual confirmada")},
                        {QStringLiteral("23"), QStringLiteral("baixa por devolução")},
                        {QStringLiteral("25"), QStringLiteral("baixa por protesto")}};
            return l;
        }();
        return &caixa;
    }

    // Agência (027-030) and código do beneficiário (031-037) in the header.
    ContaDoRetorno contaDoRetorno400(const ContaConfigurada &c) const override {
        return {{QStringLiteral("agência"), {27, 30}, c.agencia},
                {QStringLiteral("código do beneficiário"), {31, 37}, zerosEsquerda(c.cedente, 7), true}};
    }

    // 254-266 is the principal; interest (267-279) and fine (280-292) come apart.
    Dinheiro valorPago400(const Valores400 &v, const ConfiguracaoBolix &) const override {
        return v.recebido + v.juros + v.outros;
    }

private:
    void titulo400(Registro &r, const ContaConfigurada &c, const Documento &doc) const {
        const QString &inscricao = c.configuracao.inscricaoBeneficiario;
        const NossoNumero nn = nossoNumero400(c, doc);
        const std::int64_t multa = doc.valorMultaAtraso > 0
                                       ? centavos(doc.valorMultaAtraso)
                                       : centavosDoPercentual(doc, doc.percentualMultaAtraso);
        const QDate depois = doc.dataVencimento.addDays(1);
        r.numero(2, 3, inscricao.size() == 14 ? 2 : 1)
            .digitos(4, 17, inscricao)
            .numero(18, 20, 0)
            .digitos(21, 27, zerosEsquerda(c.cedente, 7))
            .numero(28, 28, doc.bancoEmiteBoleto ? 1 : 2)
            .numero(29, 29, 0)
            .numero(30, 31, 0)
            .texto(38, 62, u"")
            .texto(32, 56, controleDoParticipante(doc))
            .digitos(57, 73, nn.numero.isEmpty() ? QStringLiteral("11") + QString(15, u'0') : nn.numero)
            .dataCurta(78, jurosDoDia400(doc) > 0 ? depois : QDate())
            .numero(84, 84, desconto400(doc) > 0 ? 1 : 0)
            .digitos(107, 108, u"01")
            .digitos(140, 142, codigo())
            .numero(143, 147, 0)
            .digitos(148, 149, codigoEspecie(doc))
            .texto(150, 150, QString(aceiteDoDocumento(c, doc)))
            .numero(157, 160, 0)
            .dataCurta(352, multa > 0 ? depois : QDate())
            .numero(358, 367, multa)
            .numero(390, 393, 0)
            .numero(394, 394, 1);
    }

    // Codes of up to six digits keep the older form; leading zeros only pad them.
    static bool codigoDeSete(const QString &sete) { return !sete.startsWith(u'0'); }
};

} // namespace

const RegraBanco &caixa() {
    static const Caixa banco;
    return banco;
}

} // namespace bolix
