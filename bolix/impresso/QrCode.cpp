#include "QrCode.h"

#include "bolix/core/ErroBolix.h"

#include <qrencode.h>

#include <memory>

namespace bolix {

QrCode codificaQr(const QString &texto) {
    const QByteArray bytes = texto.toUtf8();
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> qr(
        QRcode_encodeData(int(bytes.size()), reinterpret_cast<const unsigned char *>(bytes.constData()), 0,
                          QR_ECLEVEL_M),
        &QRcode_free);
    if (!qr)
        throw ErroBolix(
            QStringLiteral("QR Code Pix de %1 caracteres não pôde ser gerado.").arg(texto.size()));
    QrCode codigo;
    codigo.lado = qr->width;
    const auto escuro = [&](int x, int y) { return qr->data[y * qr->width + x] & 1; };
    for (int y = 0; y < codigo.lado; ++y)
        for (int x = 0; x < codigo.lado;) {
            if (!escuro(x, y)) {
                ++x;
                continue;
            }
            const int inicio = x;
            while (x < codigo.lado && escuro(x, y))
                ++x;
            codigo.corridas.append({std::uint8_t(inicio), std::uint8_t(y), std::uint8_t(x - inicio)});
        }
    return codigo;
}

} // namespace bolix
