#include "util/Regional.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

Money reais(std::int64_t dezMilesimos) {
    return Money::deUnidades(dezMilesimos);
}

TEST(Regional, AmountsWithThousandsAndTwoDecimals) {
    const Regional br = Regional::brasileiro();
    const struct {
        std::int64_t unidades;
        const char *esperado;
    } casos[] = {
        {0, "0,00"},
        {12345600, "1.234,56"},
        {-12345600, "-1.234,56"},
        {5000, "0,50"},
        {1234567890120000, "123.456.789.012,00"},
        {9999999, "1.000,00"}, // 999,9999 shows rounded
        {1250, "0,13"},        // a shown half cent goes up, unlike Arredonda
        {-1250, "-0,13"},
        {-49, "0,00"}, // no negative zero
        {1000000, "100,00"},
        {10000000, "1.000,00"},
        {std::numeric_limits<std::int64_t>::min(), "-922.337.203.685.477,58"},
    };
    for (const auto &c : casos)
        EXPECT_EQ(br.formataValor(reais(c.unidades)), c.esperado) << c.unidades;

    Regional eua{".", ",", "/", ":"};
    EXPECT_EQ(eua.formataValor(reais(12345600)), "1,234.56");
}

TEST(Regional, GeneralFormRoundTripsThroughTheDecimalReader) {
    const Regional br = Regional::brasileiro();
    const struct {
        std::int64_t unidades;
        const char *texto;
    } casos[] = {{25000, "2,5"},  {0, "0"},
                 {-1, "-0,0001"}, {123456789012345, "12345678901,2345"},
                 {10000, "1"},    {150000000, "15000"}};
    for (const auto &c : casos) {
        EXPECT_EQ(br.formataGeral(reais(c.unidades)), c.texto);
        EXPECT_EQ(br.leDecimal(QString::fromLatin1(c.texto)), reais(c.unidades)) << c.texto;
    }
}

TEST(Regional, GeneralFormOfTheLargestAmountsReadsBackExactly) {
    const Regional br = Regional::brasileiro();
    EXPECT_EQ(br.formataGeral(reais(std::numeric_limits<std::int64_t>::max())), "922337203685477,5807");
    EXPECT_EQ(br.formataGeral(reais(std::numeric_limits<std::int64_t>::min())), "-922337203685477,5808");
    for (std::int64_t u :
         {std::int64_t(1234567890123456), std::int64_t(-1234567890123449),
          std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::min()})
        EXPECT_EQ(br.leDecimal(br.formataGeral(reais(u))), reais(u)) << u;
}

TEST(Regional, DecimalsBeyondTheRangeOfMoneyAreNoNumber) {
    const Regional br = Regional::brasileiro();
    EXPECT_EQ(br.leDecimal(u"922337203685477,58074"), reais(std::numeric_limits<std::int64_t>::max()));
    // Rounding the fifth decimal up would pass the top of the range.
    EXPECT_FALSE(br.leDecimal(u"922337203685477,58075").has_value());
    EXPECT_FALSE(br.leDecimal(u"922337203685477,5808").has_value());
    EXPECT_FALSE(br.leDecimal(u"922337203685478").has_value());
    EXPECT_EQ(br.leDecimal(u"-922337203685477,5808"), reais(std::numeric_limits<std::int64_t>::min()));
}

TEST(Regional, ReadsOnlyTheRegionalDecimalForm) {
    const Regional br = Regional::brasileiro();
    const struct {
        const char *texto;
        std::optional<std::int64_t> unidades;
    } casos[] = {
        {"1,5", 15000},
        {" 2,5 ", 25000},
        {"+3", 30000},
        {"-,5", -5000},
        {"5,", 50000},
        {"0,00005", 1},
        {"0,00004", 0},
        {"-0,00005", -1},
        {"007", 70000},
        {"1.5", std::nullopt},
        {"1.234,5", std::nullopt},
        {"", std::nullopt},
        {",", std::nullopt},
        {"-", std::nullopt},
        {"abc", std::nullopt},
        {"1,5a", std::nullopt},
        {"1 5", std::nullopt},
        {"1,5,0", std::nullopt},
        {"1e3", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto &c : casos) {
        const auto lido = br.leDecimal(QString::fromLatin1(c.texto));
        if (c.unidades)
            EXPECT_EQ(lido, reais(*c.unidades)) << c.texto;
        else
            EXPECT_FALSE(lido.has_value()) << c.texto;
    }

    const Regional ponto{".", ",", "/", ":"};
    EXPECT_EQ(ponto.leDecimal(u"1.5"), reais(15000));
    EXPECT_FALSE(ponto.leDecimal(u"1,5").has_value());
}

TEST(Regional, DatesAndTimesWithTheRegionalSeparators) {
    const QDateTime momento(QDate(2024, 3, 5), QTime(7, 8, 9));
    const Regional br = Regional::brasileiro();
    const struct {
        const char *padrao;
        const char *esperado;
    } casos[] = {
        {"yyyy/mm/dd", "2024/03/05"},
        {"dd/mm/yyyy", "05/03/2024"},
        {"DD/MM/YYYY", "05/03/2024"},
        {"yyyymmdd", "20240305"},
        {"dd/mm/yyyy hh:nn", "05/03/2024 07:08"},
        {"hh:nn:ss", "07:08:09"},
        {"hh:mm", "07:08"},
        {"d/m/yy h:n:s", "5/3/24 7:8:9"},
        {"dd.mm-yy", "05.03-24"},
    };
    for (const auto &c : casos)
        EXPECT_EQ(br.formataDataHora(momento, QString::fromLatin1(c.padrao)), c.esperado) << c.padrao;

    const Regional outro{",", ".", "-", "."};
    EXPECT_EQ(outro.formataData(QDate(2024, 12, 31), u"yyyy/mm/dd"), "2024-12-31");
    EXPECT_EQ(outro.formataDataHora(momento, u"dd/mm/yyyy hh:nn:ss"), "05-03-2024 07.08.09");
}

TEST(Regional, SettingsInForceCanBeReplaced) {
    Regional::definir(Regional::brasileiro());
    EXPECT_EQ(Regional::atual().separadorDecimal, ",");
    Regional::definir({".", ",", "-", ":"});
    EXPECT_EQ(Regional::atual().separadorData, "-");
    Regional::definir(Regional::brasileiro());
}

} // namespace
