#include "bolix/core/Boleto.h"
#include "bolix/core/Digitos.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/bancos/BancosConhecidos.h"
#include "bolix/core/cnab/Remessa.h"
#include "bolix/core/cnab/Remessa400.h"

#include <QRegularExpression>

namespace bolix {

namespace {

struct NumeroComNc {
    QString numero;
    QString nc;
};

// "1102", "1102.48", "900015.0.46" or "9000150-46": the number and its two control digits, checked when
// given.
NumeroComNc numeroComNc(const QString &membro, const QString &valor, int largura) {
    static const QRegularExpression forma(QStringLiteral("^([0-9.]*?[0-9])(?:[-.]([0-9]{2}))?$"));
    QString limpo = valor;
    limpo.remove(u' ');
    const auto achado = forma.match(limpo);
    if (!achado.hasMatch())
        recusaConta(membro, valor,
                    QStringLiteral("use só dígitos, com o NC de 2 dígitos após \".\" ou \"-\""));
    const QString digitos = soDigitos(achado.captured(1));
    if (semZerosEsquerda(digitos).size() > largura)
        recusaConta(membro, valor, QStringLiteral("até %1 dígitos").arg(largura));
    NumeroComNc r;
    r.numero = zerosEsquerda(semZerosEsquerda(digitos), largura);
    r.nc = ncBanrisul(r.numero);
    if (!achado.captured(2).isEmpty() && achado.captured(2) != r.nc)
        recusaConta(membro, valor, QStringLiteral("o NC é %1").arg(r.nc));
    return r;
}

// Banrisul: agência (4) and código do beneficiário (7), each with its two control digits (NC), a
// nosso número of 8 digits with its NC.
class Banrisul : public RegraBanco {
public:
    QString codigo() const override { return QStringLiteral("041"); }
    QString nome() const override { return QStringLiteral("BANRISUL"); }

    void normalizaConta(const Conta &e, ContaConfigurada &c) const override {
        const auto agencia = numeroComNc(QStringLiteral("CodigoAgencia"), e.codigoAgencia, 4);
        c.agencia = agencia.numero;
        c.dvAgencia = agencia.nc;
        const auto conta =
            separaDigito(QStringLiteral("NumeroContaCorrente"), e.numeroContaCorrente, 10, true);
        c.conta = conta.numero;
        c.dvConta = conta.digito;
        const auto cedente = numeroComNc(QStringLiteral("CodigoCedente"), e.codigoCedente, 7);
        c.cedente = cedente.numero;
        c.dvCedente = cedente.nc;
    }

    void confereCodigoBeneficiario(const QString &doPrograma,
                                   const QString &dasConfiguracoes) const override {
        if (doPrograma.trimmed().isEmpty())
            return;
        const QString membro = QStringLiteral("CodigoCedente");
        if (numeroComNc(membro, doPrograma, 7).numero != numeroComNc(membro, dasConfiguracoes, 7).numero)
            recusaConta(
                membro, doPrograma,
                QStringLiteral("difere do codigo_beneficiario \"%1\" do bolix.ini; o Banrisul dá um só "
                               "código do beneficiário: deixe um dos dois vazio ou iguale-os")
                    .arg(dasConfiguracoes));
    }

    int larguraSequencia(const ContaConfigurada &) const override { return 8; }

    NossoNumero nossoNumero(const ContaConfigurada &, const QString &sequencia,
                            const Documento &) const override {
        NossoNumero nn;
        nn.numero = zerosEsquerda(sequencia, 8);
        nn.digito = ncBanrisul(nn.numero);
        nn.impresso = nn.numero + u'.' + nn.digito;
        nn.campoCnab = nn.numero + nn.digito;
        return nn;
    }

    // Cobrança direta (2, the payee issues the boleto), 1, agência, código, number, "40" for a four-digit
    // agência, and the NC of all that.
    QString campoLivre(const ContaConfigurada &c, const NossoNumero &nn) const override {
        const QString semNc = QStringLiteral("21") + c.agencia + c.cedente + nn.numero + QStringLiteral("40");
        return semNc + ncBanrisul(semNc);
    }

    QString versaoArquivo240(const ContaConfigurada &) const override { return QStringLiteral("040"); }
    QString versaoLote240(const ContaConfigurada &) const override { return QStringLiteral("020"); }

    // The bank reads the first 13 positions: agência, código and its NC.
    QString convenioCnab(const ContaConfigurada &c) const override {
        return c.agencia + c.cedente + c.dvCedente;
    }

    // The agência's NC is not written.
    void contaCnab240(Registro &r, int inicio, const ContaConfigurada &c) const override {
        RegraBanco::contaCnab240(r, inicio, c);
        r.texto(inicio + 5, inicio + 5, u"");
    }

    void ajustaRemessa240(Registro240 tipo, Registro &r, const ContaConfigurada &c,
                          const Documento *) const override {
        if (tipo == Registro240::HeaderLote)
            r.numero(12, 13, 0);
        else if (tipo == Registro240::SegmentoP)
            r.texto(58, 58, c.configuracao.carteira);
    }

    const Leiaute240 &leiaute240() const override {
        static const Leiaute240 banrisul = [] {
            Leiaute240 l;
            l.nossoNumeroRemessa = {38, 47};
            l.nossoNumero = {38, 47};
            l.nossoNumeroNumerico = true;
            return l;
        }();
        return banrisul;
    }

    // Header: the 13-digit código de cedente (agência and código with its NC). Title: the same code,
    // the nosso número with its NC, the carteira, the document type (08 when the payee prints the boleto,
    // 06 when the bank does), interest per day (code 0), protest as instruction 09 and the fine as 18,
    // each with its days. Numeric fields the title does not use stay blank, as the manual asks. Trailer:
    // the titles' value.
    void ajustaRemessa400(Registro400 tipo, Registro &r, const ContaConfigurada &c,
                          const Remessa400Em &em) const override {
        switch (tipo) {
        case Registro400::Header:
            r.texto(10, 26, u"").digitos(27, 39, codigoCedente(c));
            break;
        case Registro400::Titulo:
            titulo400(r, c, *em.doc);
            break;
        case Registro400::Trailer:
            r.numero(28, 40, em.centavos);
            break;
        }
    }

    // No district: 315-326 hold the fine's rate and days.
    Pagador400 pagador400() const override { return {269, {275, 314}, std::nullopt}; }

    QStringList recusasDoTitulo400(const Documento &doc) const override {
        QStringList recusas;
        anotaRecusa(recusas, [&] { multa400(doc); });
        return recusas;
    }

    // CR LF after each record and the end-of-file mark after the trailer's.
    QByteArray fimDaRemessa400() const override { return QByteArrayLiteral("\x1A"); }

    // Paid: 06, 07 (partial), 08 (the balance), 15 (at the notary). 30 and 31, payments in transit, come
    // only on request and are not settled; 04 is a write-off by public notice. The trailer's figures are
    // the portfolio's ("em carteira") and the settled titles', none this file's.
    const Leiaute400 *leiaute400() const override {
        static const Leiaute400 banrisul = [] {
            Leiaute400 l{
                {63, 72},
                {383, 392},
                {QStringLiteral("06"), QStringLiteral("07"), QStringLiteral("08"), QStringLiteral("15")},
                false,
                false,
                {}};
            l.identificacaoTrailer = "";
            l.bancoNoTrailer = 0;
            l.baixas = {{QStringLiteral("09"), QStringLiteral("devolução automática")},
                        {QStringLiteral("10"), QStringLiteral("baixado conforme instruções")}};
            return l;
        }();
        return &banrisul;
    }

    // The header's código de cedente (027-039) may come zero-filled; each detail repeats it (018-030).
    ContaDoRetorno contaDoRetorno400(const ContaConfigurada &c) const override {
        return {{QStringLiteral("código de cedente"), {27, 39}, codigoCedente(c), true}};
    }
    ContaDoRetorno contaDoDetalhe400(const ContaConfigurada &c) const override {
        return {{QStringLiteral("código de cedente"), {18, 30}, codigoCedente(c), true}};
    }

    // 254-266 by the contract's type: 1 leaves interest out (and the other expenses are taken), 2 the
    // other receipts, 3 the discount, abatement and other receipts; 4 is what the payer paid; 5 takes the
    // fee and the other expenses; 6 is the face value.
    Dinheiro valorPago400(const Valores400 &v, const ConfiguracaoBolix &cfg) const override {
        switch (cfg.tipoValorPago) {
        case 1:
            return v.recebido + v.juros + v.outrasDespesas;
        case 2:
            return v.recebido + v.outros;
        case 3:
            return v.recebido - v.desconto - v.abatimento + v.outros;
        case 5:
            return v.recebido + v.tarifa + v.outrasDespesas;
        case 6:
            return v.recebido + v.juros + v.outros - v.desconto - v.abatimento;
        default:
            return v.recebido;
        }
    }

    QString beneficiarioImpresso(const ContaConfigurada &c) const override {
        return c.agencia + u'.' + c.dvAgencia + QStringLiteral(" / ") + c.cedente.left(6) + u'.' +
               c.cedente.mid(6) + u'.' + c.dvCedente;
    }

private:
    static QString codigoCedente(const ContaConfigurada &c) { return c.agencia + c.cedente + c.dvCedente; }

    // The fine as a percentage with one decimal (322-324).
    static std::int64_t multa400(const Documento &doc) {
        const std::int64_t centesimos = percentualMulta400(doc, QStringLiteral("Banrisul"));
        if (centesimos % 10 != 0 || centesimos > 9990)
            recusaDocumento(doc, QStringLiteral("PercentualMultaAtraso"), QString::number(centesimos),
                            QStringLiteral("o CNAB 400 do Banrisul leva a multa com uma casa decimal, até "
                                           "99,9%"));
        return centesimos / 10;
    }

    void titulo400(Registro &r, const ContaConfigurada &c, const Documento &doc) const {
        const NossoNumero nn = nossoNumero400(c, doc);
        const std::int64_t multa = multa400(doc);
        const std::int64_t juros = jurosDoDia400(doc);
        const bool desconto = desconto400(doc) > 0;
        const bool protesta = codigoProtesto(doc) != u'3';
        r.digitos(18, 30, codigoCedente(c))
            .digitos(63, 72, nn.numero + nn.digito)
            .texto(108, 108, c.configuracao.carteira)
            .digitos(140, 142, codigo())
            .digitos(148, 149, doc.bancoEmiteBoleto ? u"06" : u"08")
            .texto(150, 150, QString(aceiteDoDocumento(c, doc)))
            .texto(157, 158, protesta ? u"09" : u"")
            .texto(159, 160, multa > 0 ? u"18" : u"")
            .texto(161, 173, u"")
            .texto(193, 218, u"");
        if (juros > 0)
            r.numero(161, 161, 0).numero(162, 173, juros);
        if (!desconto)
            r.texto(174, 192, u"");
        if (multa > 0)
            r.numero(322, 324, multa).numero(325, 326, 0);
        if (protesta)
            r.numero(370, 371, doc.diasProtesto);
    }
};

} // namespace

const RegraBanco &banrisul() {
    static const Banrisul banco;
    return banco;
}

} // namespace bolix
