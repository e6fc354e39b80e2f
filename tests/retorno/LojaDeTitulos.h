#pragma once

#include "config/EstadoPrograma.h"
#include "retorno/ArquivoRetorno.h"
#include "retorno/ListaOcorrencias.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class BancoDeTeste;
class Connection;

// A store with many paid titles, to settle, interrupt and settle again: document d (from 1) charges two
// receivables of one of five clients, 60 (older) and 40, sold this month (so each settlement lowers the
// balance); its receivables carry numnota = receber_id, so that a movement tells which receivable it
// settled. Title d is paid 70 (in part), 100 (in full) or 150 (more than it owes), by d modulo 3.
namespace loja {

// The moment the tests fix the clock at: the sales are of its month.
extern const QDateTime Agora;
// The branch that settles.
EstadoPrograma Estacao();

void Prepara(BancoDeTeste &banco, int documentos);
// The boleto payments of the return, one per document.
std::vector<Ocorrencia> Pagamentos(int documentos);
// "Ler Arquivo" on one station: the list, with the rows settled before marked.
ListaRetorno Carrega(Connection &conexao, const std::vector<Ocorrencia> &pagamentos,
                     const QByteArray &impressao);
// Everything a settlement changes, as text to compare whole: each receivable's amort and valortotal, each
// movement (by the receivable it settled), the nlanc numbers and each client's balance.
QString Estado(Connection &conexao);
// The documents recorded as settled, and those with a movement; both in order.
QStringList Registrados(Connection &conexao);
QStringList Movimentados(Connection &conexao);
// The documents from `de` to `ate` as the list and the record carry them.
QStringList Documentos(int de, int ate);

// The store of `banco`, prepared as above in a database of its own and settled once from start to end with
// nothing in the way: its end state.
QString BaixaLimpa(int documentos, const QByteArray &impressao);

// Settles the store of the database `banco` on `conexao`, which the run then loses half-way through the row
// of document `cortada`: another session waits until the run sleeps there and calls `corta` (kills the
// session, stops the server) with its own connection and the run's session id. Then, once `volta` has
// brought the server back, checks that exactly the rows before `cortada` are settled and recorded, loads
// the file again, processes it and checks that the store ends as `limpa`.
void CortaERefaz(Connection &conexao, const QString &banco, int documentos, int cortada,
                 const QByteArray &impressao, const std::function<void(Connection &, qint64)> &corta,
                 const std::function<void()> &volta, const QString &limpa);

} // namespace loja
