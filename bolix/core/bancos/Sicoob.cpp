#include "bolix/core/Boleto.h"
#include "bolix/core/Digitos.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/bancos/BancosConhecidos.h"
#include "bolix/core/cnab/Remessa.h"
#include "bolix/core/cnab/Remessa400.h"

namespace bolix {

namespace {

class Sicoob : public RegraBanco {
public:
    QString codigo() const override { return QStringLiteral("756"); }
    QString nome() const override { return QStringLiteral("SICOOB"); }

    // The client code stays digits only: the program reads it back as a whole number.
    void normalizaConta(const Conta &e, ContaConfigurada &c) const override {
        agenciaEContaInformadas(e, c, 4, 12);
        c.cedente = separaDigito(QStringLiteral("CodigoCedente"), soDigitos(e.codigoCedente), 7, true).numero;
    }

    int larguraSequencia(const ContaConfigurada &) const override { return 7; }

    // Callers hand the sequence over with their own check digit appended; the digit is recomputed
    // from the cooperative and client code, as the bank checks it.
    QString sequenciaInformada(const QString &digitos) const override {
        return digitos.size() >= 8 ? digitos.left(digitos.size() - 1) : digitos;
    }

    NossoNumero nossoNumero(const ContaConfigurada &c, const QString &sequencia,
                            const Documento &) const override {
        NossoNumero nn;
        nn.numero = zerosEsquerda(sequencia, 7);
        nn.digito =
            QString::number(modulo11Sicoob(QString(c.agencia + zerosEsquerda(c.cedente, 10) + nn.numero)));
        nn.impresso = nn.numero + u'-' + nn.digito;
        nn.campoCnab = zerosEsquerda(QString(nn.numero + nn.digito), 10) + QStringLiteral("01") +
                       c.configuracao.modalidade + QStringLiteral("4") + QString(5, u' ');
        return nn;
    }

    QString beneficiarioImpresso(const ContaConfigurada &c) const override {
        return comDigito(c.agencia, c.dvAgencia) + u'/' + comDigito(c.cedente, c.dvCedente);
    }

    QString campoLivre(const ContaConfigurada &c, const NossoNumero &nn) const override {
        return c.configuracao.carteira + c.agencia + c.configuracao.modalidade + c.cedente + nn.numero +
               nn.digito + QStringLiteral("001");
    }

    // Header: cooperativa, the client code with its DV, the remittance's sequence. Title: cooperativa and
    // conta with their DVs, the nosso número with its DV, who issues the boleto, the modalidade, interest
    // and fine as monthly rates with four decimals; protest is the instruction of its days (03 to 20).
    void ajustaRemessa400(Registro400 tipo, Registro &r, const ContaConfigurada &c,
                          const Remessa400Em &em) const override {
        if (tipo == Registro400::Header)
            r.digitos(27, 30, c.agencia)
                .digitos(32, 40, zerosEsquerda(c.cedente, 9))
                .texto(80, 94, u"BANCOOBCED")
                .numero(101, 107, em.sequencia);
        else if (tipo == Registro400::Titulo)
            titulo400(r, c, *em.doc);
    }

    Pagador400 pagador400() const override { return {274, {275, 311}, Faixa{312, 326}}; }

    QStringList recusasDoTitulo400(const Documento &doc) const override {
        QStringList recusas;
        anotaRecusa(recusas, [&] { percentualMulta400(doc, QStringLiteral("Sicoob")); });
        return recusas;
    }

    // Paid: 06 and 15 (at the notary); 05, a title without registration, is not this component's. The
    // fee is 182-188 and the credit date 176-181, as in Banco do Brasil's return. The trailer's count
    // is not defined clearly enough to refuse a file on it.
    const Leiaute400 *leiaute400() const override {
        static const Leiaute400 sicoob = [] {
            Leiaute400 l{{63, 74}, {81, 82}, {QStringLiteral("06"), QStringLiteral("15")}, false, false, {}};
            l.identificacaoTrailer = "02";
            l.bancoNoTrailer = 4;
            l.tarifa = {182, 188};
            l.dataCredito = 176;
            l.baixas = {{QStringLiteral("09"), QStringLiteral("baixa")},
                        {QStringLiteral("10"), QStringLiteral("baixa solicitada")}};
            return l;
        }();
        return &sicoob;
    }

    // The header's cooperativa (027-030) and client code with its DV (032-040).
    ContaDoRetorno contaDoRetorno400(const ContaConfigurada &c) const override {
        return {{QStringLiteral("cooperativa"), {27, 30}, c.agencia},
                {QStringLiteral("código do cliente"), {32, 40}, zerosEsquerda(c.cedente, 9), true}};
    }

private:
    // A monthly rate with four decimals from a daily interest: a percentage, or an amount of the title's
    // value.
    static std::int64_t jurosAoMes(const Documento &doc) {
        if (doc.valorJurosDiaAtraso <= 0 || doc.valorDocumento <= 0)
            return doc.percentualJurosDiaAtraso * 30;
        return (doc.valorJurosDiaAtraso * 30 * 1'000'000 + doc.valorDocumento / 2) / doc.valorDocumento;
    }

    void titulo400(Registro &r, const ContaConfigurada &c, const Documento &doc) const {
        const QString &inscricao = c.configuracao.inscricaoBeneficiario;
        const NossoNumero nn = nossoNumero400(c, doc);
        const int protesto = codigoProtesto(doc) != u'3' ? doc.diasProtesto : 0;
        if (protesto != 0 && (protesto < 3 || protesto > 20))
            recusaDocumento(doc, QStringLiteral("DiasProtesto"), QString::number(protesto),
                            QStringLiteral("o Sicoob protesta de 3 a 20 dias úteis"));
        const bool cliente = !doc.bancoEmiteBoleto;
        r.numero(2, 3, inscricao.size() == 14 ? 2 : 1)
            .digitos(4, 17, inscricao)
            .digitos(18, 21, c.agencia)
            .texto(22, 22, c.dvAgencia)
            .digitos(23, 30, semZerosEsquerda(c.conta))
            .texto(31, 31, c.dvConta)
            .numero(32, 37, 0)
            .digitos(63, 74, nn.numero.isEmpty() ? QString() : nn.numero + nn.digito)
            .numero(75, 76, 1)
            .numero(77, 78, 0)
            .numero(86, 101, 0)
            .numero(106, 106, cliente ? 2 : 1)
            .digitos(107, 108, c.configuracao.modalidade)
            .digitos(140, 142, codigo())
            .digitos(143, 146, c.agencia)
            .texto(147, 147, c.dvAgencia)
            .digitos(148, 149, especie400(doc, {u"12"}))
            .numero(150, 150, aceiteDoDocumento(c, doc) == u'A' ? 1 : 0)
            .numero(157, 160, protesto * 100)
            .numero(161, 166, jurosAoMes(doc))
            .numero(167, 172, percentualMulta400(doc, QStringLiteral("Sicoob")) * 100)
            .numero(173, 173, cliente ? 2 : 1)
            .numero(392, 393, protesto);
    }
};

} // namespace

const RegraBanco &sicoob() {
    static const Sicoob banco;
    return banco;
}

} // namespace bolix
