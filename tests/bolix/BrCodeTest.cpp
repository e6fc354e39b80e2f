// The Pix QR's text: the Central Bank's examples and ours, built from their parts and checked.
#include "bolix/core/pix/BrCode.h"
#include "bolix/core/ErroBolix.h"

#include <gtest/gtest.h>

using namespace bolix;

namespace {

struct Exemplo {
    const char *nome;
    const char *brCode;
    const char *crc;
};

void PrintTo(const Exemplo &e, std::ostream *os) {
    *os << e.nome;
}

// The examples of the Central Bank's Pix BR Code manual and of EMVCo's QR document; the last three are ours,
// the one of a CRC below 0x1000 for the zero padding.
const Exemplo exemplos[] = {
    {"EstaticoChaveAleatoria",
     "00020126580014br.gov.bcb.pix0136123e4567-e12b-12d1-a456-4266554400005204000053039865802BR5913Fulano de "
     "Tal6008BRASILIA62070503***63041D3D",
     "1D3D"},
    {"DinamicoImediato",
     "00020101021226730014br.gov.bcb.pix2551pix.example.com/v2/8b3da2f39a4140d1a91abd93113bd44152040000530398"
     "65406123.455802BR5913Fulano de Tal6008BRASILIA62190515RP12345678-201963047309",
     "7309"},
    {"VariosArranjos",
     "00020104141234567890123426660014BR.GOV.BCB."
     "PIX014466756C616E6F32303139406578616D706C652E636F6D27300012BR"
     ".COM.OUTRO011001234567895204000053039865406123."
     "455802BR5915NOMEDORECEBEDOR6008BRASILIA6108700749006253051"
     "5RP12345678-201950300017BR.GOV.BCB.BRCODE01051.0.080450014BR.GOV.BCB.PIX0123PADRAO.URL.PIX/"
     "0123ABCD81390"
     "012BR.COM.OUTRO01190123.ABCD.3456.WXYZ6304EB76",
     "EB76"},
    {"CobrancaComVencimento",
     "00020101021226810014br.gov.bcb.pix2559pix.example.com/qr/v2/cobv/1e6c54d3ec9449b7a7fc53b6b0f998e7520400"
     "0053039865802BR5913Fulano de "
     "Tal6008BRASILIA62070503***80800014br.gov.bcb.pix2558pix.example.com/qr/v2/re"
     "c/3ffa640fa4f14080adccb949fa2dc0d06304A441",
     "A441"},
    {"CobrancaComValor",
     "00020101021226810014br.gov.bcb.pix2559pix.example.com/qr/v2/cobv/"
     "000000000000000000000000000000015204000"
     "053039865406150.005802BR5917LOJA EXEMPLO LTDA6008CURITIBA62070503***6304CE01",
     "CE01"},
    {"CobrancaSemValor",
     "00020101021226810014br.gov.bcb.pix2559pix.example.com/qr/v2/cobv/"
     "000000000000000000000000000000015204000"
     "053039865802BR5917LOJA EXEMPLO LTDA6008CURITIBA62070503***6304CD1A",
     "CD1A"},
    {"CrcComZeroAEsquerda",
     "00020126360014br.gov.bcb.pix0114+5541999990000520400005303986540525.005802BR5912LOJA "
     "EXEMPLO6008CURITIBA"
     "62110507PEDIDO163040CB4",
     "0CB4"},
};

class BrCodeExemplo : public testing::TestWithParam<Exemplo> {};

TEST_P(BrCodeExemplo, CrcConfereETextoEhAceito) {
    const QString texto = QString::fromLatin1(GetParam().brCode);
    EXPECT_EQ(crcBrCode(texto.chopped(4).toLatin1()), QString::fromLatin1(GetParam().crc));
    EXPECT_EQ(brCodeConferido(texto + QStringLiteral("    ")), texto);
}

INSTANTIATE_TEST_SUITE_P(Exemplos, BrCodeExemplo, testing::ValuesIn(exemplos),
                         [](const auto &info) { return std::string(info.param.nome); });

TEST(BrCode, CrcDeReferencia) {
    EXPECT_EQ(crcBrCode("123456789"), u"29B1");
}

// The bank's location gives the whole text: name and city in plain ASCII within their sizes, no amount.
TEST(BrCode, MontadoDaLocation) {
    EXPECT_EQ(brCodeDaLocation(QStringLiteral("pix.example.com/qr/v2/cobv/00000000000000000000000000000001"),
                               QStringLiteral("Loja Exemplo Ltda"), QStringLiteral("Curitiba")),
              QString::fromLatin1(exemplos[5].brCode));
    const QString longo = brCodeDaLocation(QStringLiteral("pix.example.com/cobv/1"),
                                           QStringLiteral("Comércio de Armarinhos São João Ltda"),
                                           QStringLiteral("São José dos Pinhais"));
    EXPECT_TRUE(longo.contains(u"5925COMERCIO DE ARMARINHOS SA6015SAO JOSE DOS PI")) << longo.toStdString();
    EXPECT_EQ(brCodeConferido(longo), longo);
    EXPECT_THROW(brCodeDaLocation(QString(78, u'x'), QStringLiteral("LOJA"), QStringLiteral("CIDADE")),
                 ErroBolix);
}

// What a bank may hand over broken is reported, never printed.
TEST(BrCode, TextoQuebradoRecusado) {
    const QString bom = QString::fromLatin1(exemplos[0].brCode);
    // A change whose CRC was made again, so that only the rule under test can refuse it.
    const auto comCrc = [](QString texto) {
        texto.chop(4);
        return texto + crcBrCode(texto.toLatin1());
    };
    const struct {
        const char *nome;
        QString texto;
        const char *motivo;
    } casos[] = {
        {"CaractereTrocado", QString(bom).replace(QStringLiteral("Fulano"), QStringLiteral("Fulana")),
         "CRC 1D3D"},
        {"Cortado", bom.left(100), "passa do fim"},
        {"SemCrc", bom.chopped(8), "não termina pelo CRC"},
        {"CrcMinusculo", bom.chopped(4) + QStringLiteral("1d3d"), "não termina pelo CRC"},
        {"SemFormato", bom.mid(6), "não começa pelo objeto 00"},
        // Lengths are two digits, as the BR Code gives them.
        {"ComprimentoComBranco", comCrc(QString(bom).replace(0, 6, QStringLiteral("00 201"))),
         "o objeto 00 tem o comprimento \" 2\", que não são dois dígitos"},
        {"ComprimentoComSinal", comCrc(QString(bom).replace(0, 6, QStringLiteral("00+201"))),
         "o objeto 00 tem o comprimento \"+2\""},
        {"OutroArranjo",
         QString(bom).replace(QStringLiteral("br.gov.bcb.pix"), QStringLiteral("br.gov.bcb.xyz")),
         "não é um Pix"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        try {
            brCodeConferido(c.texto);
            ADD_FAILURE() << "accepted";
        } catch (const ErroBolix &e) {
            EXPECT_TRUE(e.texto().startsWith(u"QR Code Pix do banco inválido: ")) << e.what();
            EXPECT_TRUE(e.texto().contains(QString::fromUtf8(c.motivo))) << e.what();
        }
    }
}

} // namespace
