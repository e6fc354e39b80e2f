#include "util/Erro.h"
#include "util/Rotinas.h"
#include "util/Windows1252.h"

#include <gtest/gtest.h>

namespace {

const QString chave = QStringLiteral("QRX");

QString todosOsCodigos() {
    QByteArray bytes;
    for (int c = 1; c <= 255; ++c)
        bytes.append(char(c));
    return windows1252::decodifica(bytes);
}

TEST(Cifra, DeciphersTheInstallationsDefaultPassword) {
    const QByteArray esperado = QByteArray::fromHex("D7AEE1CFF54698432B");
    EXPECT_EQ(CifraBytes("D", "7C05E19B3A62F0D84E21", chave), esperado);
    EXPECT_EQ(CifraBytes("D", "7c05e19b3a62f0d84e21", chave), esperado);
    EXPECT_EQ(Cifra("D", "7C05E19B3A62F0D84E21", chave), windows1252::decodifica(esperado));
}

TEST(Cifra, RoundTripsEveryCodeWhateverTheRandomStart) {
    const QString texto = todosOsCodigos();
    for (const QString &k : {chave, QStringLiteral("ÿ"), QStringLiteral("chave longa €")}) {
        for (int vez = 0; vez < 300; ++vez) {
            const QString cifrado = Cifra("E", texto, k);
            ASSERT_EQ(Cifra("D", cifrado, k), texto) << qPrintable(cifrado);
        }
    }
}

TEST(Cifra, A255FollowingA255DeciphersAs255) {
    // Start value FF, then the key's first character itself: the enciphered value of 255 after 255.
    EXPECT_EQ(CifraBytes("D", "FF51", chave), QByteArray("\xFF"));
}

TEST(Cifra, EnciphersIntoUpperCaseHexOfTwoDigitsPerCharacter) {
    const QString cifrado = Cifra("E", QStringLiteral("senha"), chave);
    EXPECT_EQ(cifrado.size(), 2 + 2 * 5);
    for (QChar c : cifrado)
        EXPECT_TRUE((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')) << qPrintable(cifrado);
}

TEST(Cifra, ThreeDigitsGiveOneCharacter) {
    EXPECT_EQ(CifraBytes("D", "7C0", chave).size(), 1);
}

TEST(Cifra, MalformedTextIsAConversionError) {
    for (const char *texto : {"", "7", "7C", "7G05", "7C05 E", "7C05E19B3A62F0D84E2Z"})
        EXPECT_THROW(CifraBytes("D", texto, chave), Erro) << texto;
}

TEST(Cifra, OnlyUpperCaseEAndDAreModes) {
    for (const char *modo : {"e", "d", "X", "", "ED"})
        EXPECT_TRUE(Cifra(modo, "7C05E19B3A62F0D84E21", chave).isEmpty()) << modo;
}

TEST(Cifra, EmptyKeyIsAnError) {
    EXPECT_THROW(Cifra("D", "7C05E1", ""), Erro);
    EXPECT_THROW(Cifra("E", "abc", ""), Erro);
}

} // namespace
