#include "QrCode.h"

#include "bolix/core/ErroBolix.h"

#include <qrencode.h>

#include <memory>

namespace bolix {

namespace {

constexpr int zonaDeSilencio = 4; // modules on each side

} // namespace

QList<QRectF> modulosQrCode(const QString &texto, QPointF canto, double lado) {
    const QByteArray bytes = texto.toUtf8();
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> qr(
        QRcode_encodeData(int(bytes.size()), reinterpret_cast<const unsigned char *>(bytes.constData()), 0,
                          QR_ECLEVEL_M),
        &QRcode_free);
    if (!qr)
        throw ErroBolix(
            QStringLiteral("QR Code Pix de %1 caracteres não pôde ser gerado.").arg(texto.size()));
    const int largura = qr->width;
    const double modulo = lado / (largura + 2 * zonaDeSilencio);
    const QPointF inicio = canto + QPointF(zonaDeSilencio * modulo, zonaDeSilencio * modulo);
    QList<QRectF> modulos;
    for (int y = 0; y < largura; ++y)
        for (int x = 0; x < largura;) {
            const auto escuro = [&](int i) { return qr->data[y * largura + i] & 1; };
            if (!escuro(x)) {
                ++x;
                continue;
            }
            const int inicioRun = x;
            while (x < largura && escuro(x))
                ++x;
            modulos.append(
                {inicio.x() + inicioRun * modulo, inicio.y() + y * modulo, (x - inicioRun) * modulo, modulo});
        }
    return modulos;
}

} // namespace bolix
