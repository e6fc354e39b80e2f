#pragma once

#include "config/EstadoPrograma.h"
#include "retorno/ArquivoRetorno.h"
#include "retorno/ListaOcorrencias.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <thread>
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

// The movement of the older receivable of document `d` waits three seconds.
void PausaNoDocumento(Connection &conexao, int d);
// In another session of the database `banco`, waits until the session `sessao` sleeps in that movement and
// then runs `corta` (kills the session, stops the server) with that other connection.
std::thread CortaNaPausa(const QString &banco, qint64 sessao, std::function<void(Connection &)> corta);
qint64 Sessao(Connection &conexao);

} // namespace loja
