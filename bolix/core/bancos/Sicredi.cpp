#include "bolix/core/Boleto.h"
#include "bolix/core/Digitos.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/bancos/BancosConhecidos.h"
#include "bolix/core/cnab/Remessa.h"
#include "bolix/core/cnab/Remessa400.h"

using namespace Qt::StringLiterals;

namespace bolix {

namespace {

// Sicredi: cooperativa (4 digits), posto (2) and código do beneficiário (5); a nosso número of the
// year, the byte of who generates it, five digits of sequence and a DV.
class Sicredi : public RegraBanco {
public:
    QString codigo() const override { return QStringLiteral("748"); }
    QString nome() const override { return QStringLiteral("SICREDI"); }

    // The CNAB 240 files carry the código do beneficiário and its DV where FEBRABAN has the account. The DV
    // comes with the code ("00623-8"), or from an account typed as that code with its DV, as set-ups did
    // before; the store's own account is in no file. The bar code and CNAB 400 carry no DV: without it the
    // boleto prints and only the CNAB 240 remittance is refused (contaCnab240).
    void normalizaConta(const Conta &e, ContaConfigurada &c) const override {
        c.agencia = separaDigito(QStringLiteral("CodigoAgencia"), e.codigoAgencia, 4, true, {}).numero;
        const auto conta =
            separaDigito(QStringLiteral("NumeroContaCorrente"), e.numeroContaCorrente, 12, false);
        c.conta = conta.numero;
        c.dvConta = conta.digito;
        const auto codigo = separaDigito(QStringLiteral("CodigoCedente"), e.codigoCedente, 5, true);
        c.cedente = codigo.numero;
        const bool contaEhOCodigo = conta.numero.toLongLong() == codigo.numero.toLongLong();
        c.dvCedente = !codigo.digito.isEmpty() ? codigo.digito : contaEhOCodigo ? conta.digito : QString();
    }

    int larguraSequencia(const ContaConfigurada &) const override { return 5; }

    // The year the number is generated: the document's processing date, as the program sets it to the
    // day of the run.
    NossoNumero nossoNumero(const ContaConfigurada &c, const QString &sequencia,
                            const Documento &doc) const override {
        const QDate geracao = doc.dataProcessamento.isValid() ? doc.dataProcessamento
                              : doc.dataDocumento.isValid()   ? doc.dataDocumento
                                                              : QDate::currentDate();
        const QString ano = QStringLiteral("%1").arg(geracao.year() % 100, 2, 10, QLatin1Char('0'));
        const QString byte = QString::number(c.configuracao.byteGeracao);
        NossoNumero nn;
        nn.numero = ano + byte + zerosEsquerda(sequencia, 5);
        nn.digito = QString::number(
            modulo11Sicredi(QString(c.agencia + c.configuracao.posto + c.cedente + nn.numero)));
        nn.impresso = ano + u'/' + nn.numero.mid(2) + u'-' + nn.digito;
        nn.campoCnab = nn.numero + nn.digito;
        return nn;
    }

    // Registered (1), carteira simples (1), the number, the payee, 1 for a boleto with a value, 0, DV.
    QString campoLivre(const ContaConfigurada &c, const NossoNumero &nn) const override {
        const QString semDigito = QStringLiteral("11") + nn.numero + nn.digito + c.agencia +
                                  c.configuracao.posto + c.cedente + QStringLiteral("10");
        return semDigito + QString::number(modulo11Sicredi(semDigito));
    }

    QString versaoArquivo240(const ContaConfigurada &) const override { return QStringLiteral("081"); }
    QString versaoLote240(const ContaConfigurada &) const override { return QStringLiteral("040"); }

    QString convenioCnab(const ContaConfigurada &) const override { return {}; }

    // The cooperativa in five positions, then the código do beneficiário and its DV where FEBRABAN has the
    // conta.
    void contaCnab240(Registro &r, int inicio, const ContaConfigurada &c) const override {
        confereDigitoDoCodigo(c);
        r.digitos(inicio, inicio + 4, c.agencia)
            .texto(inicio + 5, inicio + 5, u"")
            .digitos(inicio + 6, inicio + 17, c.cedente)
            .texto(inicio + 18, inicio + 18, c.dvCedente)
            .texto(inicio + 19, inicio + 19, u"");
    }

    void ajustaRemessa240(Registro240 tipo, Registro &r, const ContaConfigurada &,
                          const Documento *) const override {
        if (tipo == Registro240::HeaderArquivo)
            r.numero(167, 171, 1600);
    }

    const Leiaute240 &leiaute240() const override {
        static const Leiaute240 sicredi = [] {
            Leiaute240 l;
            l.nossoNumeroRemessa = {38, 46};
            l.nossoNumero = {38, 46};
            l.nossoNumeroNumerico = true;
            return l;
        }();
        return sicredi;
    }

    // The código do beneficiário stands where FEBRABAN has the conta. The bank writes a code of its own in
    // 33-52, which the remittance leaves blank: the installation has nothing to compare it with.
    ContaDoRetorno contaDoRetorno240(const ContaConfigurada &c) const override {
        return {{QStringLiteral("cooperativa"), {53, 57}, c.agencia},
                {QStringLiteral("código do beneficiário"), {59, 70}, c.cedente, true}};
    }

    // Header: the código do beneficiário and the payee's CNPJ, no name, the date year first, the
    // remittance's number and the layout's version. Title: registered, simples, normal, real, discount
    // and interest as amounts, the nosso número with its DV, the fine as a percentage, the species as a
    // letter; protest is 06 with the days in 159-160. Trailer: the código again.
    void ajustaRemessa400(Registro400 tipo, Registro &r, const ContaConfigurada &c,
                          const Remessa400Em &em) const override {
        switch (tipo) {
        case Registro400::Header:
            r.digitos(27, 31, c.cedente)
                .digitos(32, 45, zerosEsquerda(c.configuracao.inscricaoBeneficiario, 14))
                .texto(46, 76, u"")
                .dataAnoMesDia(95, em.geracao)
                .numero(111, 117, em.sequencia)
                .texto(391, 394, u"2.00");
            break;
        case Registro400::Titulo:
            titulo400(r, c, *em.doc, em.tipoInscricao);
            break;
        case Registro400::Trailer:
            r.texto(2, 5, u"1748").digitos(6, 10, c.cedente);
            break;
        }
    }

    // 315-326 are the payer's codes at the cooperative, 335-394 the sacador's.
    Pagador400 pagador400() const override { return {274, {275, 314}, std::nullopt, false}; }

    QStringList recusasDoTitulo400(const Documento &doc) const override {
        QStringList recusas;
        anotaRecusa(recusas, [&] { percentualMulta400(doc, QStringLiteral("Sicredi")); });
        return recusas;
    }

    // Paid: 06, 15 (at the notary), 17 (after the write-off). A 06 with the reasons X0 or X6 to XB was paid
    // by a cheque still blocked: reported, settled by a later 06. The credit date (329-336, year first) is
    // the one the bank foresees. The trailer has no figures.
    const Leiaute400 *leiaute400() const override {
        static const Leiaute400 sicredi = [] {
            Leiaute400 l{
                {48, 56}, {319, 328}, {QStringLiteral("06"), QStringLiteral("15"), QStringLiteral("17")},
                false,    false,      {}};
            l.identificacaoTrailer = "2";
            l.bancoNoTrailer = 3;
            l.dataCredito = 329;
            l.creditoAnoMesDia = true;
            l.baixas = {{QStringLiteral("09"), QStringLiteral("baixado automaticamente via arquivo")},
                        {QStringLiteral("10"), QStringLiteral("baixado conforme instruções da cooperativa")}};
            l.motivosProvisorios = {u"X0"_s, u"X6"_s, u"X7"_s, u"X8"_s, u"X9"_s, u"XA"_s, u"XB"_s};
            return l;
        }();
        return &sicredi;
    }

    // The header names the payee by its código do beneficiário (027-031) and its CNPJ (032-045).
    ContaDoRetorno contaDoRetorno400(const ContaConfigurada &c) const override {
        return {
            {QStringLiteral("código do beneficiário"), {27, 31}, c.cedente, true},
            {QStringLiteral("CPF/CNPJ"), {32, 45}, zerosEsquerda(c.configuracao.inscricaoBeneficiario, 14)}};
    }

    QString beneficiarioImpresso(const ContaConfigurada &c) const override {
        return c.agencia + u'.' + c.configuracao.posto + u'.' + c.cedente;
    }

    QString localPagamentoPadrao() const override {
        return QStringLiteral("PREFERENCIALMENTE EM CANAIS ELETRÔNICOS DA SUA INSTITUIÇÃO FINANCEIRA");
    }

private:
    // Named by the key it came from: the settings' codigo_beneficiario wins over CodigoCedente.
    static void confereDigitoDoCodigo(const ContaConfigurada &c) {
        if (!c.dvCedente.isEmpty())
            return;
        const bool doArquivo = !c.configuracao.codigoBeneficiario.isEmpty();
        throw ErroBolix(
            QStringLiteral("%1 \"%2\" sem o dígito verificador: a remessa CNAB 240 do Sicredi leva "
                           "o código do beneficiário com o dígito que o Sicredi dá, como 00623-8.")
                .arg(doArquivo ? QStringLiteral("codigo_beneficiario") : QStringLiteral("CodigoCedente"),
                     doArquivo ? c.configuracao.codigoBeneficiario : c.cedente));
    }

    static void titulo400(Registro &r, const ContaConfigurada &c, const Documento &doc, int tipoInscricao) {
        const NossoNumero nn = nossoNumero400(c, doc);
        const bool protesta = codigoProtesto(doc) != u'3';
        r.texto(2, 4, u"AAA")
            .texto(17, 19, u"AAA")
            .texto(38, 62, u"")
            .digitos(48, 56, nn.numero + nn.digito)
            .texto(72, 72, u"N")
            .texto(74, 74, doc.bancoEmiteBoleto ? u"A" : u"B")
            .numero(83, 92, 0)
            .numero(93, 96, percentualMulta400(doc, QStringLiteral("Sicredi")))
            // The bank's letters: J duplicata de serviço, A mercantil, C promissória, G recibo, K other.
            .texto(149, 149, especie400(doc, {u"J", u"A", u"C", u"G", u"K"}))
            .texto(150, 150, aceiteDoDocumento(c, doc) == u'A' ? u"S" : u"N")
            .numero(157, 158, protesta ? 6 : 0)
            .numero(159, 160, protesta ? doc.diasProtesto : 0)
            .numero(219, 220, tipoInscricao * 10)
            .numero(315, 325, 0);
    }
};

} // namespace

const RegraBanco &sicredi() {
    static const Sicredi banco;
    return banco;
}

} // namespace bolix
