#include "bolix/core/Boleto.h"
#include "bolix/core/Digitos.h"
#include "bolix/core/bancos/BancosConhecidos.h"
#include "bolix/core/cnab/Remessa.h"
#include "bolix/core/cnab/Remessa400.h"
#include "bolix/core/cnab/Retorno.h"
#include "bolix/core/pix/PixRetorno.h"

namespace bolix {

namespace {

// The carteira letter of the CNAB 400 title (108): U for the dollar carteira 150, E for 147, I for every
// other.
QString letraCarteira400(const QString &carteira) {
    if (carteira == u"150")
        return QStringLiteral("U");
    if (carteira == u"147")
        return QStringLiteral("E");
    return QStringLiteral("I");
}

// The Pix errors of the return's record 3 (392-394).
QString erroPix(QStringView codigo) {
    static const struct {
        const char16_t *codigo;
        const char16_t *texto;
    } erros[] = {
        {u"001", u"valor maior que o máximo"},
        {u"002", u"não compatível com o CNPJ"},
        {u"003", u"chave inválida"},
        {u"004", u"chave sem cadastro na DICT"},
        {u"005", u"chave não cadastrada no mesmo CNPJ da agência/conta"},
        {u"006", u"emissão de QR Code não permitida"},
        {u"007", u"data de desconto maior que o vencimento"},
        {u"008", u"idlocation já usado por outra cobrança Pix"},
        {u"009", u"location criada para cobrança com vencimento"},
        {u"010", u"não permitido para pagamento parcial"},
        {u"011", u"não permitido para a carteira"},
        {u"999", u"problema na plataforma"},
    };
    for (const auto &e : erros)
        if (codigo == e.codigo)
            return codigo.toString() + QStringLiteral(" - ") + QString::fromUtf16(e.texto);
    return codigo.toString() + QStringLiteral(" - erro Pix sem descrição no manual");
}

// Itaú: agência of 4 digits and conta of 5 with a DAC over both; a nosso número of 8 digits whose DAC
// also covers agência, conta and carteira, except in the carteiras the settings list.
class Itau : public RegraBanco {
public:
    QString codigo() const override { return QStringLiteral("341"); }
    QString nome() const override { return QStringLiteral("BANCO ITAU SA"); }

    void normalizaConta(const Conta &e, ContaConfigurada &c) const override {
        c.agencia = separaDigito(QStringLiteral("CodigoAgencia"), e.codigoAgencia, 4, true, {}).numero;
        const QString membro = QStringLiteral("NumeroContaCorrente");
        const auto conta = separaDigito(membro, e.numeroContaCorrente, 5, true);
        c.conta = conta.numero;
        c.dvConta = confereDigito(membro, e.numeroContaCorrente, conta.digito,
                                  QString::number(modulo10(QString(c.agencia + c.conta))));
        c.cedente = separaDigito(QStringLiteral("CodigoCedente"), e.codigoCedente, 20, false, {}).numero;
    }

    int larguraSequencia(const ContaConfigurada &) const override { return 8; }

    NossoNumero nossoNumero(const ContaConfigurada &c, const QString &sequencia,
                            const Documento &) const override {
        NossoNumero nn;
        const QString &carteira = c.configuracao.carteira;
        nn.numero = zerosEsquerda(sequencia, 8);
        const bool semConta = c.configuracao.carteirasDacSemConta.contains(carteira);
        const QString base = (semConta ? QString() : c.agencia + c.conta) + carteira + nn.numero;
        nn.digito = QString::number(modulo10(base));
        nn.impresso = carteira + u'/' + nn.numero + u'-' + nn.digito;
        nn.campoCnab = carteira + nn.numero + nn.digito;
        return nn;
    }

    QString campoLivre(const ContaConfigurada &c, const NossoNumero &nn) const override {
        return c.configuracao.carteira + nn.numero + nn.digito + c.agencia + c.conta + c.dvConta +
               QStringLiteral("000");
    }

    QString versaoArquivo240(const ContaConfigurada &) const override { return QStringLiteral("040"); }
    QString versaoLote240(const ContaConfigurada &) const override { return QStringLiteral("030"); }

    void ajustaRemessa240(Registro240 tipo, Registro &r, const ContaConfigurada &c,
                          const Documento *doc) const override {
        switch (tipo) {
        case Registro240::HeaderArquivo:
            r.numero(226, 228, 0);
            break;
        case Registro240::HeaderLote:
            r.numero(12, 13, 0);
            break;
        case Registro240::SegmentoP:
            segmentoP(r, c.configuracao, *doc);
            break;
        case Registro240::SegmentoQ:
            r.texto(64, 73, u""); // thirty positions of name
            break;
        default:
            break;
        }
    }

    // No convênio: the account identifies the payee.
    QString convenioCnab(const ContaConfigurada &) const override { return {}; }

    // 0, agência, blank, zeros, conta, blank, DAC.
    void contaCnab240(Registro &r, int inicio, const ContaConfigurada &c) const override {
        r.numero(inicio, inicio, 0)
            .digitos(inicio + 1, inicio + 4, c.agencia)
            .texto(inicio + 5, inicio + 5, u"")
            .numero(inicio + 6, inicio + 12, 0)
            .digitos(inicio + 13, inicio + 17, c.conta)
            .texto(inicio + 18, inicio + 18, u"")
            .digitos(inicio + 19, inicio + 19, c.dvConta);
    }

    const Leiaute240 &leiaute240() const override {
        static const Leiaute240 itau = [] {
            Leiaute240 l;
            l.agenciaRemessa = {19, 22};
            l.contaRemessa = {31, 35};
            l.nossoNumeroRemessa = {38, 49};
            l.documentoRemessa = {63, 72};
            l.nossoNumero = {38, 49};
            l.nossoNumeroNumerico = true;
            l.numeroDocumento = {59, 68};
            l.motivos = {214, 221};
            l.pagos = {QStringLiteral("06"), QStringLiteral("08")};
            l.baixas = {{QStringLiteral("09"), QStringLiteral("baixa simples")}};
            return l;
        }();
        return itau;
    }

    QString beneficiarioImpresso(const ContaConfigurada &c) const override {
        return c.agencia + u'/' + c.conta + u'-' + c.dvConta;
    }

    // Header: agência and account. Title: the payee and its account, nosso número and carteira; protest is
    // instruction 09 with the days in 392-393, as the instruction table gives them.
    void ajustaRemessa400(Registro400 tipo, Registro &r, const ContaConfigurada &c,
                          const Remessa400Em &em) const override {
        if (tipo == Registro400::Header)
            r.digitos(27, 30, c.agencia)
                .numero(31, 32, 0)
                .digitos(33, 37, c.conta)
                .digitos(38, 38, c.dvConta);
        else if (tipo == Registro400::Titulo)
            titulo400(r, c, *em.doc);
    }

    // The QR is asked for by the movement (71, "boleto Pix"); record 3 only names a key other than the
    // account's CNPJ key. It follows the title's other records.
    QList<Registro> complementosRemessa400(const ContaConfigurada &c, const Documento &doc) const override {
        QList<Registro> registros;
        if (doc.valorMultaAtraso > 0 || doc.percentualMultaAtraso > 0)
            registros.append(multa400(doc));
        if (c.configuracao.pix && !c.configuracao.chavePix.isEmpty())
            registros.append(Registro(400).numero(1, 1, 3).textoExato(2, 78, chavePix400(c.configuracao)));
        return registros;
    }

    Pagador400 pagador400() const override { return {264}; }

    // Movement 71 asks for the QR; the confirmation's record 3 brings the whole BR Code.
    PixNoArquivo pixNoArquivo(int layout) const override {
        return layout == 400 ? PixNoArquivo::CopiaECola : PixNoArquivo::Nenhum;
    }

    // 254-266 is the credit, net of the fee. The payment is reported under 06 and later under 10, both with
    // the credit date. The trailer's 018-039 are the portfolio's ("cobrança simples", zero in files the
    // bank sends); 213-220 and 221-234, the detail records and their value, are this file's.
    // A payment through the Pix QR comes as 10 alone, in the night file.
    const Leiaute400 *leiaute400() const override {
        static const Leiaute400 itau = [] {
            Leiaute400 l{
                {83, 94},
                {378, 385},
                {QStringLiteral("06"), QStringLiteral("07"), QStringLiteral("08"), QStringLiteral("10")},
                true,
                true,
                {{QStringLiteral("detalhes do arquivo"), {213, 220}, Faixa{221, 234}, {}}}};
            l.tipoPix = '3';
            l.baixas = {{QStringLiteral("09"), QStringLiteral("baixa simples")}};
            return l;
        }();
        return &itau;
    }

    // Agência (027-030) and conta (033-037) in the header, without the DAC.
    ContaDoRetorno contaDoRetorno400(const ContaConfigurada &c) const override {
        return {{QStringLiteral("agência"), {27, 30}, c.agencia},
                {QStringLiteral("conta"), {33, 37}, c.conta, true}};
    }

    // Record 3 of the entry's confirmation: the whole BR Code (002-391) or the error that refused the QR
    // (392-394; blank or zeros when none).
    void lePix400(QByteArrayView registro, Ocorrencia &o, const ConfiguracaoBolix &) const override {
        const QString erro = QString::fromLatin1(registro.sliced(391, 3)).trimmed();
        if (!erro.isEmpty() && erro != u"000")
            recusaPix(o, erroPix(erro));
        else
            anotaCopiaECola(o, QString::fromLatin1(registro.sliced(1, 390)));
    }

private:
    // A type 2 with the fine from the day after the due date: 1 an amount, 2 a percentage, both with two
    // decimals.
    static Registro multa400(const Documento &doc) {
        const bool valor = doc.valorMultaAtraso > 0;
        Registro r(400);
        r.numero(1, 1, 2)
            .numero(2, 2, valor ? 1 : 2)
            .data(3, doc.dataVencimento.addDays(1))
            .numero(11, 23, centavos(valor ? doc.valorMultaAtraso : doc.percentualMultaAtraso));
        return r;
    }

    void titulo400(Registro &r, const ContaConfigurada &c, const Documento &doc) const {
        const QString &inscricao = c.configuracao.inscricaoBeneficiario;
        const NossoNumero nn = nossoNumero400(c, doc);
        const bool protesta = codigoProtesto(doc) != u'3';
        r.numero(2, 3, inscricao.size() == 14 ? 2 : 1)
            .digitos(4, 17, inscricao)
            .digitos(18, 21, c.agencia)
            .numero(22, 23, 0)
            .digitos(24, 28, c.conta)
            .digitos(29, 29, c.dvConta)
            .numero(34, 37, 0)
            .digitos(63, 70, nn.numero)
            .numero(71, 83, 0)
            .digitos(84, 86, c.configuracao.carteira)
            .texto(108, 108, letraCarteira400(c.configuracao.carteira))
            .digitos(140, 142, codigo())
            .numero(143, 147, 0)
            .digitos(148, 149, especie400(doc, {u"08"}))
            .texto(150, 150, QString(aceiteDoDocumento(c, doc)))
            .numero(157, 158, protesta ? 9 : 0)
            .numero(159, 160, 0)
            .numero(386, 391, 0)
            .numero(392, 393, protesta ? doc.diasProtesto : 0);
        if (c.configuracao.pix)
            r.digitos(109, 110, u"71");
    }

    // Itaú has no codes for juros and desconto: a value per day and a value, percentages turned into
    // amounts of the charged value. Ten positions for the document, two for the days to write off.
    static void segmentoP(Registro &r, const ConfiguracaoBolix &cfg, const Documento &doc) {
        if (doc.numeroDocumento.trimmed().size() > 10)
            recusaDocumento(doc, QStringLiteral("NumeroDocumento"), doc.numeroDocumento,
                            QStringLiteral("o Itaú aceita até 10 caracteres"));
        r.numero(58, 62, 0).texto(73, 77, u"").numero(118, 118, 0).numero(142, 142, 0);
        if (doc.valorJurosDiaAtraso <= 0 && doc.percentualJurosDiaAtraso > 0)
            r.numero(127, 141, centavosDoPercentual(doc, doc.percentualJurosDiaAtraso));
        if (doc.valorDesconto <= 0 && doc.percentualDesconto > 0)
            r.numero(151, 165, centavosDoPercentual(doc, doc.percentualDesconto));
        r.numero(225, 226, cfg.codigoBaixa == 1 ? cfg.diasBaixa : 0).numero(227, 239, 0);
    }
};

} // namespace

const RegraBanco &itau() {
    static const Itau banco;
    return banco;
}

} // namespace bolix
