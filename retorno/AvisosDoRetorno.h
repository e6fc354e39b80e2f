#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace boleto {
class ObjetoBolix;
}

// What the component's reading of a boleto return reports besides the payments: titles the bank wrote off
// unpaid (nothing is settled for them) and notices that did not refuse the file (a trailer total that
// disagrees, a payment's date taken from its other date).

// A title the bank wrote off unpaid, as the component handed it over.
struct BaixaDoBanco {
    QString numeroDocumento;
    QString nossoNumero;
    // The movement's code and the bank's words for it.
    QString situacao;
    // What the store may do about it; empty when the bank has nothing to say.
    QString orientacao;
};

struct AvisosDoRetorno {
    QStringList avisos; // one line each, naming the file's line
    std::vector<BaixaDoBanco> baixas;
};

// The notices and write-offs of the return the component loaded last (AvisosRetorno, BaixasCobranca).
AvisosDoRetorno AvisosDoUltimoRetorno(const boleto::ObjetoBolix &ObjBolix);

// The message "Ler Arquivo" shows after its own: the notices, then the titles written off, each named with
// the bank's words (the first 30 of each), then each distinct orientation once. Empty when there is none.
QString MensagemAvisosDoRetorno(const AvisosDoRetorno &retorno);
