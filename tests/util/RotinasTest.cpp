#include "util/Rotinas.h"
#include "tests/support/MensagensGravadas.h"
#include "util/Clock.h"
#include "util/Erro.h"

#include <gtest/gtest.h>

namespace {

TEST(FilialParaLojasLeram, MapsEveryBranchBelow80) {
    const QString marcas =
        QStringLiteral("0*23456789ABCDEFGHIJKLMNOPQRSTUVWXYZ@#$&+-!()={}[]<>;:abcdefghijklmnopqrstuvwxyz");
    ASSERT_EQ(marcas.size(), 80);
    for (int filial = 0; filial < 80; ++filial)
        EXPECT_EQ(FilialParaLojasLeram(filial), marcas.mid(filial, 1)) << filial;
}

TEST(FilialParaLojasLeram, NegativeIdsCountDownFromTheDigitZero) {
    EXPECT_EQ(FilialParaLojasLeram(-1), "/");
    EXPECT_EQ(FilialParaLojasLeram(-6), "*");
    EXPECT_EQ(FilialParaLojasLeram(-49), QStringLiteral("ÿ"));
}

TEST(FilialParaLojasLeram, RejectsIdsFrom80Up) {
    for (int filial : {80, 81, 1000}) {
        try {
            FilialParaLojasLeram(filial);
            ADD_FAILURE() << filial;
        } catch (const Erro &e) {
            EXPECT_EQ(e.texto(), QStringLiteral("O filial_id %1 não pode ser convertido para um "
                                                "\"lojas_leram\" válido")
                                     .arg(filial));
        }
    }
}

TEST(Aviso, ShowsTheWarningBox) {
    MensagensGravadas mensagens;
    Aviso(QStringLiteral("É necessário que o Bolix esteja instalado neste computador."));
    EXPECT_EQ(
        mensagens.mostradas,
        QStringList{QStringLiteral("aviso: É necessário que o Bolix esteja instalado neste computador.")});
}

TEST(Mensagens, WithoutAnInstalledImplementationShowingIsAFault) {
    EXPECT_THROW(Aviso(QStringLiteral("x")), std::logic_error);
}

struct CasoTexto {
    const char *entrada;
    const char *esperado;
};

TEST(FiltrosDeTexto, QuotesAndDigits) {
    const CasoTexto aspas[] = {{"", ""}, {"a\"b'c\"", "ab'c"}, {"\"\"", ""}, {"sem aspas", "sem aspas"}};
    for (const auto &c : aspas)
        EXPECT_EQ(RemoveAspas(c.entrada), c.esperado) << c.entrada;
    const CasoTexto limpa[] = {{"a\"b'c\"", "abc"}, {"D'Ávila \"Jr\"", "DÁvila Jr"}, {"''", ""}};
    for (const auto &c : limpa)
        EXPECT_EQ(LimpaAspas(QString::fromUtf8(c.entrada)), QString::fromUtf8(c.esperado)) << c.entrada;
    const CasoTexto numeros[] = {{"12.345-6", "123456"}, {"sem digitos", ""}, {"", ""}, {"a1b2³٣", "12"}};
    for (const auto &c : numeros)
        EXPECT_EQ(SoNumeros(QString::fromUtf8(c.entrada)), c.esperado) << c.entrada;
}

TEST(SimNao, OnlyALoneSOrNCounts) {
    const CasoTexto casos[] = {{"S", "S"},  {"s", "S"},  {"N", "N"},   {"n", "N"}, {"", "N"},
                               {" S", "N"}, {"S ", "N"}, {"SIM", "N"}, {"x", "N"}};
    for (const auto &c : casos)
        EXPECT_EQ(SimNao(c.entrada), c.esperado) << '"' << c.entrada << '"';
}

TEST(PreencheEsquerda, FillsByTheTextsShortfall) {
    EXPECT_EQ(PreencheEsquerda("123", "0", 6), "000123");
    EXPECT_EQ(PreencheEsquerda("1234567", "0", 6), "1234567");
    EXPECT_EQ(PreencheEsquerda("123456", "0", 6), "123456");
    EXPECT_EQ(PreencheEsquerda("", " ", 3), "   ");
    EXPECT_EQ(PreencheEsquerda("12", "ab", 4), "abab12");
    EXPECT_EQ(PreencheEsquerda("12", "0", -1), "12");
}

TEST(Arredonda, HalvesGoToTheEvenCent) {
    const struct {
        std::int64_t unidades, esperado;
    } casos[] = {
        {1250, 1200}, {1350, 1400}, {-1250, -1200}, {-1350, -1400}, {1251, 1300},   {1249, 1200},
        {50, 0},      {150, 200},   {-50, 0},       {-51, -100},    {10000, 10000}, {123456789, 123456800},
    };
    for (const auto &c : casos)
        EXPECT_EQ(Arredonda(Money::deUnidades(c.unidades)).unidades(), c.esperado) << c.unidades;
}

TEST(DigitoModulo, WeightedSums) {
    const struct {
        const char *digitos, *pesos;
        int modulo;
        bool resto;
        const char *esperado;
    } casos[] = {
        {"0", "3197", 11, false, "0"},     // 11 - 0 is larger than 9
        {"1", "3197", 11, false, "8"},     // 3
        {"2", "3197", 11, false, "5"},     // 6
        {"1234", "3197", 11, false, "6"},  // 60 = 5 mod 11
        {"12345", "3197", 11, false, "2"}, // the weights start over: 75 = 9 mod 11
        {"11111", "3197", 11, false, "0"}, // 23 = 1 mod 11, and 10 is larger than 9
        {"11111", "3197", 11, true, "1"},  {"99", "2", 10, true, "6"}, // 36
        {"", "3197", 11, false, "0"},      {"", "", 7, false, "7"},
    };
    for (const auto &c : casos)
        EXPECT_EQ(DigitoModulo(c.digitos, c.pesos, c.modulo, c.resto), c.esperado)
            << c.digitos << " " << c.pesos << " " << c.modulo;
}

TEST(DigitoModulo, NonDigitsAndImpossibleSumsAreErrors) {
    EXPECT_THROW(DigitoModulo("12a4", "3197", 11, false), Erro);
    EXPECT_THROW(DigitoModulo("1234", "31x7", 11, false), Erro);
    EXPECT_THROW(DigitoModulo("1 2", "3197", 11, false), Erro);
    EXPECT_THROW(DigitoModulo("12", "", 11, false), Erro);
    EXPECT_THROW(DigitoModulo("12", "3197", 0, false), Erro);
}

TEST(Clock, FixedMomentUntilReleased) {
    const QDateTime momento(QDate(2024, 2, 29), QTime(23, 59, 58));
    Clock::fixar(momento);
    EXPECT_EQ(Clock::agora(), momento);
    EXPECT_EQ(Clock::hoje(), QDate(2024, 2, 29));
    Clock::fixar(std::nullopt);
    EXPECT_LE(qAbs(Clock::agora().secsTo(QDateTime::currentDateTime())), 2);
}

} // namespace
