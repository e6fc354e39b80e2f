#pragma once

// A PDF read back with independent tools, as a reader finds it: poppler's pdfinfo, pdftotext, pdftoppm
// and pdfimages, and zbarimg for the bar codes.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace leitura {

// pdfinfo and pdftotext are on the PATH.
bool disponivel();

// Runs a program to its end and returns what it wrote; its exit code in `codigo` (-1 after a crash).
QByteArray roda(const QString &programa, const QStringList &argumentos, int *codigo = nullptr);

// Pages of the PDF, -1 when it cannot be read.
int paginas(const QString &pdf);

// The page's text with every run of white space made one blank.
QString texto(const QString &pdf, int pagina);
// The same for the part of the page inside `regiao` (points, origin at the top left).
QString texto(const QString &pdf, int pagina, const QRectF &regiao);
// The page's lines that hold words, as laid out, blanks collapsed.
QStringList linhas(const QString &pdf, int pagina);

struct Palavra {
    QString texto;
    QRectF caixa; // points, origin at the top left of the page
};
QList<Palavra> palavras(const QString &pdf, int pagina);

// The symbols of one kind (zbarimg's name: i25 for the boleto's bar code, qrcode) that zbarimg finds on the
// page rendered at 300 dpi.
QStringList codigosDeBarras(const QString &pdf, int pagina,
                            const QString &simbologia = QStringLiteral("i25"));

// The page as pdftoppm renders it at 300 dpi.
inline constexpr double pixelsPorMm = 300 / 25.4;
QImage imagem(const QString &pdf, int pagina);

int imagens(const QString &pdf);

} // namespace leitura
