#pragma once

// The Pix QR code as rows of modules, encoded once per boleto and drawn alike by the PDF writer and the
// printer.

#include <QByteArray>
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

// Rows of eight modules a byte, bit 7 the leftmost, as the PDF's font for the QR draws them; a batch keeps
// one per boleto.
struct QrCode {
    int lado = 0;      // modules on a side, without the quiet zone
    QByteArray linhas; // `lado` rows of `bytesPorLinha()`, the last byte's spare bits light
    bool operator==(const QrCode &) const = default;

    int bytesPorLinha() const { return (lado + 7) / 8; }
    bool escuro(int linha, int coluna) const {
        return linhas[linha * bytesPorLinha() + coluna / 8] & (0x80 >> coluna % 8);
    }
    // The dark runs, row by row, as the printer fills them.
    QList<CorridaQr> corridas() const;
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
