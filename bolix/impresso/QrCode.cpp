#include "QrCode.h"

#include "bolix/core/ErroBolix.h"

#include <qrencode.h>

#include <memory>

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
