// Bank rules: the document's bank entries, the nosso número per client and per company, bank 756's
// composite number.
#include "generation/RegrasBanco.h"

#include "tests/generation/InstalacaoDeTeste.h"
#include "tests/support/RecordingDispatch.h"

#include <gtest/gtest.h>

using automation::Variant;

namespace {

std::string junta(const QStringList &log) {
    return log.join(QStringLiteral(" | ")).toStdString();
}

struct CasoSicoob {
    const char *carteira;
    const char *identificacao;
    qint64 n;
    const char *nossoNumero;
};

class NossoNumeroSicoobTest : public testing::TestWithParam<CasoSicoob> {};

TEST_P(NossoNumeroSicoobTest, DigitoPeso3197Modulo11) {
    const CasoSicoob &c = GetParam();
    EXPECT_EQ(NossoNumeroSicoob(QLatin1String(c.carteira), QLatin1String(c.identificacao), c.n),
              QLatin1String(c.nossoNumero));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, NossoNumeroSicoobTest,
    testing::Values(
        // The worked example: sum 213, r 7; with 42 the sum 210 gives r 10, digit 0.
        CasoSicoob{"1234", "5678", 43, "00000437"}, CasoSicoob{"1234", "5678", 42, "00000420"},
        // Eight digits of n stay whole; the digit is that of the string holding 1234567.
        CasoSicoob{"1234", "5678", 12345678, "123456780"},
        // Carteira 12345 keeps 1234; an empty one is 0000.
        CasoSicoob{"12345", "5678", 43, "00000437"}, CasoSicoob{"", "5678", 43, "00000431"},
        // Punctuation makes the payee id no number at all: ten zeros, as the id 0 gives.
        CasoSicoob{"1234", "12345-6", 43, "00000432"}, CasoSicoob{"1234", "0", 43, "00000432"}));

TEST(RegrasBanco, CodigoDaContaSicoobENumeroComDigitos) {
    EXPECT_EQ(CodigoContaSicoob(QStringLiteral("12.345-6")), QStringLiteral("000123456"));
    EXPECT_EQ(CodigoContaSicoob(QString()), QStringLiteral("000000000"));
    EXPECT_EQ(CodigoContaSicoob(QStringLiteral("1234567890-1")), QStringLiteral("123456789"));
    EXPECT_EQ(ComDigitos(123, 8), QStringLiteral("00000123"));
    EXPECT_EQ(ComDigitos(12345678901, 8), QStringLiteral("12345678901"));
}

class DocumentoTest : public testing::Test {
protected:
    InstalacaoDeTeste instalacao;
    std::shared_ptr<RecordingDispatch> gravador = std::make_shared<RecordingDispatch>();
    std::shared_ptr<RecordingDispatch> componente = std::make_shared<RecordingDispatch>();
    boleto::ObjetoBolix doc{gravador};
    boleto::ObjetoBolix bolix{componente};

    void SetUp() override { gravador->child(QStringLiteral("MeusDados"))->child(QStringLiteral("Add")); }
};

struct CasoDados {
    const char *banco;
    const char *log;
};

class DadosDoBancoTest : public DocumentoTest, public testing::WithParamInterface<CasoDados> {};

TEST_P(DadosDoBancoTest, EntradasDoBancoNaOrdem) {
    instalacao.ruvenal({"conta_corrente=12.345-6"});
    DadosDoBanco(doc, QLatin1String(GetParam().banco), QStringLiteral("0000004711"), instalacao.ini());
    EXPECT_EQ(junta(gravador->log()), GetParam().log);
}

INSTANTIATE_TEST_SUITE_P(
    Bancos, DadosDoBancoTest,
    testing::Values(CasoDados{"11", "get MeusDados | call Add() | set Nome = Text(TipoDocumentoEscritural) | "
                                    "set Valor = Text(2) | set BancoEmiteBoleto = Bool(True)"},
                    CasoDados{"756", "get MeusDados | call Add() | set Nome = Text(CodigoConvenioLider) | "
                                     "set Valor = Text(000123456) | set Aceite = Text(0) | "
                                     "set BancoEmiteBoleto = Bool(True)"},
                    CasoDados{"104", "get MeusDados | call Add() | set Nome = Text(FormaCadastramento) | "
                                     "set Valor = Text(1) | set NumeroControle = Text(0000004711)"},
                    CasoDados{"237", ""}, CasoDados{"001", ""}));

TEST_F(DocumentoTest, PorClienteLarguraDoBanco) {
    for (const auto &[banco, esperado] :
         {std::pair{"237", "00000123"}, {"11", "0000000123"}, {"999", "00000123"}}) {
        gravador->clearLog();
        NossoNumeroPorCliente(doc, {QLatin1String(banco), QString()}, 123, instalacao.ini());
        EXPECT_EQ(junta(gravador->log()), "set NossoNumero = Text(" + std::string(esperado) + ")") << banco;
    }
}

TEST_F(DocumentoTest, PorClienteSicoobDistribuiOBoleto) {
    instalacao.ruvenal({"identificacao_empresa=5678"});
    NossoNumeroPorCliente(doc, {QStringLiteral("756"), QStringLiteral("1234")}, 43, instalacao.ini());
    EXPECT_EQ(junta(gravador->log()), "set NossoNumero = Text(00000437) | get MeusDados | call Add() | "
                                      "set Nome = Text(BancoDistribuiBoleto) | set Valor = Text(S)");
}

struct CasoEmpresa {
    const char *banco;
    Variant numeroBanco;
    const char *nossoNumero;
    int leituras; // of NumeroBanco
};

class PorEmpresaTest : public DocumentoTest, public testing::WithParamInterface<CasoEmpresa> {};

TEST_P(PorEmpresaTest, BancoDoComponenteDecide) {
    instalacao.ruvenal({"identificacao_empresa=5678"});
    componente->answer(QStringLiteral("NumeroBanco"), GetParam().numeroBanco);
    NossoNumeroPorEmpresa(bolix, doc, {QLatin1String(GetParam().banco), QStringLiteral("1234")},
                          GetParam().banco == std::string("756") ? 43 : 123, instalacao.ini());
    EXPECT_EQ(junta(gravador->log()), "set NossoNumero = Text(" + std::string(GetParam().nossoNumero) + ")");
    EXPECT_EQ(componente->log().count(QStringLiteral("get NumeroBanco")), GetParam().leituras);
}

INSTANTIATE_TEST_SUITE_P(Casos, PorEmpresaTest,
                         testing::Values(CasoEmpresa{"11", Variant("001"), "0000000123", 1},
                                         CasoEmpresa{"237", Variant("001"), "00123", 2},
                                         CasoEmpresa{"11", Variant(1), "0000000123", 1},
                                         CasoEmpresa{"11", Variant("237"), "00000123", 2},
                                         CasoEmpresa{"756", Variant("756"), "00000437", 2},
                                         CasoEmpresa{"104", Variant("104"), "00000123", 2}));

} // namespace
