#include "QrCode.h"

#include "SimboloQr.h"
#include "bolix/core/ErroBolix.h"

#include <optional>
#include <vector>

namespace bolix {

QrCode codificaQr(const QString &texto) {
    const std::optional<SimboloQr> simbolo = simboloQr(texto.toUtf8());
    if (!simbolo)
        throw ErroBolix(
            QStringLiteral("QR Code Pix de %1 caracteres não pôde ser gerado.").arg(texto.size()));
    const int lado = simbolo->lado;
    // Gathered at their most (half a row each), then kept in a block of their own size for the batch.
    std::vector<CorridaQr> corridas;
    corridas.reserve(std::size_t(lado) * (lado + 1) / 2);
    for (int y = 0; y < lado; ++y)
        for (int x = 0; x < lado; ++x) {
            if (!simbolo->escuro(y, x))
                continue;
            const int inicio = x;
            while (x + 1 < lado && simbolo->escuro(y, x + 1))
                ++x;
            corridas.push_back({std::uint8_t(inicio), std::uint8_t(y), std::uint8_t(x + 1 - inicio)});
        }
    return {lado, QList<CorridaQr>(corridas.cbegin(), corridas.cend())};
}

} // namespace bolix
