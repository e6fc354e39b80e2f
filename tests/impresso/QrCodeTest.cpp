#include "bolix/core/ErroBolix.h"
#include "bolix/impresso/QrCode.h"

#include <gtest/gtest.h>

using namespace bolix;
using namespace Qt::StringLiterals;

namespace {

const QString brCode =
    u"00020101021226810014br.gov.bcb.pix2559pix.example.com/qr/v2/cobv/00000000000000000000000000000001"
    u"5204000053039865802BR5917LOJA EXEMPLO LTDA6008CURITIBA62070503***6304CD1A"_s;

// The BR Code's runs of digits and capitals in their compact modes: version 7 (45 modules) where bytes
// alone would need version 9 (53); the runs start with the finder pattern and stay inside the symbol.
TEST(QrCodePix, UsaOMenorSimboloQueOTextoPermite) {
    const QrCode qr = codificaQr(brCode);
    EXPECT_EQ(qr.lado, 45);
    ASSERT_FALSE(qr.corridas.isEmpty());
    EXPECT_EQ(qr.corridas.first(), (CorridaQr{0, 0, 7}));
    for (const CorridaQr &c : qr.corridas) {
        EXPECT_LT(c.linha, qr.lado);
        EXPECT_LE(c.coluna + c.comprimento, qr.lado);
        EXPECT_GT(c.comprimento, 0);
    }
}

// The library reads a C string: a text with a NUL would be encoded cut short, so it is refused.
TEST(QrCodePix, RecusaTextoComNul) {
    EXPECT_THROW(codificaQr(brCode.left(20) + QChar(0) + brCode.mid(20)), ErroBolix);
}

} // namespace
