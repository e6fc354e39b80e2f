#pragma once

// One boleto on one A4 page, the recibo do pagador above and the ficha de compensação at the bottom,
// described as plain shapes and placed texts that both the PDF writer and the printer's painter draw.
// The page has two layers: the form (frames, captions, the bank's head), the same on every page of an
// account, and the fields of the one document.

#include "ConteudoBoleto.h"
#include "FonteHelvetica.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <optional>

namespace bolix {

inline constexpr double larguraA4Mm = 210.0;
inline constexpr double alturaA4Mm = 297.0;

// Lengths in millimetres from the sheet's top left corner.
struct TextoPosto {
    QPointF base; // start of the baseline
    QString texto;
    Fonte fonte;
    bool operator==(const TextoPosto &) const = default;
};

struct Traco {
    QPointF de, ate;
    double espessura;
    bool tracejado = false;
    bool operator==(const Traco &) const = default;
};

inline constexpr double espessuraMoldura = 0.2;

struct Desenho {
    QList<QRectF> molduras; // frames of `espessuraMoldura`
    QList<Traco> tracos;
    QList<QRectF> preenchidos; // black: the bars
    QList<TextoPosto> textos;
    QList<QRectF> logotipos; // where the bank's logo goes
    std::optional<QrPosto> qr;
    bool operator==(const Desenho &) const = default;
};

// The form starts `margemSuperiorMm` below the top edge, as far as the sheet allows. `logotipo` is the
// size of the bank's logo, or empty to print the bank's name in its place.
Desenho formularioBoleto(const ConteudoBoleto &conteudo, QSize logotipo, int margemSuperiorMm);
Desenho camposBoleto(const ConteudoBoleto &conteudo, int margemSuperiorMm);

} // namespace bolix
