#pragma once

#include "db/ResultSet.h"
#include "retorno/ArquivoRetorno.h"
#include "util/Progresso.h"

#include <vector>

class Connection;

// The occurrence list QListaTemp: one row per charge the bank reported on that matched receivables.
struct ListaRetorno {
    ResultSet QListaTemp;
    // The mode the list was loaded in; settlement follows it.
    ModoRetorno modo = ModoRetorno::Boleto;
    // Direct debit: amounts of the rows debited (code 0 or less) and not debited, and the rows listed.
    Money totalDebitado;
    Money totalNaoDebitado;
    int registros = 0;
    // Payments the bank made that no receivable carries (no document number, or one the database does
    // not know), to be placed by hand. Refused debits moved no money and are not among them.
    std::vector<Ocorrencia> naoEncontrados;
};

// The empty list with its fields.
ResultSet NovaListaOcorrencias();

// The receivables of one charge summed per client: by document number for a boleto, by the debit
// identifier for a direct debit. The key is escaped by the caller's connection.
QString sqlPesquisaDeb(ModoRetorno modo, const QString &chaveEscapada);

// Matches every occurrence to its receivables and builds the list; occurrences that match nothing add
// no row. An empty key matches nothing and is not looked up: a receivable never charged holds an empty
// document number. A key that is no whole number throws Erro once it matched, and the list is not built.
ListaRetorno ListaOcorrencias(Connection &conexao, ModoRetorno modo,
                              const std::vector<Ocorrencia> &ocorrencias,
                              const Progresso::Mostra &mostra = {});

// The message naming the payments that match no receivable, the first 30 of them; empty when none.
QString MensagemPagamentosNaoEncontrados(const ListaRetorno &lista);

// The key by which settlement finds the receivables of a row: the document number with ten digits
// (boleto) or the eight characters of the debit identifier, as the list matched them.
QString ChaveDaLinha(ModoRetorno modo, qint64 codID);

// The colour of a list row (`linha` from 0), later causes overriding earlier ones. A row settled before
// shows so whatever its code: "Processar" passes it over.
enum class CorOcorrencia { Normal, Impar, NaoDebitado, JaBaixada, Selecionada };
CorOcorrencia CorDaOcorrencia(int linha, int CodOcorrencia, bool baixada, bool selecionada);
