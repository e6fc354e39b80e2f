#pragma once

// The bank's side of a remittance: reads a file the component wrote and answers it with the return
// the bank would send, for tests, the demo and for checking a set-up before going live.

#include "bolix/core/Documento.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class QTextStream;

namespace bolix::simulador {

// What the bank does with each title or debit, numbered from 1 in remittance order.
struct Pedido {
    bool todosPagos = true;
    QSet<int> pagos;              // used when not todosPagos (boletos)
    QHash<int, Dinheiro> valores; // amount paid instead of the title's value (boletos)
    Dinheiro tarifa = 0;          // the bank's fee on each paid title (CNAB 400)
    QHash<int, QString> codigos;  // return code instead of "00" (CNAB 150)
    QDate data;                   // payment or debit date; null: due date (150) or today (240)
};

// The return for a CNAB 240 or a CNAB 400 remittance (Bradesco, Itaú, Santander; paid titles as movement 06,
// the others as 02 entry confirmed) or for a FEBRABAN 150 one (one F record per E). A CNAB 400 title that
// asked for the Pix QR (Itaú, Santander) has its entry confirmed with the bank's Pix record, or, paid and
// even-numbered, is paid through the QR. ErroBolix for a file it cannot read.
QList<QByteArray> retornoDaRemessa(const QByteArray &remessa, const Pedido &pedido, const QDate &hoje);

// The command line: arguments without the program name. Returns the exit code.
int executa(const QStringList &argumentos, QTextStream &saida, QTextStream &erros);

} // namespace bolix::simulador
