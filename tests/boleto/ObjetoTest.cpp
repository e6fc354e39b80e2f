// The typed side of the component's object model: what the bank work reads back from what the
// program wrote late-bound.
#include "bolix/objeto/ContaCorrente.h"

#include "tests/support/ErroDe.h"

#include <gtest/gtest.h>

using automation::Currency;
using automation::Variant;
using namespace bolix::objeto;

namespace {

TEST(ObjetoTipado, LeComoValorTipadoOQueFoiEscritoPorNome) {
    DocumentoCobranca doc;
    doc.set(QStringLiteral("valordocumento"), Variant(12.34));
    doc.set(QStringLiteral("DataVencimento"), Variant("21/02/2025"));
    doc.set(QStringLiteral("DiasProtesto"), Variant("5"));
    doc.set(QStringLiteral("BancoEmiteBoleto"), Variant(true));

    EXPECT_EQ(doc.moeda(QStringLiteral("ValorDocumento")), 123400);
    EXPECT_EQ(doc.data(QStringLiteral("DataVencimento")), QDate(2025, 2, 21));
    EXPECT_EQ(doc.inteiro(QStringLiteral("DiasProtesto")), 5);
    EXPECT_TRUE(doc.booleano(QStringLiteral("BancoEmiteBoleto")));
    // A due date never given is no date, not some default one.
    EXPECT_FALSE(doc.data(QStringLiteral("DataDocumento")).isValid());
}

TEST(ObjetoTipado, DistingueMembroNuncaEscritoDeEscritoVazio) {
    DocumentoCobranca doc;
    doc.set(QStringLiteral("CNPJSacado"), Variant(""));
    EXPECT_TRUE(doc.definido(QStringLiteral("CNPJSacado")));
    EXPECT_FALSE(doc.definido(QStringLiteral("CPFSacado")));
    EXPECT_FALSE(doc.definido(QStringLiteral("DataVencimento")));
}

TEST(ObjetoTipado, LeituraTipadaDeOutroTipoEhRecusada) {
    DocumentoCobranca doc;
    EXPECT_TRUE(
        erroDe([&] { doc.moeda(QStringLiteral("NomeSacado")); }).contains(QLatin1String("NomeSacado")));
    EXPECT_TRUE(
        erroDe([&] { doc.texto(QStringLiteral("PadroesBoleto")); }).contains(QLatin1String("PadroesBoleto")));
}

TEST(ObjetoTipado, TrabalhoBancarioGravaResultadosComAMesmaCoercao) {
    ContaCorrente conta;
    auto ocorrencia = conta.ocorrencias().adiciona();
    ocorrencia->define(QStringLiteral("ValorPago"), Variant(Currency{1209500}));
    ocorrencia->define(QStringLiteral("NumeroDocumento"), Variant("0000004711"));
    EXPECT_EQ(conta.get(QStringLiteral("OcorrenciasCobranca"))
                  .toObject()
                  ->item(0)
                  .toObject()
                  ->get(QStringLiteral("ValorPago")),
              Variant(Currency{1209500}));
    EXPECT_FALSE(
        erroDe([&] { ocorrencia->define(QStringLiteral("DataCredito"), Variant("30/02/2025")); }).isEmpty());
    // A computed member holds nothing to define.
    EXPECT_FALSE(erroDe([&] { conta.define(QStringLiteral("NumeroBanco"), Variant("001")); }).isEmpty());
}

TEST(ObjetoTipado, ColecaoEntregaSeusItensEmOrdem) {
    ContaCorrente conta;
    const auto docs = conta.get(QStringLiteral("DocumentosCobranca")).toObject();
    for (const char *numero : {"0000000001", "0000000002"})
        docs->call(QStringLiteral("Add")).toObject()->set(QStringLiteral("NumeroDocumento"), Variant(numero));
    ASSERT_EQ(conta.documentos().itens().size(), 2);
    EXPECT_EQ(conta.documentos().itens().at(1)->texto(QStringLiteral("NumeroDocumento")),
              QStringLiteral("0000000002"));
}

TEST(ObjetoTipado, MeusDadosRespondeAUltimaEntradaDeUmNome) {
    MeusDados dados;
    for (const char *valor : {"N", "S"}) {
        auto entrada = dados.call(QStringLiteral("Add")).toObject();
        entrada->set(QStringLiteral("Nome"), Variant("LiteralCobrancaComCedilha"));
        entrada->set(QStringLiteral("Valor"), Variant(valor));
    }
    EXPECT_EQ(dados.valor(QStringLiteral("literalcobrancacomcedilha")), QStringLiteral("S"));
    EXPECT_EQ(dados.valor(QStringLiteral("CodigoConvenioLider")), QString());
}

} // namespace
