#include "util/Money.h"
#include "tests/support/ErroDe.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr std::int64_t maximo = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t minimo = std::numeric_limits<std::int64_t>::min();

Money m(std::int64_t unidades) {
    return Money::deUnidades(unidades);
}

TEST(Money, SumsAndProductsThatDoNotFitAreRefused) {
    const struct {
        const char *conta;
        std::function<void()> f;
    } casos[] = {
        {"max + 1", [] { m(maximo) + m(1); }},
        {"min - 1", [] { m(minimo) - m(1); }},
        {"max - (-1)", [] { m(maximo) - m(-1); }},
        {"-min", [] { -m(minimo); }},
        {"+= to the top",
         [] {
             Money s = m(maximo - 5);
             s += m(6);
         }},
        {"-= to the bottom",
         [] {
             Money s = m(minimo + 5);
             s -= m(6);
         }},
        {"max * 2", [] { m(maximo) * 2; }},
        {"min * -1", [] { m(minimo) * -1; }},
        {"cents", [] { Money::deCentavos(maximo / 100 + 1); }},
        {"whole", [] { Money::deInteiro(922337203685478); }},
        {"double 1e15", [] { Money::deDouble(1e15); }},
        {"double -1e300", [] { Money::deDouble(-1e300); }},
        {"double NaN", [] { Money::deDouble(std::nan("")); }},
        {"double inf", [] { Money::deDouble(INFINITY); }},
    };
    for (const auto &c : casos)
        EXPECT_TRUE(erroDoPrograma(c.f).endsWith("ultrapassa o limite dos valores monetários.")) << c.conta;
    EXPECT_EQ(erroDoPrograma([] { m(maximo) + m(1); }),
              "A soma de 922337203685477.5807 e 0.0001 ultrapassa o limite dos valores monetários.");
}

// Statements and stored cells carry the automation currency's text: the shortest decimal form.
TEST(Money, DecimalTextIsTheCurrencyText) {
    for (const std::int64_t u : {std::int64_t(0), std::int64_t(1), std::int64_t(-1), std::int64_t(5000),
                                 std::int64_t(-10500), std::int64_t(1000000), std::int64_t(123456789),
                                 std::int64_t(-7), std::int64_t(10001), maximo, minimo, minimo + 1}) {
        SCOPED_TRACE(u);
        EXPECT_EQ(m(u).toDecimalText(), automation::Variant(automation::Currency{u}).toText());
    }
    EXPECT_EQ(m(-10500).toDecimalText(), QStringLiteral("-1.05"));
    EXPECT_EQ(m(minimo).toDecimalText(), QStringLiteral("-922337203685477.5808"));
}

TEST(Money, TheWholeRangeStaysUsable) {
    EXPECT_EQ(m(maximo - 1) + m(1), m(maximo));
    EXPECT_EQ(m(minimo + 1) - m(1), m(minimo));
    EXPECT_EQ(-m(maximo), m(minimo + 1));
    EXPECT_EQ(m(-3) * 4, m(-12));
    EXPECT_EQ(Money::deInteiro(922337203685477), m(9223372036854770000));
    EXPECT_EQ(Money::deCentavos(-250), m(-25000));
    EXPECT_EQ(Money::deDouble(1e14), m(1000000000000000000));
    EXPECT_EQ(Money::deDouble(-0.00005), m(-1));
}

TEST(Money, DigitsConvertExactlyUpToTheEdgesOfTheRange) {
    const struct {
        bool negativo;
        const char *inteiro, *fracao;
        std::optional<std::int64_t> unidades;
    } casos[] = {
        {false, "922337203685477", "5807", maximo},
        {false, "922337203685477", "58074999", maximo},
        {false, "922337203685477", "58075", std::nullopt}, // the rounding would pass the top
        {false, "922337203685477", "5808", std::nullopt},
        {true, "922337203685477", "5808", minimo},
        {true, "922337203685477", "58085", std::nullopt},
        {false, "18446744073709551616", "", std::nullopt}, // beyond 64 bits before scaling
        {false, "1", "00005", 10001},
        {false, "", "5", 5000},
        {false, "1", "2a", std::nullopt},
        {false, "1", "00005x", std::nullopt},
    };
    for (const auto &c : casos) {
        const auto lido = Money::deDigitos(c.negativo, QLatin1String(c.inteiro), QLatin1String(c.fracao));
        const auto largo =
            Money::deDigitos(c.negativo, QString::fromLatin1(c.inteiro), QString::fromLatin1(c.fracao));
        EXPECT_EQ(lido, largo) << c.inteiro << "," << c.fracao;
        if (c.unidades)
            EXPECT_EQ(lido, m(*c.unidades)) << c.inteiro << "," << c.fracao;
        else
            EXPECT_FALSE(lido.has_value()) << c.inteiro << "," << c.fracao;
    }
}

} // namespace
