#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A PDF read back with poppler's tools, as a reader finds it.
namespace leituraPdf {

// pdfinfo and pdftotext are on the PATH.
bool disponivel();

// Runs a program to its end and returns what it wrote; its exit code in codigo (-1 after a crash).
QByteArray roda(const QString &programa, const QStringList &args, int *codigo = nullptr);

// Sheets of the PDF, -1 when it cannot be read.
int folhas(const QString &pdf);

// The lines with words of one sheet (1-based), blanks collapsed.
QStringList texto(const QString &pdf, int folha);

} // namespace leituraPdf
