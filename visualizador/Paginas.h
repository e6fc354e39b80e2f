#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace visualizador {

// One report page: the text between two form feeds, as lines.
using Pagina = QStringList;

// Splits a report into pages at every form feed and each page into lines (CR LF, LF or CR end a line).
// Text after a form feed continues at the top of the next page, as on a line printer; a form feed at
// the very end does not start a page. Tabs stop every eight columns. Always at least one page.
QList<Pagina> separaPaginas(const QString &texto);

// The pages of a Windows-1252 report file; nothing when the file cannot be read.
std::optional<QList<Pagina>> lePaginas(const QString &arquivo);

// The widest line of all pages, in characters.
int larguraMaxima(const QList<Pagina> &paginas);

} // namespace visualizador
