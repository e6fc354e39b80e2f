#include "util/Windows1252.h"

#include <QList>

#include <array>

namespace windows1252 {
namespace {

// 0x80..0x9F; the five codes Windows leaves undefined map to the C1 controls of the same value,
// as MultiByteToWideChar does, so no byte is lost. The rest of the page is Latin-1.
constexpr std::array<char16_t, 32> faixa80 = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                              0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                              0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                              0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char paraByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (std::size_t i = 0; i < faixa80.size(); ++i)
        if (faixa80[i] == c)
            return char(0x80 + i);
    return '?';
}

} // namespace

QByteArray codifica(QStringView texto) {
    QByteArray bytes;
    bytes.reserve(texto.size());
    for (char32_t c : texto.toUcs4())
        bytes.append(paraByte(c));
    return bytes;
}

QString decodifica(QByteArrayView bytes) {
    QString texto;
    texto.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        texto.append(QChar(u >= 0x80 && u < 0xA0 ? faixa80[u - 0x80] : char16_t(u)));
    }
    return texto;
}

} // namespace windows1252
