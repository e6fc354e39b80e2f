#include "QrCode.h"

#include "bolix/core/ErroBolix.h"

#include <qrencode.h>

#include <memory>
#include <vector>

namespace bolix {

QrCode codificaQr(const QString &texto) {
    const QByteArray bytes = texto.toUtf8();
    // The library reads a C string: a NUL would cut the text short, so such a text gets no QR.
    std::unique_ptr<QRcode, decltype(&QRcode_free)> qr(nullptr, &QRcode_free);
    if (!bytes.contains('\0'))
        qr.reset(QRcode_encodeString(bytes.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1));
    if (!qr)
        throw ErroBolix(
            QStringLiteral("QR Code Pix de %1 caracteres não pôde ser gerado.").arg(texto.size()));
    const int lado = qr->width;
    // Gathered at their most (half a row each), then kept in a block of their own size for the batch.
    std::vector<CorridaQr> corridas;
    corridas.reserve(std::size_t(lado) * (lado + 1) / 2);
    for (int y = 0; y < lado; ++y) {
        const unsigned char *linha = qr->data + std::size_t(y) * lado;
        for (int x = 0; x < lado; ++x) {
            if (!(linha[x] & 1)) // the lowest bit is the dark module
                continue;
            const int inicio = x;
            while (x + 1 < lado && (linha[x + 1] & 1))
                ++x;
            corridas.push_back({std::uint8_t(inicio), std::uint8_t(y), std::uint8_t(x + 1 - inicio)});
        }
    }
    return {lado, QList<CorridaQr>(corridas.cbegin(), corridas.cend())};
}

} // namespace bolix
