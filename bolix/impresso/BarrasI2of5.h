#pragma once

// Where the bars of the boleto's Interleaved 2 of 5 symbol go on the page.

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QStringView>

namespace bolix {

// Narrow element of 1/100 inch, wide three times as much: 405 modules make the standard's 103 mm.
inline constexpr double moduloEstreitoMm = 0.254;
inline constexpr double razaoLargoEstreito = 3.0;
inline constexpr double alturaBarrasMm = 13.0;

// The bars of the symbol of `digitos` (an even count), in millimetres, the first one at `origem`;
// the spaces between them are left blank, so the caller keeps the quiet zones clear.
QList<QRectF> barrasI2of5(QStringView digitos, QPointF origem, double altura = alturaBarrasMm);

} // namespace bolix
