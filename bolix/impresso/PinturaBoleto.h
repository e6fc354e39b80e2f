#pragma once

// The printed boleto through a QPainter: how the printer gets the pages.

#include "PaginaBoleto.h"

#include <QImage>
#include <QList>

class QPagedPaintDevice;

namespace bolix {

// One page per boleto, form and fields, on a device whose pages cover the whole A4 sheet (the printer,
// or Qt's own PDF writer). A null `logotipo` puts the bank's name in its place. False when the device
// cannot be painted on.
bool desenhaBoletos(QPagedPaintDevice &dispositivo, const QList<ConteudoBoleto> &paginas,
                    const QImage &logotipo, int margemSuperiorMm);

} // namespace bolix
