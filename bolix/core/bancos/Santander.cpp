#include "bolix/core/Boleto.h"
#include "bolix/core/Digitos.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/bancos/BancosConhecidos.h"
#include "bolix/core/cnab/Remessa.h"
#include "bolix/core/cnab/Remessa400.h"
#include "bolix/core/cnab/Retorno.h"
#include "bolix/core/pix/PixRetorno.h"

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
        // Only the remittance's headers carry it: a boleto prints without it. CNAB 400's code is 20 digits:
        // agência, conta movimento and conta cobrança as the bank hands them.
        const int largura = c.configuracao.layout == 400 ? 20 : 15;
        const QString transmissao = e.outroDadoConfiguracao2.trimmed();
        if (!transmissao.isEmpty() && (!soTemDigitos(transmissao) || transmissao.size() > largura))
            recusaConta(
                QStringLiteral("OutroDadoConfiguracao2"), e.outroDadoConfiguracao2,
                QStringLiteral("informe o código de transmissão do Santander, até %1 dígitos").arg(largura));
    }

    // CNAB 400 carries the number in 8 positions, 7 and the DV.
    int larguraSequencia(const ContaConfigurada &c) const override {
        return c.configuracao.layout == 400 ? 7 : 12;
    }

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

    // Header: the 20-digit código de transmissão. Title: the same code in 018-037 (agência, conta movimento,
    // conta cobrança), the fine as a percentage from the day after the due date, the tipo de cobrança;
    // protest is instruction 06 with the days in 392-393. Trailer: every record of the file and the
    // titles' value.
    void ajustaRemessa400(Registro400 tipo, Registro &r, const ContaConfigurada &c,
                          const Remessa400Em &em) const override {
        switch (tipo) {
        case Registro400::Header:
            confereTransmissao(c);
            r.digitos(27, 46, transmissao400(c))
                .texto(80, 94, u"SANTANDER")
                .numero(101, 116, 0)
                .numero(392, 394, 0);
            break;
        case Registro400::Titulo:
            titulo400(r, c, *em.doc);
            break;
        case Registro400::Trailer:
            r.numero(2, 7, em.registros + 1).numero(8, 20, em.centavos).numero(21, 394, 0);
            break;
        }
    }

    // Record 8 asks for the title's QR. Type 00 leaves the boleto's payment rules to the payee's profile
    // at the bank, as without the QR (through the QR the bank takes the nominal value whatever 002-003
    // say); one payment of the title's value. The txid is ours, so that the title's QR can be found again
    // (left blank when the bank numbers the title, and the bank gives one).
    QList<Registro> complementosRemessa400(const ContaConfigurada &c, const Documento &doc) const override {
        const ConfiguracaoBolix &cfg = c.configuracao;
        if (!cfg.pix)
            return {};
        const std::int64_t valor = centavosCobrados(doc);
        Registro r(400);
        r.numero(1, 1, 8)
            .numero(2, 3, 0)
            .numero(4, 5, 1)
            .numero(6, 6, 2)
            .numero(7, 19, valor)
            .numero(20, 24, 0)
            .numero(25, 37, valor)
            .numero(38, 42, 0)
            .digitos(43, 43, cfg.tipoChavePix)
            .textoExato(44, 120, chavePix400(cfg))
            .texto(121, 155, txid(c, nossoNumero400(c, doc)));
        return {r};
    }

    QStringList recusasDoTitulo400(const Documento &doc) const override {
        QStringList recusas;
        anotaRecusa(recusas, [&] { percentualMulta400(doc, QStringLiteral("Santander")); });
        return recusas;
    }

    // Record 8 asks for the QR; the record 2 after the title's type 1 brings its location and txid.
    PixNoArquivo pixNoArquivo(int layout) const override {
        return layout == 400 ? PixNoArquivo::Location : PixNoArquivo::Nenhum;
    }

    // Paid: 06, 07 and 08 (liquidation, on account, by balance), 17 (at the notary). 93 is the intraday
    // notice of a payment, settled only by the night file's 06. 254-266 is what the payer paid; the
    // discount and the abatimento granted come summed in 228-240. The trailer's figures are the
    // portfolio's by carteira, none this file's. Pix: the QR's status in the three-digit codes of 137-145;
    // a payment through the QR comes as 06 with 511 or as 09 with 510 when the store asked the bank for
    // those codes. By default it comes as a plain 09, the bank's ordinary write-off, which a record 2 may
    // follow either way: it settles nothing, and is listed as written off.
    const Leiaute400 *leiaute400() const override {
        static const Leiaute400 santander = [] {
            Leiaute400 l{
                {63, 70},
                {137, 145},
                {QStringLiteral("06"), QStringLiteral("07"), QStringLiteral("08"), QStringLiteral("17")},
                false,
                false,
                {}};
            l.outroCodigo = "353";
            l.tipoPix = '2';
            l.larguraMotivo = 3;
            l.motivosPix = {
                {QStringLiteral("501"), QStringLiteral("chave Pix inválida"), true},
                {QStringLiteral("502"), QStringLiteral("chave sem cadastro na DICT"), true},
                {QStringLiteral("503"), QStringLiteral("chave não compatível com CNPJ/CPF"), true},
                {QStringLiteral("504"), QStringLiteral("txid em duplicidade"), true},
                {QStringLiteral("505"), QStringLiteral("txid inválido ou não encontrado"), true},
                {QStringLiteral("506"), QStringLiteral("alteração não permitida (QR concluído/removido)"),
                 true},
                {QStringLiteral("507"), QStringLiteral("cancelamento não permitido"), true},
                {QStringLiteral("508"), QStringLiteral("registrado com QR Code Pix")},
                {QStringLiteral("509"), QStringLiteral("registrado sem QR Code Pix")},
            };
            l.pagosPorMotivo = {{QStringLiteral("09"), QStringLiteral("510")}};
            l.desconto = {228, 240};
            l.abatimento = std::nullopt;
            l.baixas = {{QStringLiteral("09"), QStringLiteral("baixa automática")},
                        {QStringLiteral("10"), QStringLiteral("baixado conforme instrução")}};
            l.orientacaoBaixa = QStringLiteral(
                "Se um título baixado foi pago por Pix, peça ao Santander que informe os pagamentos Pix com "
                "os códigos 510 (baixado por pagamento via Pix) e 511 (liquidado por pagamento via Pix): sem "
                "eles o arquivo não distingue o pagamento de uma baixa.");
            return l;
        }();
        return &santander;
    }

    // Record 2: the charge's location (003-079) and txid (080-114), from which the QR is assembled.
    void lePix400(QByteArrayView registro, Ocorrencia &o, const ConfiguracaoBolix &cfg) const override {
        anotaLocation(o, QString::fromLatin1(registro.sliced(2, 77)),
                      QString::fromLatin1(registro.sliced(79, 35)), cfg);
    }

    // The header holds the código de transmissão's fields (027-046) and, in current editions, the código
    // do beneficiário (109-117; blank in older ones).
    ContaDoRetorno contaDoRetorno400(const ContaConfigurada &c) const override {
        return {{QStringLiteral("código de transmissão"), {27, 46}, transmissao400(c), true},
                {QStringLiteral("código do beneficiário"), {109, 117}, zerosEsquerda(c.cedente, 9), true}};
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
                               "o código de transmissão que o banco deu (até %1 dígitos).")
                    .arg(c.configuracao.layout == 400 ? 20 : 15));
    }

    // Agência, conta and the nosso número with its DV: 26 digits, one charge per title of the account,
    // the same at every remittance of the title.
    static QString txid(const ContaConfigurada &c, const NossoNumero &nn) {
        if (nn.numero.isEmpty())
            return {};
        return zerosEsquerda(c.agencia, 4) + zerosEsquerda(c.conta, 9) + nn.campoCnab;
    }

    static QString transmissao400(const ContaConfigurada &c) {
        if (c.convenioArquivo.isEmpty())
            return {};
        return zerosEsquerda(c.convenioArquivo, 20);
    }

    void titulo400(Registro &r, const ContaConfigurada &c, const Documento &doc) const {
        const QString &inscricao = c.configuracao.inscricaoBeneficiario;
        const NossoNumero nn = nossoNumero400(c, doc);
        const std::int64_t multa = percentualMulta400(doc, QStringLiteral("Santander"));
        const bool protesta = codigoProtesto(doc) != u'3';
        r.numero(2, 3, inscricao.size() == 14 ? 2 : 1)
            .digitos(4, 17, inscricao)
            .digitos(18, 37, transmissao400(c))
            .digitos(63, 70, nn.numero.isEmpty() ? QString() : nn.numero.right(7) + nn.digito)
            .numero(71, 76, 0)
            .numero(78, 78, multa > 0 ? 4 : 0)
            .numero(79, 82, multa)
            .numero(83, 97, 0)
            .numero(102, 107, 0)
            .digitos(108, 108, c.configuracao.tipoCobranca)
            .digitos(140, 142, codigo())
            .numero(143, 147, 0)
            .digitos(148, 149, especie400(doc, {u"06"}))
            .texto(150, 150, u"N")
            .numero(157, 158, protesta ? 6 : 0)
            .numero(159, 160, 0)
            .numero(392, 393, protesta ? doc.diasProtesto : 0);
    }
};

} // namespace

const RegraBanco &santander() {
    static const Santander banco;
    return banco;
}

} // namespace bolix
