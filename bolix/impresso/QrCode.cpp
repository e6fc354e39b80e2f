#include "QrCode.h"

#include "SimboloQr.h"
#include "bolix/core/ErroBolix.h"

#include <array>
#include <optional>

namespace bolix {

namespace {

// A byte with its bits in the opposite order: the encoder keeps column 0 in bit 0, the font in bit 7.
constexpr std::array<char, 256> invertidos = [] {
    std::array<char, 256> t{};
    for (int b = 0; b < 256; ++b) {
        int r = 0;
        for (int i = 0; i < 8; ++i)
            r |= (b >> i & 1) << (7 - i);
        t[b] = char(r);
    }
    return t;
}();

} // namespace

QrCode codificaQr(const QString &texto) {
    const std::optional<SimboloQr> simbolo = simboloQr(texto.toUtf8());
    if (!simbolo)
        throw ErroBolix(
            QStringLiteral("QR Code Pix de %1 caracteres não pôde ser gerado.").arg(texto.size()));
    QrCode qr{simbolo->lado, {}};
    const int porLinha = qr.bytesPorLinha();
    qr.linhas.resize(qsizetype(qr.lado) * porLinha);
    char *byte = qr.linhas.data();
    for (int y = 0; y < qr.lado; ++y) {
        const std::uint64_t *linha = simbolo->linhas.data() + std::size_t(y) * simbolo->palavrasPorLinha;
        for (int k = 0; k < porLinha; ++k)
            *byte++ = invertidos[linha[k / 8] >> (8 * (k % 8)) & 0xFF];
    }
    return qr;
}

QList<CorridaQr> QrCode::corridas() const {
    QList<CorridaQr> corridas;
    for (int y = 0; y < lado; ++y)
        for (int x = 0; x < lado; ++x) {
            if (!escuro(y, x))
                continue;
            const int inicio = x;
            while (x + 1 < lado && escuro(y, x + 1))
                ++x;
            corridas.append({std::uint8_t(inicio), std::uint8_t(y), std::uint8_t(x + 1 - inicio)});
        }
    return corridas;
}

} // namespace bolix
