#include "reports/RelatorioBoletos.h"

#include "db/Connection.h"
#include "util/Erro.h"
#include "util/Regional.h"

#include <QStringList>

namespace {

constexpr int Coluna = 3;
constexpr int Largura = 127;
const QString Arquivo = QStringLiteral("Relatorio.txt");

QString ordenacao(OrdemBoletos ordem) {
    switch (ordem) {
    case OrdemBoletos::Data:
        return QStringLiteral("Order by datahora");
    case OrdemBoletos::NumeroBloqueto:
        return QStringLiteral("Order by lojas_leram2");
    case OrdemBoletos::Cliente:
        break;
    }
    return QStringLiteral("Order by nome");
}

// MariaDB reads "yyyymmdd hh:nn:ss" as no date at all, and no row would ever match: the date goes with
// dashes, which every server reads. The time keeps the regional separator.
QString momentoDaConsulta(QDate data, QTime hora) {
    return Regional::atual().formataDataHora(QDateTime(data, hora), u"yyyy-mm-dd hh:nn:ss");
}

QString dataDoRelatorio(QDate data) {
    return Regional::atual().formataData(data, u"dd/mm/yyyy");
}

QString tracos(const TImpres &impres) {
    return impres.CompletaDireita(QStringLiteral("-"), Largura, QStringLiteral("-"));
}

void escreveCabecalho(TImpres &impres, const PeriodoBoletos &periodo) {
    const QString periodoTexto = QStringLiteral("Periodo de ") + dataDoRelatorio(periodo.inicial) +
                                 QStringLiteral(" ate ") + dataDoRelatorio(periodo.final);
    impres.EscreveCabecalho(tracos(impres), Coluna);
    impres.EscreveCabecalho(
        impres.Centraliza(QStringLiteral("RELATÓRIO DE BLOQUETOS IMPRESSOS"), Largura, QStringLiteral(" ")),
        Coluna);
    impres.EscreveCabecalho(impres.Centraliza(periodoTexto, Largura, QStringLiteral(" ")), Coluna);
    impres.EscreveCabecalho(tracos(impres), Coluna);
    impres.EscreveCabecalho(QStringLiteral("   N. LANCTO    N. BOLETO      DATA            VALOR  CLIENTE"
                                           "                               "),
                            Coluna);
    impres.EscreveCabecalho(tracos(impres), Coluna);
}

void escreveCorpo(TImpres &impres, const ResultSet &linhas) {
    const int numlanc = linhas.indice("numlanc");
    const int bloqueto = linhas.indice("lojas_leram2");
    const int datahora = linhas.indice("datahora");
    const int total = linhas.indice("total");
    const int nome = linhas.indice("nome");
    Money soma;
    for (int i = 0; i < linhas.linhas(); ++i) {
        const Money valor = linhas.valor(i, total).dinheiro();
        soma += valor;
        impres.Escreve(LinhaBoleto(linhas.valor(i, numlanc).texto(), linhas.valor(i, bloqueto).texto(),
                                   linhas.valor(i, datahora).dataHora(), valor,
                                   linhas.valor(i, nome).texto()),
                       Coluna);
    }
    impres.Escreve(tracos(impres), Coluna);
    impres.Escreve(LinhaTotalBoletos(linhas.linhas(), soma), Coluna);
}

} // namespace

QString SqlRelatorioBoletos(const PeriodoBoletos &periodo, OrdemBoletos ordem) {
    const QString inicio = momentoDaConsulta(periodo.inicial, QTime(0, 0, 0));
    const QString fim = momentoDaConsulta(periodo.final, QTime(23, 59, 59));
    const QStringList linhas{
        QStringLiteral("select"),
        QStringLiteral("  receber.numlanc,"),
        QStringLiteral("  receber.receber_id,"),
        QStringLiteral("  receber.clientes_id,"),
        QStringLiteral("  clientes.nome,"),
        QStringLiteral("  receber.datahora,"),
        QStringLiteral("  receber.tipo,"),
        QStringLiteral("  sum(receber.valortotal) as total,"),
        QStringLiteral("  receber.lojas_leram2"),
        QStringLiteral("from"),
        QStringLiteral("  receber"),
        QStringLiteral("Join"),
        QStringLiteral("  clientes on (receber.clientes_id = clientes.clientes_id)"),
        QStringLiteral("where"),
        QStringLiteral("  receber.lojas_leram2 is not null"),
        QStringLiteral("  and receber.numlanc > 0"),
        QStringLiteral("  and receber.tipo in (0,99)"),
        QStringLiteral("  and datahora between \"%1\" and \"%2\"").arg(inicio, fim),
        QStringLiteral("group by"),
        QStringLiteral("  receber.numlanc"),
        ordenacao(ordem),
    };
    return linhas.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString LinhaBoleto(const QString &numlanc, const QString &bloqueto, const QDateTime &datahora, Money total,
                    const QString &nome) {
    return numlanc.rightJustified(12) + QLatin1Char(' ') + bloqueto.rightJustified(12) +
           QStringLiteral("   ") + Regional::atual().formataDataHora(datahora, u"dd/mm/yyyy") +
           QLatin1Char(' ') + Regional::atual().formataValor(total).rightJustified(13) +
           QStringLiteral("  ") + nome.left(40).leftJustified(40);
}

QString LinhaTotalBoletos(int quantidade, Money soma) {
    return (QStringLiteral("TOTAL DE BOLETOS EXIBIDOS: ") + QString::number(quantidade)).leftJustified(40) +
           Regional::atual().formataValor(soma).rightJustified(12);
}

RelatorioGerado GeraRelatorioBoletos(Connection &conexao, const PeriodoBoletos &periodo, OrdemBoletos ordem,
                                     const TImpres::Iniciador &iniciador) {
    ResultSet linhas;
    try {
        linhas = conexao.abre(SqlRelatorioBoletos(periodo, ordem));
    } catch (const std::exception &e) {
        return {ResultadoRelatorio::ErroSql, textoDoErro(e)};
    }
    if (linhas.vazio())
        return {ResultadoRelatorio::SemInformacao, {}};
    TImpres impres;
    if (iniciador)
        impres.SetIniciador(iniciador);
    escreveCabecalho(impres, periodo);
    escreveCorpo(impres, linhas);
    impres.Visualiza(Arquivo);
    return {ResultadoRelatorio::Exibido, {}};
}
