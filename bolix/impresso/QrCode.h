#pragma once

// The Pix QR code as black squares, for the page that both the PDF writer and the printer draw.

#include <QList>
#include <QRectF>
#include <QString>

namespace bolix {

// The QR code of `texto` (error correction M) in the square of side `lado` mm at `canto`, with the quiet
// zone of four modules inside the square; each run of dark modules in a row is one rectangle.
QList<QRectF> modulosQrCode(const QString &texto, QPointF canto, double lado);

} // namespace bolix
