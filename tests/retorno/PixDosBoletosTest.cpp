// The bank's Pix QRs of a return kept by issued boleto: matched by bank and nosso número, stored once,
// replaced by a newer charge, and what was not stored named in the message.
#include "retorno/PixDosBoletos.h"

#include "db/ResultSet.h"
#include "generation/BoletosEmitidos.h"
#include "tests/support/BancoDeTeste.h"

#include <gtest/gtest.h>

namespace {

// Two whole BR Codes of the kind the bank returns (CRCs checked).
const QString Qr1 = QStringLiteral(
    "00020101021226810014br.gov.bcb.pix2559pix.example.com/qr/v2/cobv/00000000000000000000000000000001"
    "5204000053039865802BR5917LOJA EXEMPLO LTDA6008CURITIBA62070503***6304CD1A");
const QString Qr2 = QStringLiteral(
    "00020101021226810014br.gov.bcb.pix2559pix.example.com/qr/v2/cobv/1e6c54d3ec9449b7a7fc53b6b0f998e7"
    "5204000053039865802BR5913Fulano de Tal6008BRASILIA62070503***6304A441");

// The nosso número as each bank's return field carries it, and the program's number it stands for.
TEST(FormasDoNossoNumero, OsCamposDosBancosLevamAoNumeroDoPrograma) {
    struct Caso {
        const char *campo;
        const char *numero;
        bool acha;
    };
    const Caso casos[] = {
        {"109000001235", "00000123", true},         // Itaú: carteira, 8 digits, DAC
        {"109000001235", "00000023", false},        // not a tail of another number
        {"109000001235", "00001235", false},        // the check digit is no part of it
        {"00001234", "00000123", true},             // Santander CNAB 400: 7 digits and the DV
        {"00140000000000001237", "00000123", true}, // Caixa: 00, 14, 15 digits, DV
        {"  00000123-4 ", "00000123", true},        // blanks and a hyphen around it
        {"", "0", false},
        {"5", "0", false},
    };
    for (const Caso &c : casos)
        EXPECT_EQ(FormasDoNossoNumero(QString::fromLatin1(c.campo)).contains(QString::fromLatin1(c.numero)),
                  c.acha)
            << c.campo << " " << c.numero;
}

class PixNoBanco : public testing::Test {
protected:
    void SetUp() override {
        banco.conexao().executa(sqlCriaBoletosEmitidos());
        emitido("341", "00000123", "0000001001"); // 1
        emitido("341", "00000124", "0000001002"); // 2
        emitido("033", "00000123", "0000001003"); // 3: the same number at another bank
        emitido("341", "00000200", "0000001004"); // 4 and 5: a number used again
        emitido("341", "00000200", "0000001005");
    }
    void emitido(const char *numeroBanco, const char *nosso, const char *documento) {
        banco.insere(QStringLiteral("ruvenal_boletos"), {{"tipo_sacado", "C"},
                                                         {"codigo", 1},
                                                         {"banco", numeroBanco},
                                                         {"nosso_numero", nosso},
                                                         {"numero_documento", documento},
                                                         {"emitido_em", Emissao}});
    }
    // boleto_id, text, txid, situação and when, of every stored QR, one line each.
    std::string guardados() {
        const ResultSet r = banco.conexao().abre(
            QStringLiteral("select boleto_id, copia_e_cola, txid, situacao, lido_em from ruvenal_pix "
                           "order by boleto_id"));
        QStringList linhas;
        for (int l = 0; l < r.linhas(); ++l)
            linhas << QStringLiteral("%1|%2|%3|%4|%5")
                          .arg(r.valor(l, 0).texto(), r.valor(l, 1).texto(), r.valor(l, 2).texto(),
                               r.valor(l, 3).texto(),
                               r.valor(l, 4).dataHora().toString(QStringLiteral("dd/MM hh:mm")));
        return linhas.join(u'\n').toStdString();
    }
    ResultadoPix guarda(const QString &numeroBanco, const std::vector<PixDoBoleto> &itens,
                        const QDateTime &quando) {
        return GuardaPix(banco.conexao(), numeroBanco, itens, quando);
    }

    const QDateTime Emissao{QDate(2026, 3, 2), QTime(9, 0)};
    const QDateTime Leitura1{QDate(2026, 3, 3), QTime(8, 0)};
    const QDateTime Leitura2{QDate(2026, 3, 4), QTime(8, 0)};
    BancoDeTeste banco;
};

// A confirmation file of Itaú: two QRs stored, a refused charge, a status without a QR and an unknown
// nosso número named and not stored. Loaded again it changes nothing.
TEST_F(PixNoBanco, GuardaUmaVezENomeiaOQueNaoGuardou) {
    const std::vector<PixDoBoleto> itens = {
        {"0000001001", "109000001235", Qr1, "TX1", "Registrado 'com' \"QR\" \\ ok", false},
        {"0000001002", "109000001243", "", "", "003 chave inválida", true},
        {"0000009999", "109000099995", Qr2, "TX9", "", false},
        {"0000001004", "109000002007", Qr2, "TX4", "", false},
        {"0000001003", "109000001235", "", "", "P2 registrado sem QR Code PIX", false},
    };
    const ResultadoPix r = guarda(QStringLiteral("341"), itens, Leitura1);
    EXPECT_EQ(r.recebidos, 2);
    EXPECT_EQ(r.trocados, 0);
    EXPECT_EQ(r.jaGuardados, 0);
    ASSERT_EQ(r.recusados.size(), 1u);
    EXPECT_EQ(r.recusados[0].numeroDocumento, u"0000001002");
    ASSERT_EQ(r.semBoleto.size(), 1u);
    EXPECT_EQ(r.semBoleto[0].numeroDocumento, u"0000009999");
    ASSERT_EQ(r.semQrCode.size(), 1u);
    // The text from the bank file arrives whole, quotes and backslash included; the reused number goes to
    // the boleto of the document the bank names, not the newest.
    const std::string esperados =
        QStringLiteral("1|%1|TX1|Registrado 'com' \"QR\" \\ ok|03/03 08:00\n4|%2|TX4||03/03 08:00")
            .arg(Qr1, Qr2)
            .toStdString();
    EXPECT_EQ(guardados(), esperados);

    const ResultadoPix outraVez = guarda(QStringLiteral("341"), itens, Leitura2);
    EXPECT_EQ(outraVez.recebidos, 0);
    EXPECT_EQ(outraVez.jaGuardados, 2);
    EXPECT_EQ(outraVez.semBoleto.size(), 1u);
    EXPECT_EQ(guardados(), esperados);
}

// A later confirmation with another QR replaces the stored one: the bank settles its newest charge.
// Without a document number, a number used twice goes to its newest boleto; a number of another bank's
// boleto is not taken.
TEST_F(PixNoBanco, QrNovoTrocaOGuardadoEOBancoSeparaOsNumeros) {
    guarda(QStringLiteral("341"), {{"0000001001", "109000001235", Qr1, "TX1", "", false}}, Leitura1);
    const ResultadoPix r = guarda(
        QStringLiteral("341"),
        {{"0000001001", "109000001235", Qr2, "TX2", "", false}, {"", "109000002007", Qr1, "TX5", "", false}},
        Leitura2);
    EXPECT_EQ(r.recebidos, 2);
    EXPECT_EQ(r.trocados, 1);
    EXPECT_EQ(guardados(),
              QStringLiteral("1|%1|TX2||04/03 08:00\n5|%2|TX5||04/03 08:00").arg(Qr2, Qr1).toStdString());

    const ResultadoPix santander =
        guarda(QStringLiteral("033"), {{"0000001003", "00001234", Qr1, "TX3", "", false}}, Leitura2);
    EXPECT_EQ(santander.recebidos, 1);
    EXPECT_EQ(guardados(),
              QStringLiteral("1|%1|TX2||04/03 08:00\n3|%2|TX3||04/03 08:00\n5|%2|TX5||04/03 08:00")
                  .arg(Qr2, Qr1)
                  .toStdString());
    EXPECT_EQ(guarda(QStringLiteral("104"), {{"0000001003", "00001234", Qr1, "TX3", "", false}}, Leitura2)
                  .semBoleto.size(),
              1u);
}

// A number whose tail is another, shorter number: the longer one is the boleto, though the shorter is newer.
TEST_F(PixNoBanco, NumeroMaisLongoAntesDoMaisNovo) {
    emitido("341", "41", "0000002001"); // 6
    emitido("341", "1", "0000002002");  // 7
    const ResultadoPix r = guarda(QStringLiteral("341"), {{"", "109000000418", Qr1, "TX6", "", false}}, Leitura1);
    EXPECT_EQ(r.recebidos, 1);
    EXPECT_EQ(guardados(), QStringLiteral("6|%1|TX6||03/03 08:00").arg(Qr1).toStdString());
}

// The count first; the refused and the unknown named, the statuses without a QR counted.
TEST(MensagemPix, UmaLinhaDeQuantosEDepoisOsNomeados) {
    EXPECT_EQ(MensagemPix({}), QString());

    ResultadoPix r;
    r.houvePix = true;
    EXPECT_EQ(MensagemPix(r), QStringLiteral("QR Code do Pix recebido para 0 boleto(s)."));

    r.recebidos = 3;
    r.trocados = 1;
    r.jaGuardados = 2;
    r.recusados = {{"0000001002", "109000001243", "", "", "003 chave inválida", true}};
    r.semQrCode = {{"0000001003", "00140000000000001237", "", "", "P2 - registrado sem QR Code PIX", false},
                   {"0000001004", "00140000000000001245", "", "", "P1 - registrado com QR Code PIX", false},
                   {"0000001005", "00140000000000001253", "", "", "P2 - registrado sem QR Code PIX ", false}};
    r.semBoleto = {{"0000009999", "109000099995", Qr2, "TX9", "", false}};
    EXPECT_EQ(MensagemPix(r).toStdString(),
              "QR Code do Pix recebido para 3 boleto(s).\r"
              "1 deles já tinham outro QR Code, trocado pelo deste arquivo.\r"
              "2 boleto(s) já tinham este QR Code do Pix.\r"
              "Pix recusado pelo banco; o boleto sai sem QR Code:\r"
              "Documento 0000001002, nosso número 109000001243: 003 chave inválida\r"
              "Situação do Pix sem QR Code no arquivo:\r"
              "P2 - registrado sem QR Code PIX: 2 boleto(s)\r"
              "P1 - registrado com QR Code PIX: 1 boleto(s)\r"
              "QR Code do Pix de nosso número que nenhum boleto emitido tem, não guardado:\r"
              "Documento 0000009999, nosso número 109000099995");
}

} // namespace
