#pragma once

#include "retorno/ArquivoRetorno.h"
#include "util/Money.h"
#include "util/Progresso.h"

#include <QDate>
#include <QString>
#include <utility>
#include <vector>

class Connection;
class ResultSet;
struct EstadoPrograma;

// Settlement of a loaded return list: every paid row is spread over its receivables, oldest first;
// every refused direct debit is released for the next debit file.

struct ResultadoBaixa {
    // List rows done (settled, released or left alone) and refused debits released among them.
    int linhas = 0;
    int recusados = 0;
    // Receivables settled, each with its movement.
    int contas = 0;
    // Rows settled or released by this run, and rows passed over because they had been before.
    int baixadasAgora = 0;
    int baixadasAntes = 0;
    // Titles paid more than their receivables owed, settled by this run: the key and what was left over,
    // for the store to credit or refund.
    std::vector<std::pair<QString, Money>> sobras;
};

// How the rows go to the server: in batches of many rows per request (on a server that runs the batches'
// checks, MariaDB), or one statement per request as before; the database ends the same either way.
enum class EnvioDaBaixa { EmLotes, UmaAUma };

// Walks the whole list in the mode it was loaded in. Each row is settled in one transaction (all its
// receivables, their movement numbers, movements and balance updates, and the record of the payment in
// ruvenal_baixas with the file's fingerprint `impressao`), so an error leaves the row untouched and
// unrecorded; the error stops the run and its text tells how many rows were done before it. Rows
// recorded before are passed over; every row done is marked settled in the list.
ResultadoBaixa ProcessaRetorno(Connection &conexao, const EstadoPrograma &estado, ResultSet &QListaTemp,
                               ModoRetorno modo, const QByteArray &impressao,
                               const Progresso::Mostra &mostra = {},
                               EnvioDaBaixa envio = EnvioDaBaixa::EmLotes);

// The messages that close a run.
QString MensagemDebitosRecusados(int recusados);
QString MensagemProcessoConcluido(const ResultadoBaixa &resultado);

// The arithmetic of one receivable. `bruto` is valor x quantidade.
// The open amount left at a given percentage paid, rounded to four decimals.
Money ValorEmAberto(Money bruto, Money amort);
// The percentage paid after a part `resto` of the gross value is paid on top of `amort`. Throws Erro
// when the gross value is zero.
Money AmortParcial(Money amort, Money resto, Money bruto);
// Whether the balance of the client is lowered: the day of the sale lies in the current month.
bool NoMesCorrente(const QDate &venda, const QDate &hoje);

// The statements of a settlement. Texts from outside come escaped by the caller's connection.
QString sqlSelecaoBaixa(ModoRetorno modo, const QString &chaveEscapada);
QString sqlLiberaDebito(const QString &lojasLeram, const QDate &hoje, const QString &chaveEscapada);
