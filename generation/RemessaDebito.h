#pragma once

#include "generation/LimitesPeriodo.h"

#include <QList>
#include <QString>

class Connection;

// The direct-debit remittance of bank 356 as the bank takes it: the header's positions 3 to 11 become
// "1278" and five blanks, and every detail line's debit identification (positions 3 to 10) is recorded in
// the receivables of the client whose document it is.

// The header line with the bank's agreement code in place.
QByteArray CabecalhoDebito(const QByteArray &cabecalho);

// R1: the client's receivables of the listed period get the debit identification, type 0, the branch's
// replication marker and today's change date.
QString sqlIdentificacaoDebito(Connection &conexao, const QString &identificacao, const QString &lojasLeram,
                               qint64 clientesId, const LimitesPeriodo &periodo);

// Completes the file that this run wrote with `documentos` documents, the i-th detail line belonging to
// codigos[i]. When the file's detail lines are not exactly as many, nothing is changed and an error names
// both counts. The completed file replaces the written one whole, line ends kept; a failing statement
// leaves the file as the component wrote it.
void CompletaRemessaDebito(const QString &arquivo, int documentos, const QList<qint64> &codigos,
                           const QString &lojasLeram, const Periodo &periodo, Connection &conexao);
