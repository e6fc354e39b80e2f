#include "bolix/core/Boleto.h"
#include "bolix/core/Digitos.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/bancos/BancosConhecidos.h"
#include "bolix/core/cnab/Remessa.h"
#include "bolix/core/cnab/Remessa400.h"

namespace bolix {

namespace {

class BancoDoBrasil : public RegraBanco {
public:
    QString codigo() const override { return QStringLiteral("001"); }
    QString nome() const override { return QStringLiteral("BANCO DO BRASIL S.A."); }

    void normalizaConta(const Conta &e, ContaConfigurada &c) const override {
        const QString comX = QStringLiteral("0123456789X");
        const auto agencia = separaDigito(QStringLiteral("CodigoAgencia"), e.codigoAgencia, 4, true, comX);
        c.agencia = agencia.numero;
        c.dvAgencia = confereDigito(QStringLiteral("CodigoAgencia"), e.codigoAgencia, agencia.digito,
                                    modulo11BancoDoBrasil(agencia.numero));
        const auto conta =
            separaDigito(QStringLiteral("NumeroContaCorrente"), e.numeroContaCorrente, 8, true, comX);
        c.conta = conta.numero;
        c.dvConta = confereDigito(QStringLiteral("NumeroContaCorrente"), e.numeroContaCorrente, conta.digito,
                                  modulo11BancoDoBrasil(conta.numero));
        const int tamanho = c.configuracao.tamanhoConvenio;
        c.cedente = separaDigito(QStringLiteral("CodigoCedente"), e.codigoCedente, tamanho, true, {}).numero;
        if (tamanho == 7 && c.cedente.startsWith(u'0'))
            recusaConta(QStringLiteral("CodigoCedente"), e.codigoCedente,
                        QStringLiteral("um convênio de 7 dígitos vai de 1000000 a 9999999"));
        // The bank's CNAB 400 layouts read here are those of 7-digit convênios.
        if (c.configuracao.layout == 400 && (tamanho != 7 || c.configuracao.nossoNumeroLivre))
            recusaConta(QStringLiteral("CodigoCedente"), e.codigoCedente,
                        QStringLiteral("o CNAB 400 do Banco do Brasil está disponível para convênios de 7 "
                                       "dígitos (tamanho_convenio=7)"));
    }

    int larguraSequencia(const ContaConfigurada &c) const override {
        if (c.configuracao.nossoNumeroLivre)
            return 17;
        return c.configuracao.tamanhoConvenio == 4 ? 7 : c.configuracao.tamanhoConvenio == 6 ? 5 : 10;
    }

    // Convênios of 4 and 6 digits prefix the sequence and add a digit; 7 digits and the free 17 add none.
    NossoNumero nossoNumero(const ContaConfigurada &c, const QString &sequencia,
                            const Documento &) const override {
        NossoNumero nn;
        const QString prefixo = c.configuracao.nossoNumeroLivre ? QString() : c.cedente;
        nn.numero = prefixo + zerosEsquerda(sequencia, larguraSequencia(c));
        nn.impresso = nn.numero;
        if (nn.numero.size() == 11) {
            nn.digito = modulo11BancoDoBrasil(nn.numero);
            nn.impresso += u'-' + nn.digito;
        }
        nn.campoCnab = nn.numero + nn.digito;
        return nn;
    }

    // Without the closing "21" the bank would read a free number as the 11-digit layout.
    QString campoLivre(const ContaConfigurada &c, const NossoNumero &nn) const override {
        if (c.configuracao.nossoNumeroLivre)
            return c.cedente + nn.numero + QStringLiteral("21");
        if (c.configuracao.tamanhoConvenio == 7)
            return QStringLiteral("000000") + nn.numero + c.configuracao.carteira;
        return nn.numero + c.agencia + c.conta + c.configuracao.carteira;
    }

    QString beneficiarioImpresso(const ContaConfigurada &c) const override {
        return comDigito(c.agencia, c.dvAgencia) + QStringLiteral(" / ") + comDigito(c.conta, c.dvConta);
    }

    // Convênio (9), the fixed "0014" of cobrança, carteira and its variation.
    QString convenioCnab(const ContaConfigurada &c) const override {
        const QString variacao =
            c.configuracao.variacao.isEmpty() ? QStringLiteral("000") : c.configuracao.variacao;
        return zerosEsquerda(c.cedente, 9) + QStringLiteral("0014") + c.configuracao.carteira + variacao;
    }

    // The return's 33-52 holds the same four parts, and the bank may leave carteira and variação blank:
    // each is compared on its own ("0014" is fixed and says nothing of the account).
    ContaDoRetorno contaDoRetorno240(const ContaConfigurada &c) const override {
        const ContaDoArquivo240 a = contaDoArquivo240(c);
        return {{QStringLiteral("agência"), {53, 57}, a.agencia},
                {QStringLiteral("conta"), {59, 70}, a.conta, true},
                {QStringLiteral("convênio"), {33, 41}, a.convenio.mid(0, 9), true},
                {QStringLiteral("carteira"), {46, 47}, a.convenio.mid(13, 2)},
                {QStringLiteral("variação da carteira"), {48, 50}, a.convenio.mid(15, 3)}};
    }

    // Header: agência and conta with their DVs, the remittance's sequence and the convênio líder. Title
    // (record 7): agência, conta, convênio, the control key in 039-063, the 17-digit nosso número,
    // variação and carteira; protest is instruction 06 with the days in 392-393.
    void ajustaRemessa400(Registro400 tipo, Registro &r, const ContaConfigurada &c,
                          const Remessa400Em &em) const override {
        if (tipo == Registro400::Header)
            r.digitos(27, 30, c.agencia)
                .texto(31, 31, c.dvAgencia)
                .digitos(32, 39, c.conta)
                .texto(40, 40, c.dvConta)
                .numero(41, 46, 0)
                .texto(80, 94, u"BANCODOBRASIL")
                .numero(101, 107, em.sequencia)
                .digitos(130, 136, c.cedente);
        else if (tipo == Registro400::Titulo)
            titulo400(r, c, *em.doc);
    }

    Pagador400 pagador400() const override { return {271}; }

    // The fine in a record 5 of type 99: code 1 an amount, 2 a percentage, from the day after the due
    // date.
    QList<Registro> complementosRemessa400(const ContaConfigurada &, const Documento &doc) const override {
        if (doc.valorMultaAtraso <= 0 && doc.percentualMultaAtraso <= 0)
            return {};
        const bool valor = doc.valorMultaAtraso > 0;
        Registro r(400);
        r.numero(1, 1, 5)
            .digitos(2, 3, u"99")
            .numero(4, 4, valor ? 1 : 2)
            .dataCurta(5, doc.dataVencimento.addDays(1))
            .numero(11, 22, centavos(valor ? doc.valorMultaAtraso : doc.percentualMultaAtraso));
        return {r};
    }

    // Paid: 06, 07 (on account), 08 (the balance), 15 (at the notary). 46, paid by a cheque awaiting
    // clearing, is reported and settled by a later 06; 44 is a cheque returned. Details are record 7,
    // the fee 182-188 and the credit date 176-181.
    const Leiaute400 *leiaute400() const override {
        static const Leiaute400 bb = [] {
            Leiaute400 l{
                {64, 80},
                {87, 88},
                {QStringLiteral("06"), QStringLiteral("07"), QStringLiteral("08"), QStringLiteral("15")},
                false,
                false,
                {}};
            l.tipoDetalhe = '7';
            l.identificacaoTitulo = {39, 63};
            l.tarifa = {182, 188};
            l.dataCredito = 176;
            l.baixas = {{QStringLiteral("09"), QStringLiteral("baixa")},
                        {QStringLiteral("10"), QStringLiteral("baixa solicitada")}};
            return l;
        }();
        return &bb;
    }

    // Agência (027-030) and conta (032-039) in the header, the convênio in 150-156.
    ContaDoRetorno contaDoRetorno400(const ContaConfigurada &c) const override {
        return {{QStringLiteral("agência"), {27, 30}, c.agencia},
                {QStringLiteral("conta"), {32, 39}, c.conta, true},
                {QStringLiteral("convênio"), {150, 156}, c.cedente, true}};
    }

private:
    void titulo400(Registro &r, const ContaConfigurada &c, const Documento &doc) const {
        const QString &inscricao = c.configuracao.inscricaoBeneficiario;
        const NossoNumero nn = nossoNumero400(c, doc);
        const bool protesta = codigoProtesto(doc) != u'3';
        r.numero(1, 1, 7)
            .numero(2, 3, inscricao.size() == 14 ? 2 : 1)
            .digitos(4, 17, inscricao)
            .digitos(18, 21, c.agencia)
            .texto(22, 22, c.dvAgencia)
            .digitos(23, 30, c.conta)
            .texto(31, 31, c.dvConta)
            .texto(38, 62, u"")
            .digitos(32, 38, c.cedente)
            .texto(39, 63, controleDoParticipante(doc))
            .digitos(64, 80, nn.numero)
            .numero(81, 84, 0)
            .digitos(92, 94, c.configuracao.variacao)
            .numero(95, 101, 0)
            .digitos(107, 108, c.configuracao.carteira)
            .digitos(140, 142, codigo())
            .numero(143, 146, 0)
            .digitos(148, 149, especie400(doc, {u"12"}))
            .texto(150, 150, QString(aceiteDoDocumento(c, doc)))
            .numero(157, 158, protesta ? 6 : 0)
            .numero(159, 160, 0)
            .numero(392, 393, protesta ? doc.diasProtesto : 0);
    }
};

} // namespace

const RegraBanco &bancoDoBrasil() {
    static const BancoDoBrasil banco;
    return banco;
}

} // namespace bolix
