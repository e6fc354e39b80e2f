// CNAB 400 cobrança remittance of Bradesco (237) and Itaú (341): no FEBRABAN-wide layout exists, each
// bank's manual fixes the positions. Header, one type 1 per title (Itaú: a type 2 with the fine), trailer;
// 395-400 number the records from 1.

#include "Bancos.h"
#include "Boleto.h"
#include "Digitos.h"
#include "ErroBolix.h"
#include "Registro.h"
#include "Remessa.h"

namespace bolix {

namespace {

bool ehBradesco(QStringView banco) {
    return banco == u"237";
}

QString numeroDocumento400(const Documento &doc) {
    const QString numero = doc.numeroDocumento.trimmed();
    if (numero.isEmpty() || numero.size() > 10)
        recusaDocumento(doc, QStringLiteral("NumeroDocumento"), doc.numeroDocumento,
                        QStringLiteral("o leiaute CNAB 400 leva até 10 caracteres"));
    return numero;
}

QDate vencimento400(const Documento &doc) {
    if (doc.dataVencimento.isNull())
        recusaDocumento(doc, QStringLiteral("DataVencimento"), QString(),
                        QStringLiteral("o leiaute CNAB 400 pede a data de vencimento"));
    return doc.dataVencimento;
}

// Bradesco's record carries the fine only as a percentage with two decimals (067-070).
std::int64_t percentualMultaBradesco(const Documento &doc) {
    if (doc.valorMultaAtraso > 0)
        recusaDocumento(doc, QStringLiteral("ValorMultaAtraso"),
                        QString::number(centavos(doc.valorMultaAtraso)),
                        QStringLiteral("o CNAB 400 do Bradesco leva a multa só em percentual"));
    const std::int64_t percentual = centavos(doc.percentualMultaAtraso);
    if (percentual > 9999)
        recusaDocumento(doc, QStringLiteral("PercentualMultaAtraso"), QString::number(percentual),
                        QStringLiteral("até 99,99%"));
    return percentual;
}

// The banks' own species codes for the FEBRABAN ones they share; any other is "outros".
QString especie400(const Documento &doc, QStringView banco) {
    const QString febraban = codigoEspecie(doc);
    if (febraban == u"02")
        return QStringLiteral("01");
    if (febraban == u"12")
        return QStringLiteral("02");
    if (febraban == u"17")
        return QStringLiteral("05");
    if (febraban == u"04")
        return ehBradesco(banco) ? QStringLiteral("12") : QStringLiteral("08");
    return QStringLiteral("99");
}

// Itaú's carteira letter (108): U for the dollar carteira 150, E for 147, I for every other.
QString letraCarteiraItau(const QString &carteira) {
    if (carteira == u"150")
        return QStringLiteral("U");
    if (carteira == u"147")
        return QStringLiteral("E");
    return QStringLiteral("I");
}

class Remessa400 {
public:
    Remessa400(const ContaConfigurada &conta, int sequencia, const QDateTime &geracao)
        : conta_(conta), banco_(regraDoBanco(conta.configuracao.banco)), sequencia_(sequencia),
          geracao_(geracao) {
        if (!temCnab400(banco_.codigo()))
            throw ErroBolix(QStringLiteral("O leiaute CNAB 400 não está disponível para o banco %1.")
                                .arg(banco_.codigo()));
    }

    QList<QByteArray> linhas(const QList<Documento> &docs) {
        acrescenta(header());
        for (const Documento &doc : docs) {
            const std::int64_t valor = centavosCobrados(doc);
            acrescenta(ehBradesco(banco_.codigo()) ? tipo1Bradesco(doc, valor) : tipo1Itau(doc, valor));
            if (!ehBradesco(banco_.codigo()) && (doc.valorMultaAtraso > 0 || doc.percentualMultaAtraso > 0))
                acrescenta(tipo2Itau(doc));
        }
        Registro trailer(400);
        trailer.texto(1, 1, u"9");
        acrescenta(trailer);
        return std::move(linhas_);
    }

private:
    void acrescenta(Registro r) {
        r.numero(395, 400, linhas_.size() + 1);
        linhas_.append(r.linha());
    }

    Registro header() const {
        Registro r(400);
        r.texto(1, 26, u"01REMESSA01COBRANCA")
            .texto(47, 76, conta_.configuracao.nomeBeneficiario)
            .digitos(77, 79, banco_.codigo())
            .texto(80, 94, banco_.nome())
            .dataCurta(95, geracao_.date());
        if (ehBradesco(banco_.codigo())) {
            const QString codigo = conta_.convenioArquivo.isEmpty() ? conta_.cedente : conta_.convenioArquivo;
            r.digitos(27, 46, zerosEsquerda(codigo, 20)).texto(109, 110, u"MX").numero(111, 117, sequencia_);
        } else {
            r.digitos(27, 30, conta_.agencia)
                .numero(31, 32, 0)
                .digitos(33, 37, conta_.conta)
                .digitos(38, 38, conta_.dvConta);
        }
        return r;
    }

    // The fields both banks place alike: occurrence, document, due date, value, species, issue date,
    // interest per day, discount and the payer's registration.
    Registro titulo(const Documento &doc, std::int64_t valor) const {
        const InscricaoSacado inscricao = inscricaoValida(doc);
        Registro r(400);
        r.numero(1, 1, 1)
            .texto(38, 62, controleDoParticipante(doc))
            .digitos(109, 110, u"01")
            .texto(111, 120, numeroDocumento400(doc))
            .dataCurta(121, vencimento400(doc))
            .numero(127, 139, valor)
            .digitos(148, 149, especie400(doc, banco_.codigo()))
            .dataCurta(151, doc.dataDocumento)
            .numero(161, 173,
                    doc.valorJurosDiaAtraso > 0 ? centavos(doc.valorJurosDiaAtraso)
                                                : centavosDoPercentual(doc, doc.percentualJurosDiaAtraso));
        const std::int64_t desconto = doc.valorDesconto > 0
                                          ? centavos(doc.valorDesconto)
                                          : centavosDoPercentual(doc, doc.percentualDesconto);
        r.dataCurta(174, desconto > 0 ? doc.dataVencimento : QDate())
            .numero(180, 192, desconto)
            .numero(193, 218, 0)
            .numero(219, 220, inscricao.tipo)
            .digitos(221, 234, inscricao.digitos);
        return r;
    }

    // Zeros when the bank numbers the title.
    NossoNumero nossoNumero(const Documento &doc) const {
        if (doc.bancoGeraNossoNumero && doc.nossoNumero.trimmed().isEmpty())
            return {};
        return nossoNumeroDoDocumento(conta_, doc);
    }

    // Protest: instruction 06 with the days in 159-160, as Bradesco's instruction table gives them.
    Registro tipo1Bradesco(const Documento &doc, std::int64_t valor) const {
        const NossoNumero nn = nossoNumero(doc);
        const std::int64_t multa = percentualMultaBradesco(doc);
        const bool protesta = codigoProtesto(doc) != u'3';
        Registro r = titulo(doc, valor);
        r.numero(2, 20, 0)
            .digitos(21, 37,
                     u'0' + zerosEsquerda(conta_.configuracao.carteira, 3) +
                         zerosEsquerda(conta_.agencia, 5) + conta_.conta + conta_.dvConta)
            .numero(63, 65, 0)
            .numero(66, 66, multa > 0 ? 2 : 0)
            .numero(67, 70, multa)
            .digitos(71, 81, nn.numero)
            .texto(82, 82, nn.digito.isEmpty() ? QStringLiteral("0") : nn.digito)
            .numero(83, 92, 0)
            .numero(93, 93, doc.bancoEmiteBoleto ? 1 : 2)
            .texto(94, 94, u"N")
            .numero(140, 147, 0)
            .texto(150, 150, u"N")
            .numero(157, 158, protesta ? 6 : 0)
            .numero(159, 160, protesta ? doc.diasProtesto : 0)
            .texto(235, 274, doc.nomeSacado.trimmed())
            .texto(275, 314, doc.enderecoSacado.trimmed())
            .digitos(327, 334, cepSacado(doc));
        return r;
    }

    // Protest: instruction 09 with the days in 392-393, as Itaú's instruction table gives them.
    Registro tipo1Itau(const Documento &doc, std::int64_t valor) const {
        const QString &inscricao = conta_.configuracao.inscricaoBeneficiario;
        const NossoNumero nn = nossoNumero(doc);
        const bool protesta = codigoProtesto(doc) != u'3';
        Registro r = titulo(doc, valor);
        r.numero(2, 3, inscricao.size() == 14 ? 2 : 1)
            .digitos(4, 17, inscricao)
            .digitos(18, 21, conta_.agencia)
            .numero(22, 23, 0)
            .digitos(24, 28, conta_.conta)
            .digitos(29, 29, conta_.dvConta)
            .numero(34, 37, 0)
            .digitos(63, 70, nn.numero)
            .numero(71, 83, 0)
            .digitos(84, 86, conta_.configuracao.carteira)
            .texto(108, 108, letraCarteiraItau(conta_.configuracao.carteira))
            .digitos(140, 142, banco_.codigo())
            .numero(143, 147, 0)
            .texto(150, 150, QString(aceiteDoDocumento(conta_, doc)))
            .numero(157, 158, protesta ? 9 : 0)
            .numero(159, 160, 0)
            .texto(235, 264, doc.nomeSacado.trimmed())
            .texto(275, 314, doc.enderecoSacado.trimmed())
            .texto(315, 326, doc.bairroSacado.trimmed())
            .digitos(327, 334, cepSacado(doc))
            .texto(335, 349, doc.cidadeSacado.trimmed())
            .texto(350, 351, estadoSacado(doc))
            .numero(386, 391, 0)
            .numero(392, 393, protesta ? doc.diasProtesto : 0);
        return r;
    }

    // The fine from the day after the due date: 1 an amount, 2 a percentage, both with two decimals.
    static Registro tipo2Itau(const Documento &doc) {
        const bool valor = doc.valorMultaAtraso > 0;
        Registro r(400);
        r.numero(1, 1, 2)
            .numero(2, 2, valor ? 1 : 2)
            .data(3, doc.dataVencimento.addDays(1))
            .numero(11, 23, centavos(valor ? doc.valorMultaAtraso : doc.percentualMultaAtraso));
        return r;
    }

    const ContaConfigurada &conta_;
    const RegraBanco &banco_;
    int sequencia_;
    QDateTime geracao_;
    QList<QByteArray> linhas_;
};

} // namespace

// The caller checks its rows before it dates the documents: the due date is refused by the file alone.
QStringList recusasDoTitulo400(const Documento &doc, QStringView banco) {
    QStringList recusas = recusasDoSacado240(doc);
    anotaRecusa(recusas, [&] { numeroDocumento400(doc); });
    anotaRecusa(recusas, [&] { controleDoParticipante(doc); });
    if (ehBradesco(banco))
        anotaRecusa(recusas, [&] { percentualMultaBradesco(doc); });
    return recusas;
}

QList<QByteArray> remessa400(const ContaConfigurada &conta, const QList<Documento> &docs, int sequencia,
                             const QDateTime &geracao) {
    return Remessa400(conta, sequencia, geracao).linhas(docs);
}

} // namespace bolix
