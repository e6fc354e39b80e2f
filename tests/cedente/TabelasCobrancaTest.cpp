#include "cedente/TabelasCobranca.h"
#include "util/Erro.h"

#include <gtest/gtest.h>

namespace {

struct CasoEspecie {
    int posicao;
    const char *codigo;
};

class CodigoEspecieTest : public testing::TestWithParam<CasoEspecie> {};

TEST_P(CodigoEspecieTest, CodigoDaPosicaoContadaDeUm) {
    EXPECT_EQ(CodigoEspecie(GetParam().posicao), QString::fromUtf8(GetParam().codigo));
}

INSTANTIATE_TEST_SUITE_P(Tabela, CodigoEspecieTest,
                         testing::Values(CasoEspecie{1, "AP"}, CasoEspecie{5, "DSI"}, CasoEspecie{12, "NCE"},
                                         CasoEspecie{22, "RC"}, CasoEspecie{24, "TM"}));

TEST(CodigoEspecie, ForaDaTabelaFalhaComIndiceInvalido) {
    for (int posicao : {0, 25, -1, 100}) {
        try {
            CodigoEspecie(posicao);
            ADD_FAILURE() << "position " << posicao << " was accepted";
        } catch (const Erro &e) {
            EXPECT_EQ(e.texto(), QStringLiteral("Índice inválido!"));
        }
    }
}

TEST(PosicaoInstrucao, SoOTextoExatoDeUmaInstrucaoDaLista) {
    EXPECT_EQ(PosicaoInstrucao(QStringLiteral("Não dispensar juros. Não conceder desconto fora do prazo")),
              0);
    EXPECT_EQ(PosicaoInstrucao(QStringLiteral("Instrução especial contida em manual do Banco ")), 7);
    EXPECT_EQ(PosicaoInstrucao(QStringLiteral("Vencido, cobrar multa de 5% mais juros acima")), 23);
    EXPECT_EQ(PosicaoInstrucao(QStringLiteral("Instrução especial contida em manual do Banco")), -1);
    EXPECT_EQ(PosicaoInstrucao(QStringLiteral("protestar")), -1);
    EXPECT_EQ(PosicaoInstrucao(QString()), -1);
}

} // namespace
