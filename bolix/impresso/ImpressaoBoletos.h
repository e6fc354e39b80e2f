#pragma once

// Printing a batch of boletos: one PDF per batch, then the printer.
//
// The PDF needs no graphical application. The print dialog is offered only inside a QApplication on a
// real display, never on the "offscreen" or "minimal" platforms.

#include "bolix/core/Conta.h"
#include "bolix/core/Documento.h"

#include <QDate>
#include <QList>
#include <QString>

namespace bolix {

struct OpcoesImpressao {
    QString pasta;           // where the PDF goes; created when missing
    QString arquivoLogotipo; // the bank's logo; missing or not an image: the bank's code and name
    int margemSuperior = 15; // millimetres above the form
    bool impressora = true;  // false: the PDF alone
    bool segundaVia = false; // the boletos printed again: "2ª via" on each page, file "segunda_via_..."
    QString arquivo;         // this exact file, replaced when it exists; no print dialog then
};

// Writes one A4 page per document into a new file "boletos_<yyyyMMdd>_<nnn>.pdf" in `opcoes.pasta`
// (the working folder when empty), <nnn> the first number of `hoje` not yet taken, so no earlier batch
// is overwritten; then offers the print dialog where there is a display and `opcoes.impressora` asks for
// it. With `opcoes.arquivo` the PDF goes to that file instead, and no dialog is offered. Every document is
// checked before the file is created. Returns the file's path; empty, with no file, for no documents.
QString imprimeBoletos(const ContaConfigurada &conta, const QList<Documento> &docs,
                       const OpcoesImpressao &opcoes, const QDate &hoje);

} // namespace bolix
