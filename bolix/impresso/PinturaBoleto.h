#pragma once

// The printed boleto through a QPainter: how the printer gets the pages.

#include "PaginaBoleto.h"

#include <QImage>

class QPainter;

namespace bolix {

// One boleto's page, form and fields, on the page the painter is on; the painter's device covers the
// whole A4 sheet. A null `logotipo` puts the bank's name in its place.
void desenhaBoleto(QPainter &painter, const ConteudoBoleto &conteudo, const QImage &logotipo,
                   int margemSuperiorMm);

} // namespace bolix
