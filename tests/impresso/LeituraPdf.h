#pragma once

// A printed PDF read back with independent tools: poppler's pdftotext, pdftoppm and pdfimages, and
// zbarimg for the bar codes.

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace leitura {

// The page's text with every run of white space made one blank.
QString texto(const QString &pdf, int pagina);
// The same for the part of the page inside `regiao` (points, origin at the top left).
QString texto(const QString &pdf, int pagina, const QRectF &regiao);

struct Palavra {
    QString texto;
    QRectF caixa; // points, origin at the top left of the page
};
QList<Palavra> palavras(const QString &pdf, int pagina);

// The Interleaved 2 of 5 symbols zbarimg finds on the page rendered at 300 dpi.
QStringList codigosDeBarras(const QString &pdf, int pagina);

// The page as pdftoppm renders it at 300 dpi.
inline constexpr double pixelsPorMm = 300 / 25.4;
QImage imagem(const QString &pdf, int pagina);

int paginas(const QString &pdf);
int imagens(const QString &pdf);

} // namespace leitura
