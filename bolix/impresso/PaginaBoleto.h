#pragma once

// One boleto on one A4 page: the recibo do pagador above, the ficha de compensação at the bottom.

#include "ConteudoBoleto.h"

#include <QImage>

class QPainter;

namespace bolix {

inline constexpr double larguraA4Mm = 210.0;
inline constexpr double alturaA4Mm = 297.0;

// Draws on the page the painter is on; the painter's device covers the whole A4 sheet. The form
// starts `margemSuperiorMm` below the top edge, as far as the sheet allows; a null `logotipo` puts the
// bank's name in its place.
void desenhaBoleto(QPainter &painter, const ConteudoBoleto &conteudo, const QImage &logotipo,
                   int margemSuperiorMm);

} // namespace bolix
