#include "retorno/AvisosDoRetorno.h"

#include <gtest/gtest.h>

namespace {

// The notices first, then each write-off with the bank's words, then each distinct orientation once.
TEST(MensagemAvisosDoRetorno, AvisosBaixasEUmaVezCadaOrientacao) {
    EXPECT_EQ(MensagemAvisosDoRetorno({}), QString());
    AvisosDoRetorno r;
    r.avisos = {QStringLiteral("Linha 7: campo x não confere.")};
    const QString pix = QStringLiteral("Peça os códigos 510 e 511.");
    r.baixas = {{QStringLiteral("0000004711"), QStringLiteral("00000123"),
                 QStringLiteral("09 - baixa automática"), pix},
                {QStringLiteral(" 0000004712 "), QStringLiteral("00000124"),
                 QStringLiteral("10 - baixado conforme instrução"), pix}};
    EXPECT_EQ(MensagemAvisosDoRetorno(r).toStdString(),
              "Avisos da leitura do arquivo:\rLinha 7: campo x não confere.\r"
              "2 título(s) baixado(s) pelo banco sem pagamento; nenhuma conta foi baixada por eles:\r"
              "Documento 0000004711, nosso número 00000123: 09 - baixa automática\r"
              "Documento 0000004712, nosso número 00000124: 10 - baixado conforme instrução\r"
              "Peça os códigos 510 e 511.");
    r.avisos.clear();
    r.baixas.resize(1);
    r.baixas[0].orientacao.clear();
    EXPECT_EQ(MensagemAvisosDoRetorno(r).toStdString(),
              "1 título(s) baixado(s) pelo banco sem pagamento; nenhuma conta foi baixada por eles:\r"
              "Documento 0000004711, nosso número 00000123: 09 - baixa automática");
}

} // namespace
