#include "util/Windows1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Windows1252, EveryByteSurvivesTheRoundTrip) {
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(char(b));
    const QString texto = windows1252::decodifica(bytes);
    ASSERT_EQ(texto.size(), 256);
    EXPECT_EQ(windows1252::codifica(texto), bytes);
}

TEST(Windows1252, MapsTheCodePage) {
    EXPECT_EQ(windows1252::decodifica("\x80\x8A\x9F\xC7\xE3\xE9"), QStringLiteral("€ŠŸÇãé"));
    EXPECT_EQ(windows1252::codifica(QStringLiteral("Atenção… “€”")),
              QByteArray("Aten\xE7\xE3o\x85 \x93\x80\x94"));
    // Undefined in the code page: kept as the control character of the same value.
    EXPECT_EQ(windows1252::decodifica("\x81\x9D"), QStringLiteral("\u0081\u009D"));
}

TEST(Windows1252, CharactersOutsideThePageBecomeQuestionMarks) {
    EXPECT_EQ(windows1252::codifica(QStringLiteral("R₹ 😀 日本 ok")), QByteArray("R? ? ?? ok"));
}

} // namespace
