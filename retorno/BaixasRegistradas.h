#pragma once

#include "retorno/ArquivoRetorno.h"
#include "util/Money.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class Connection;
class ResultSet;
struct EstadoPrograma;

// The record of what was settled, kept in the store's database in a table of the program's own, so that
// every station sees it and a payment is settled once, however often and in whichever file it arrives.
// Each list row is recorded in the same transaction as its settlement (or the release of a refused
// debit); the table's key is the payment itself, so of two stations settling it at once only one records
// it and the other's transaction stops there.

// What identifies a payment. Boleto: the document number as the component gives it, the occurrence date
// and the paid amount as the component gives it (before the fee). Direct debit: the debit identifier and
// the date of the debit (positions 45 to 52 of the return line); its amount is no part of the key.
struct Pagamento {
    ModoRetorno modo = ModoRetorno::Boleto;
    QString chave;
    // yyyymmdd; empty when the bank gave none.
    QString data;
    Money valor;
};

// The payment of a list row.
Pagamento PagamentoDaLinha(const ResultSet &lista, int linha, ModoRetorno modo);
bool JaBaixada(const ResultSet &lista, int linha);
void MarcaBaixada(ResultSet &lista, int linha);

// The table, created when missing.
QString sqlCriaBaixasRegistradas();
// Records the payment unless it is recorded already: changes one row when recorded now, none when it was
// recorded before (or by another station, once that station's transaction committed).
QString sqlRegistraBaixa(Connection &conexao, const Pagamento &pagamento, bool liberado,
                         const QByteArray &impressao, const QDateTime &quando, const EstadoPrograma &estado);
// The recorded payments of one kind among the keys (already escaped), and whether the whole file was
// recorded by the list that earlier versions kept.
QString sqlBaixasDasChaves(ModoRetorno modo, const QStringList &chavesEscapadas);
QString sqlArquivoBaixadoAntes(const QByteArray &impressao);

// The fingerprints in the settled-files list that earlier versions kept beside the program. A record that
// was glued to a last line without a line end is found too.
QList<QByteArray> ImpressoesDaListaAntiga(const QByteArray &conteudo);

// Creates the table when missing and takes in, once, the settled-files list at `listaAntiga`: each of its
// files counts as wholly settled; the list is then renamed so that it is not read again.
void PreparaBaixasRegistradas(Connection &conexao, const QString &listaAntiga);

// Marks the rows of the list that were settled before; returns how many.
int MarcaJaBaixadas(Connection &conexao, ResultSet &lista, ModoRetorno modo, const QByteArray &impressao);
// The line added to "Pagamentos Carregados" when some or all of the loaded rows were settled before.
QString MensagemJaBaixadas(int baixadas, int linhas);
