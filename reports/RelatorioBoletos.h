#pragma once

#include "reports/ClassImpressao.h"
#include "util/Money.h"

#include <QDate>
#include <QString>

class Connection;

// The orderings of the printed-boletos report, in the order of the dialog's options.
enum class OrdemBoletos { Cliente, Data, NumeroBloqueto };

struct PeriodoBoletos {
    QDate inicial;
    QDate final;
};

// The statement of the report: one row per launch number with the sum of its values.
QString SqlRelatorioBoletos(const PeriodoBoletos &periodo, OrdemBoletos ordem);

// One report row: launch number, boleto number, date, value and the client's first 40 characters.
QString LinhaBoleto(const QString &numlanc, const QString &bloqueto, const QDateTime &datahora, Money total,
                    const QString &nome);
// The closing line with the number of rows and the sum of their values.
QString LinhaTotalBoletos(int quantidade, Money soma);

enum class ResultadoRelatorio { Exibido, ErroSql, SemInformacao };

struct RelatorioGerado {
    ResultadoRelatorio resultado;
    // The server's text when the statement could not be run.
    QString motivo;
};

// Runs the statement and, when it has rows, writes "Relatorio.txt" in the working folder and starts the
// viewer on it (through iniciador when one is given). An error writing the file is raised to the caller.
RelatorioGerado GeraRelatorioBoletos(Connection &conexao, const PeriodoBoletos &periodo, OrdemBoletos ordem,
                                     const TImpres::Iniciador &iniciador = {});
