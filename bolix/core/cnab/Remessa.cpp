#include "bolix/core/cnab/Remessa.h"

#include "bolix/core/Boleto.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/bancos/Bancos.h"
#include "bolix/core/cnab/Registro.h"

namespace bolix {

QString caminhoDoArquivo(const QString &diretorio, const QString &arquivo) {
    if (diretorio.isEmpty() || diretorio.endsWith(u'/') || diretorio.endsWith(u'\\'))
        return diretorio + arquivo;
    return diretorio + u'/' + arquivo;
}

bool ehLayoutDebito(const QString &layout) {
    return layout.trimmed().compare(u"DebitoCC", Qt::CaseInsensitive) == 0;
}

QStringList recusasDoDocumento(const Documento &doc, const QString &layout,
                               const ConfiguracaoBolix &configuracao) {
    QStringList recusas = ehLayoutDebito(layout)       ? recusasDoDebito(doc)
                          : configuracao.layout == 400 ? recusasDoTitulo400(doc, configuracao.banco)
                                                       : recusasDoSacado240(doc);
    anotaRecusa(recusas, [&] { centavosCobrados(doc); });
    return recusas;
}

namespace {

struct LinhasDaRemessa {
    QList<QByteArray> linhas;
    QByteArray marcaFinal;
};

LinhasDaRemessa linhasDaRemessa(const ContaConfigurada &conta, const QList<Documento> &docs,
                                const ArquivoRemessa &destino, const QDateTime &geracao) {
    if (destino.arquivo.trimmed().isEmpty())
        throw ErroBolix(QStringLiteral("ArquivoRemessa.Arquivo não informado."));
    if (destino.sequencia < 0 || destino.sequencia > 999999)
        throw ErroBolix(QStringLiteral("ArquivoRemessa.Sequencia %1 inválida: use de 0 a 999999.")
                            .arg(destino.sequencia));
    const QString layout = destino.layout.trimmed();
    // The program names no boleto layout: the settings choose between the bank's CNAB 240 and 400.
    const bool boleto = layout.isEmpty() || layout.compare(u"FEBRABAN240", Qt::CaseInsensitive) == 0;
    if (boleto && conta.configuracao.layout == 400)
        return {remessa400(conta, docs, destino.sequencia, geracao),
                regraDoBanco(conta.configuracao.banco).fimDaRemessa400()};
    if (boleto)
        return {remessa240(conta, docs, destino.sequencia, geracao), {}};
    if (ehLayoutDebito(layout))
        return {remessa150(conta, docs, destino.sequencia, geracao), {}};
    throw ErroBolix(QStringLiteral("ArquivoRemessa.Layout \"%1\" não suportado: use FEBRABAN240 ou DebitoCC.")
                        .arg(destino.layout));
}

} // namespace

void confereRemessa(const ContaConfigurada &conta, const ArquivoRemessa &destino) {
    linhasDaRemessa(conta, {}, destino, QDateTime::currentDateTime());
}

QString gravaArquivoRemessa(const ContaConfigurada &conta, const QList<Documento> &docs,
                            const ArquivoRemessa &destino, const QDateTime &geracao) {
    const LinhasDaRemessa remessa = linhasDaRemessa(conta, docs, destino, geracao);
    const QString caminho = caminhoDoArquivo(destino.diretorio, destino.arquivo);
    gravaLinhas(caminho, remessa.linhas, remessa.marcaFinal);
    return docs.size() == 1 ? QStringLiteral("1 título gravado em %1").arg(caminho)
                            : QStringLiteral("%1 títulos gravados em %2").arg(docs.size()).arg(caminho);
}

} // namespace bolix
