#pragma once

#include <QDate>
#include <QString>
#include <optional>

class Connection;
class ResultSet;

// The period of a listing as the export tab holds it.
struct Periodo {
    // "datahora" or "vencimento": the column of receber that the period applies to.
    QString CampoData;
    QDate dataInicial;
    QDate dataFinal;
    // The time edits' texts as typed.
    QString horaInicial;
    QString horaFinal;
};

// One bound of a period as the statements on receber send it: the date in "yyyy/mm/dd" with the regional
// separator, a blank, the time as typed; escaped. A time that forms no valid time is refused with Erro.
QString LimiteDoPeriodo(Connection &conexao, const QDate &dia, const QString &hora);

// The date column for the item of "Utilizar Data da:": "Venda" is the sale, anything else the due date.
QString CampoDataDe(const QString &utilizarDataDa);

// The installation lists another branch's receivables than its own.
bool FiltroFilial(int FilialAtual, int FilialLogica);

// The branch row of the installation, read before every listing.
QString sqlFilial(int FilialAtual);
// Whether a listing is restricted to the logical branch: only when the branch row (QTemp as
// sqlFilial reads it; a missing row counts as "N") does not list unified and FiltroFilial holds.
bool aplicaFiltroFilial(const ResultSet &filial, int FilialAtual, int FilialLogica);

// The listings. `filialLogica` is set when the branch filter applies. The time texts are escaped with
// the connection's client; a time that forms no valid time is refused with Erro before anything runs.
QString sqlListaEmpresas(Connection &conexao, const Periodo &periodo, std::optional<int> filialLogica);
QString sqlListaClientes(Connection &conexao, const Periodo &periodo, int empresa, bool agruparPorVencimento,
                         std::optional<int> filialLogica);
