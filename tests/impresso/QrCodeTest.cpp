#include "bolix/impresso/QrCode.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/impresso/SimboloQr.h"
#include "tests/support/LeituraPdf.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <qrencode.h>

#include <memory>

using namespace bolix;
using namespace Qt::StringLiterals;

namespace {

const QString brCode =
    u"00020101021226810014br.gov.bcb.pix2559pix.example.com/qr/v2/cobv/00000000000000000000000000000001"
    u"5204000053039865802BR5917LOJA EXEMPLO LTDA6008CURITIBA62070503***6304CD1A"_s;

// Lower-case letters, which only the byte mode holds, varied so every codeword differs.
QByteArray letras(int quantas) {
    QByteArray t(quantas, 'a');
    for (int i = 0; i < quantas; ++i)
        t[i] = char('a' + (i * 7 + i / 26) % 26);
    return t;
}

using QrDaLibqrencode = std::unique_ptr<QRcode, decltype(&QRcode_free)>;

bool igual(const SimboloQr &nosso, const QRcode &deles) {
    if (nosso.lado != deles.width)
        return false;
    for (int y = 0; y < nosso.lado; ++y)
        for (int x = 0; x < nosso.lado; ++x)
            if (nosso.escuro(y, x) != bool(deles.data[y * deles.width + x] & 1))
                return false;
    return true;
}

// Against libqrencode in byte mode, from version 1 to 40: the same version and, under the same mask, the
// same modules, so the capacities, the correction blocks, the interleaving and the placement of codewords,
// format and version bits all agree with an independent encoder. The two evaluate the masks by the same
// penalties but for details of the finder-like pattern, so they mostly pick the same one.
TEST(SimboloQr, ModuloAModuloIgualAoDeOutroCodificador) {
    int versoes = 0, textos = 0, mesmaEscolha = 0;
    for (int tamanho = 1; tamanho <= 2331; tamanho += tamanho < 200 ? 13 : 97) {
        SCOPED_TRACE(tamanho);
        const QByteArray texto = letras(tamanho);
        const QrDaLibqrencode deles(
            QRcode_encodeData(tamanho, reinterpret_cast<const unsigned char *>(texto.constData()), 0,
                              QR_ECLEVEL_M),
            &QRcode_free);
        ASSERT_TRUE(deles);
        bool algumaMascara = false;
        for (int mascara = 0; mascara < 8 && !algumaMascara; ++mascara)
            algumaMascara = igual(*simboloQr(texto, mascara), *deles);
        EXPECT_TRUE(algumaMascara) << "versão " << deles->version;
        versoes = std::max(versoes, deles->version);
        ++textos;
        mesmaEscolha += igual(*simboloQr(texto), *deles);
    }
    EXPECT_EQ(versoes, 40);
    EXPECT_GE(mesmaEscolha * 4, textos * 3) << mesmaEscolha << " de " << textos;
    EXPECT_FALSE(simboloQr(letras(2332)));
}

// Whichever mask it picks and whichever modes it mixes, a reader gets back exactly the text: short, the
// BR Code, and long enough for the wider character counts of versions 10 and 27.
TEST(SimboloQr, LeitorLeExatamenteOTexto) {
    const QList<QByteArray> textos = {"1",
                                      "HTTP://PIX.EXEMPLO",
                                      brCode.toUtf8(),
                                      "0123456789" + letras(30) + "ABC $%*+-./:" + QByteArray(40, '7'),
                                      brCode.toUtf8().repeated(3),
                                      QByteArray(1500, '5') + letras(400)};
    QTemporaryDir pasta;
    for (const QByteArray &texto : textos) {
        SCOPED_TRACE(texto.left(40).toStdString());
        const SimboloQr s = *simboloQr(texto);
        constexpr int pixels = 4, margem = 4;
        QImage imagem((s.lado + 2 * margem) * pixels, (s.lado + 2 * margem) * pixels,
                      QImage::Format_Grayscale8);
        imagem.fill(255);
        for (int y = 0; y < s.lado; ++y)
            for (int x = 0; x < s.lado; ++x)
                for (int p = 0; p < pixels * pixels && s.escuro(y, x); ++p)
                    imagem.setPixel((x + margem) * pixels + p % pixels, (y + margem) * pixels + p / pixels,
                                    0);
        const QString png = pasta.filePath(u"qr.png"_s);
        ASSERT_TRUE(imagem.save(png));
        EXPECT_EQ(
            leitura::roda(u"zbarimg"_s, {u"--raw"_s, u"-q"_s, u"-Sdisable"_s, u"-Sqrcode.enable"_s, png}),
            texto + '\n');
    }
}

// The BR Code's runs of digits and capitals in their compact modes: version 7 (45 modules) where bytes
// alone would need version 9 (53), and never a larger symbol than libqrencode's own split; the runs start
// with the finder pattern and stay inside the symbol.
TEST(QrCodePix, UsaOMenorSimboloQueOTextoPermite) {
    const QrCode qr = codificaQr(brCode);
    EXPECT_EQ(qr.lado, 45);
    const QList<CorridaQr> corridas = qr.corridas();
    ASSERT_FALSE(corridas.isEmpty());
    EXPECT_EQ(corridas.first(), (CorridaQr{0, 0, 7}));
    for (const CorridaQr &c : corridas) {
        EXPECT_LT(c.linha, qr.lado);
        EXPECT_LE(c.coluna + c.comprimento, qr.lado);
        EXPECT_GT(c.comprimento, 0);
    }
    for (const QString &texto :
         {brCode, u"A1b2C3d4"_s.repeated(20), u"1234567890ABCDEFGHIJ"_s.repeated(30)}) {
        const QrDaLibqrencode deles(
            QRcode_encodeString(texto.toUtf8().constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), &QRcode_free);
        EXPECT_LE(codificaQr(texto).lado, deles->width) << texto.toStdString();
    }
}

TEST(QrCodePix, TextoAlemDoMaiorSimboloERecusado) {
    EXPECT_THROW(codificaQr(QString(3000, u'x')), ErroBolix);
}

} // namespace
