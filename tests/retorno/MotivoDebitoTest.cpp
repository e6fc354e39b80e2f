#include "retorno/MotivoDebito.h"

#include <gtest/gtest.h>

namespace {

TEST(MotivoDebito, TextoDeCadaCodigoConhecido) {
    const std::pair<int, const char *> casos[] = {
        {0, "Débito efetuado."},
        {1, "Débito não efetuado - Insuficiência de fundos."},
        {2, "Débito não efetuado - Conta corrente não cadastrada."},
        {4, "Débito não efetuado - Outras restrições."},
        {10, "Débito não efetuado - Agência em regime de encerramento."},
        {12, "Débito não efetuado - Valor inválido."},
        {13, "Débito não efetuado - Data de lançamento inválida."},
        {14, "Débito não efetuado - Agência inválida."},
        {15, "Débito não efetuado - DAC da conta corrente inválido."},
        {18, "Débito não efetuado - Data do débito anterior à do processamento."},
        {30, "Débito não efetuado - Sem contrato de débito automático."},
        {96, "Manutenção do cadastro."},
        {97, "Cancelamento - não encontrado."},
        {98, "Cancelamento - não efetuado, fora de tempo hábil."},
        {99, "Cancelamento - cancelado conforme solicitação."},
    };
    for (const auto &[codigo, texto] : casos)
        EXPECT_EQ(MotivoDebito(codigo), QString::fromUtf8(texto)) << codigo;
}

TEST(MotivoDebito, CodigoDesconhecidoNaoTemTexto) {
    for (int codigo : {3, 5, 11, 31, 95, -1, 100})
        EXPECT_EQ(MotivoDebito(codigo), QString()) << codigo;
}

TEST(MotivoDebito, SoZeroEDebitado) {
    EXPECT_TRUE(DebitoEfetuado(0));
    for (int codigo : {1, 30, 96, 99})
        EXPECT_FALSE(DebitoEfetuado(codigo)) << codigo;
}

} // namespace
