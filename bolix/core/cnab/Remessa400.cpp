// CNAB 400 cobrança remittance: no FEBRABAN-wide layout exists, each bank's manual fixes the positions.
// Header, one type 1 per title and the records its bank adds, trailer; 395-400 number the records from 1.
// What the banks share is written here; each bank's rule writes its own fields over it.

#include "bolix/core/cnab/Remessa400.h"
#include "bolix/core/Boleto.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/bancos/Bancos.h"
#include "bolix/core/cnab/Registro.h"
#include "bolix/core/cnab/Remessa.h"

namespace bolix {

namespace {

class Remessa400 {
public:
    Remessa400(const ContaConfigurada &conta, int sequencia, const QDateTime &geracao)
        : conta_(conta), banco_(regraDoBanco(conta.configuracao.banco)), pagador_(banco_.pagador400()),
          sequencia_(sequencia), geracao_(geracao) {
        if (!banco_.leiaute400())
            throw ErroBolix(QStringLiteral("O leiaute CNAB 400 não está disponível para o banco %1.")
                                .arg(banco_.codigo()));
    }

    QList<QByteArray> linhas(const QList<Documento> &docs) {
        acrescenta(Registro400::Header, header(), {});
        std::int64_t total = 0;
        for (const Documento &doc : docs) {
            const std::int64_t valor = centavosCobrados(doc);
            total += valor;
            Remessa400Em titulo;
            titulo.doc = &doc;
            const InscricaoSacado inscricao = inscricaoValida(doc);
            titulo.tipoInscricao = inscricao.tipo;
            acrescenta(Registro400::Titulo, Remessa400::titulo(doc, valor, inscricao), titulo);
            for (Registro &r : banco_.complementosRemessa400(conta_, doc))
                acrescenta(std::move(r));
        }
        Registro trailer(400);
        trailer.texto(1, 1, u"9");
        Remessa400Em fim;
        fim.registros = linhas_.size();
        fim.centavos = total;
        acrescenta(Registro400::Trailer, std::move(trailer), fim);
        return std::move(linhas_);
    }

private:
    void acrescenta(Registro400 tipo, Registro r, Remessa400Em em) {
        em.sequencia = sequencia_;
        em.geracao = geracao_.date();
        banco_.ajustaRemessa400(tipo, r, conta_, em);
        acrescenta(std::move(r));
    }

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
        return r;
    }

    // The fields the banks place alike: occurrence, document, due date, value, issue date, interest per
    // day, discount, the payer's registration and address.
    Registro titulo(const Documento &doc, std::int64_t valor, const InscricaoSacado &inscricao) const {
        Registro r(400);
        r.numero(1, 1, 1)
            .texto(38, 62, controleDoParticipante(doc))
            .digitos(109, 110, u"01")
            .texto(111, 120, numeroDocumento400(doc))
            .dataCurta(121, vencimento400(doc))
            .numero(127, 139, valor)
            .dataCurta(151, doc.dataDocumento)
            .numero(161, 173, jurosDoDia400(doc));
        const std::int64_t desconto = desconto400(doc);
        r.dataCurta(174, desconto > 0 ? doc.dataVencimento : QDate())
            .numero(180, 192, desconto)
            .numero(193, 218, 0)
            .numero(219, 220, inscricao.tipo)
            .digitos(221, 234, inscricao.digitos)
            .texto(235, pagador_.fimDoNome, doc.nomeSacado.trimmed())
            .texto(pagador_.endereco.inicio, pagador_.endereco.fim, doc.enderecoSacado.trimmed())
            .digitos(327, 334, cepSacado(doc));
        if (pagador_.bairro)
            r.texto(pagador_.bairro->inicio, pagador_.bairro->fim, doc.bairroSacado.trimmed());
        if (pagador_.cidade)
            r.texto(335, 349, doc.cidadeSacado.trimmed()).texto(350, 351, estadoSacado(doc));
        return r;
    }

    const ContaConfigurada &conta_;
    const RegraBanco &banco_;
    Pagador400 pagador_;
    int sequencia_;
    QDateTime geracao_;
    QList<QByteArray> linhas_;
};

} // namespace

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

std::int64_t jurosDoDia400(const Documento &doc) {
    return doc.valorJurosDiaAtraso > 0 ? centavos(doc.valorJurosDiaAtraso)
                                       : centavosDoPercentual(doc, doc.percentualJurosDiaAtraso);
}

std::int64_t desconto400(const Documento &doc) {
    return doc.valorDesconto > 0 ? centavos(doc.valorDesconto)
                                 : centavosDoPercentual(doc, doc.percentualDesconto);
}

std::int64_t percentualMulta400(const Documento &doc, const QString &banco) {
    if (doc.valorMultaAtraso > 0)
        recusaDocumento(doc, QStringLiteral("ValorMultaAtraso"),
                        QString::number(centavos(doc.valorMultaAtraso)),
                        QStringLiteral("o CNAB 400 do %1 leva a multa só em percentual").arg(banco));
    const std::int64_t percentual = centavos(doc.percentualMultaAtraso);
    if (percentual > 9999)
        recusaDocumento(doc, QStringLiteral("PercentualMultaAtraso"), QString::number(percentual),
                        QStringLiteral("até 99,99%"));
    return percentual;
}

NossoNumero nossoNumero400(const ContaConfigurada &conta, const Documento &doc) {
    if (doc.bancoGeraNossoNumero && doc.nossoNumero.trimmed().isEmpty())
        return {};
    return nossoNumeroDoDocumento(conta, doc);
}

QString especie400(const Documento &doc, const Especies400 &especies) {
    const QString febraban = codigoEspecie(doc);
    if (febraban == u"02")
        return especies.duplicataMercantil.toString();
    if (febraban == u"12")
        return especies.notaPromissoria.toString();
    if (febraban == u"17")
        return especies.recibo.toString();
    if (febraban == u"04")
        return especies.duplicataDeServico.toString();
    return especies.outros.toString();
}

QByteArray chavePix400(const ConfiguracaoBolix &configuracao) {
    return configuracao.chavePix.toLatin1();
}

// The caller checks its rows before it dates the documents: the due date is refused by the file alone.
QStringList recusasDoTitulo400(const Documento &doc, QStringView banco) {
    QStringList recusas = recusasDoSacado240(doc);
    anotaRecusa(recusas, [&] { numeroDocumento400(doc); });
    anotaRecusa(recusas, [&] { controleDoParticipante(doc); });
    recusas += regraDoBanco(banco).recusasDoTitulo400(doc);
    return recusas;
}

QList<QByteArray> remessa400(const ContaConfigurada &conta, const QList<Documento> &docs, int sequencia,
                             const QDateTime &geracao) {
    return Remessa400(conta, sequencia, geracao).linhas(docs);
}

} // namespace bolix
