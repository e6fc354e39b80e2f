#pragma once

#include "Paginas.h"

#include <QFont>
#include <QPageLayout>

class QPagedPaintDevice;
class QPaintDevice;

namespace visualizador {

// A4 portrait with 10 mm margins: what the report is laid out for, on paper and in PDF.
QPageLayout layoutPadrao();

// The fixed-pitch font whose character cells put the given column count across the device's width.
QFont fonteParaColunas(int colunas, QPaintDevice &dispositivo);

// Paints each report page on a sheet of its own; a page longer than one sheet continues on the next.
// Text beyond the column count is cut. False when the device cannot be painted on.
bool imprime(const QList<Pagina> &paginas, int colunas, QPagedPaintDevice &dispositivo);

// Writes the pages as a PDF file, replacing an existing one. False when the file cannot be written.
bool salvaPdf(const QList<Pagina> &paginas, int colunas, const QString &arquivo, const QString &titulo);

} // namespace visualizador
