#pragma once

// The Pix QR code as runs of dark modules, encoded once per boleto and drawn alike by the PDF writer and
// the printer.

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <cstdint>

namespace bolix {

inline constexpr int zonaDeSilencioQr = 4; // modules on each side

// A run of dark modules in one row; a symbol has at most 177 modules on a side.
struct CorridaQr {
    std::uint8_t coluna, linha, comprimento;
    bool operator==(const CorridaQr &) const = default;
};

// In whole modules, so the PDF writes small integers under one scaling; a batch keeps one per boleto.
struct QrCode {
    int lado = 0; // modules on a side, without the quiet zone
    QList<CorridaQr> corridas;
    bool operator==(const QrCode &) const = default;
};

// The QR code of `texto` with error correction M, its runs of digits and of capitals in their compact
// modes, so the symbol is the smallest the text allows: fewer, larger modules to encode, draw and read.
QrCode codificaQr(const QString &texto);

// A QR code in a square of the page, in millimetres; the quiet zone lies inside the square.
struct QrPosto {
    QRectF area;
    QrCode codigo;
    bool operator==(const QrPosto &) const = default;

    double modulo() const { return area.width() / (codigo.lado + 2 * zonaDeSilencioQr); }
    QPointF origem() const { return area.topLeft() + QPointF(1, 1) * (zonaDeSilencioQr * modulo()); }
};

} // namespace bolix
