#include "bolix/core/Boleto.h"
#include "bolix/core/Digitos.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/bancos/BancosConhecidos.h"
#include "bolix/core/cnab/Remessa.h"
#include "bolix/core/cnab/Remessa400.h"

namespace bolix {

namespace {

class Bradesco : public RegraBanco {
public:
    QString codigo() const override { return QStringLiteral("237"); }
    QString nome() const override { return QStringLiteral("BRADESCO"); }

    void normalizaConta(const Conta &e, ContaConfigurada &c) const override {
        agenciaEContaInformadas(e, c, 4, 7, QStringLiteral("0123456789P"));
        // The CNAB 400 file names the company by its 20-digit code and its account with the digit.
        const bool cnab400 = c.configuracao.layout == 400;
        c.cedente = separaDigito(QStringLiteral("CodigoCedente"), e.codigoCedente, 20, cnab400, {}).numero;
        if (cnab400 && c.dvConta.isEmpty())
            recusaConta(QStringLiteral("NumeroContaCorrente"), e.numeroContaCorrente,
                        QStringLiteral("o CNAB 400 do Bradesco pede o dígito da conta após \"-\""));
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

    // Header: the company's 20-digit code and the remittance's sequence. Title: carteira, agência and
    // account; protest is instruction 06 with the days in 159-160, as the instruction table gives them.
    void ajustaRemessa400(Registro400 tipo, Registro &r, const ContaConfigurada &c,
                          const Remessa400Em &em) const override {
        if (tipo == Registro400::Header) {
            const QString codigo = c.convenioArquivo.isEmpty() ? c.cedente : c.convenioArquivo;
            r.digitos(27, 46, zerosEsquerda(codigo, 20))
                .texto(109, 110, u"MX")
                .numero(111, 117, em.sequencia);
        } else if (tipo == Registro400::Titulo) {
            titulo400(r, c, *em.doc);
        }
    }

    // Name, address and postcode only: 315-326 and 335-394 are messages and the sacador.
    Pagador400 pagador400() const override { return {274, {275, 314}, std::nullopt, false}; }

    QStringList recusasDoTitulo400(const Documento &doc) const override {
        QStringList recusas;
        anotaRecusa(recusas, [&] { percentualMulta400(doc, QStringLiteral("Bradesco")); });
        return recusas;
    }

    // A DOS end-of-file mark after the trailer's CR LF.
    QByteArray fimDaRemessa400() const override { return QByteArrayLiteral("\x1A"); }

    // Paid: 06, 15 (at the notary), 16 (paid by a linked cheque: the manual's list of codes to settle
    // holds it, and no later liquidation of such a title is known) and 17 (after the write-off). The
    // manual's trailer: 018-039 are the portfolio's titles and value ("cobrança
    // simples"), not this file's; the groups by occurrence are this file's. Of those, the entries confirmed
    // (02) and the titles written off (09 and 10) are compared, count and face value; the liquidation
    // group's two values and the others' are not clear enough in the manual to compare.
    const Leiaute400 *leiaute400() const override {
        static const Leiaute400 bradesco = [] {
            Leiaute400 l{
                {71, 82},
                {319, 328},
                {QStringLiteral("06"), QStringLiteral("15"), QStringLiteral("16"), QStringLiteral("17")},
                false,
                false,
                {{QStringLiteral("entradas confirmadas (02)"),
                  {58, 62},
                  Faixa{63, 74},
                  {QStringLiteral("02")}},
                 {QStringLiteral("títulos baixados (09 e 10)"),
                  {104, 108},
                  Faixa{109, 120},
                  {QStringLiteral("09"), QStringLiteral("10")}}}};
            l.baixas = {{QStringLiteral("09"), QStringLiteral("baixado automaticamente")},
                        {QStringLiteral("10"), QStringLiteral("baixado por instrução da agência")}};
            return l;
        }();
        return &bradesco;
    }

    // The header names the company by the 20-digit code Bradesco gave it (027-046).
    ContaDoRetorno contaDoRetorno400(const ContaConfigurada &c) const override {
        return {{QStringLiteral("código da empresa"), {27, 46}, contaDoArquivo240(c).convenio, true}};
    }

private:
    void titulo400(Registro &r, const ContaConfigurada &c, const Documento &doc) const {
        const NossoNumero nn = nossoNumero400(c, doc);
        const std::int64_t multa = percentualMulta400(doc, QStringLiteral("Bradesco"));
        const bool protesta = codigoProtesto(doc) != u'3';
        r.numero(2, 20, 0)
            .digitos(21, 37,
                     u'0' + zerosEsquerda(c.configuracao.carteira, 3) + zerosEsquerda(c.agencia, 5) +
                         c.conta + c.dvConta)
            .numero(63, 65, 0)
            .numero(66, 66, multa > 0 ? 2 : 0)
            .numero(67, 70, multa)
            .digitos(71, 81, nn.numero)
            .texto(82, 82, nn.digito.isEmpty() ? QStringLiteral("0") : nn.digito)
            .numero(83, 92, 0)
            .numero(93, 93, doc.bancoEmiteBoleto ? 1 : 2)
            .texto(94, 94, u"N")
            .numero(140, 147, 0)
            .digitos(148, 149, especie400(doc, {u"12"}))
            .texto(150, 150, u"N")
            .numero(157, 158, protesta ? 6 : 0)
            .numero(159, 160, protesta ? doc.diasProtesto : 0);
    }
};

} // namespace

const RegraBanco &bradesco() {
    static const Bradesco banco;
    return banco;
}

} // namespace bolix
