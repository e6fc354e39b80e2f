#include "automation/Dispatch.h"

#include <gtest/gtest.h>

#include <QtGlobal>
#include <cmath>
#include <limits>

using automation::AutomationError;
using automation::Currency;
using automation::Variant;

// Every integer type lands on Int; a raw pointer must not silently become a boolean.
static_assert(std::is_constructible_v<Variant, qint64>);
static_assert(std::is_constructible_v<Variant, long>);
static_assert(std::is_constructible_v<Variant, unsigned>);
static_assert(!std::is_constructible_v<Variant, automation::Dispatch *>);

namespace {

enum class To { Bool, Int, Double, Currency, Text };

Variant convert(const Variant &v, To to) {
    switch (to) {
    case To::Bool:
        return v.toBool();
    case To::Int:
        return v.toInt();
    case To::Double:
        return v.toDouble();
    case To::Currency:
        return v.toCurrency();
    case To::Text:
        return v.toText();
    }
    return {};
}

struct Conversion {
    const char *name;
    Variant in;
    To to;
    Variant expected; // Empty: the conversion must fail
};

void PrintTo(const Conversion &c, std::ostream *os) {
    *os << c.name;
}

class VariantConversion : public testing::TestWithParam<Conversion> {};

TEST_P(VariantConversion, GivesTheValueOrRefuses) {
    const Conversion &c = GetParam();
    if (c.expected.isEmpty()) {
        EXPECT_THROW(convert(c.in, c.to), AutomationError) << c.in.describe().toStdString();
        return;
    }
    EXPECT_EQ(convert(c.in, c.to).describe(), c.expected.describe());
}

const auto big = std::int64_t(123456789012345678); // beyond what a double holds exactly

INSTANTIATE_TEST_SUITE_P(
    Table, VariantConversion,
    testing::Values(
        // Text for messages and files: C form, shortest decimals.
        Conversion{"IntToText", Variant(42), To::Text, Variant("42")},
        Conversion{"CurrencyToText", Variant(Currency{125000}), To::Text, Variant("12.5")},
        Conversion{"NegativeTinyCurrencyToText", Variant(Currency{-1}), To::Text, Variant("-0.0001")},
        Conversion{"BoolToText", Variant(true), To::Text, Variant("True")},
        Conversion{"EmptyToText", Variant(), To::Text, Variant("")},
        Conversion{"ObjectToText", Variant(automation::DispatchPtr()), To::Text, Variant()},
        // Money from text is read digit for digit, never through a float.
        Conversion{"TextToCurrency", Variant(" 12.5 "), To::Currency, Variant(Currency{125000})},
        Conversion{"LargeTextToCurrencyExact", Variant("12345678901234.5678"), To::Currency,
                   Variant(Currency{big})},
        // The whole range, both ends, without a float in between.
        Conversion{"TopWholeTextToCurrency", Variant("922337203685477"), To::Currency,
                   Variant(Currency{9223372036854770000})},
        Conversion{"LargestTextToCurrency", Variant("922337203685477.5807"), To::Currency,
                   Variant(Currency{std::numeric_limits<std::int64_t>::max()})},
        Conversion{"SmallestTextToCurrency", Variant("-922337203685477.5808"), To::Currency,
                   Variant(Currency{std::numeric_limits<std::int64_t>::min()})},
        Conversion{"OneAboveLargestIsRefused", Variant("922337203685477.5808"), To::Currency, Variant()},
        Conversion{"RoundingAboveLargestIsRefused", Variant("922337203685477.58075"), To::Currency,
                   Variant()},
        Conversion{"OneBelowSmallestIsRefused", Variant("-922337203685477.5809"), To::Currency, Variant()},
        Conversion{"FifthDecimalRoundsAway", Variant("-0.00005"), To::Currency, Variant(Currency{-1})},
        Conversion{"DoubleToCurrency", Variant(0.33), To::Currency, Variant(Currency{3300})},
        Conversion{"ExponentTextToCurrency", Variant("1e2"), To::Currency, Variant(Currency{1000000})},
        Conversion{"CommaTextIsNoCurrency", Variant("1,50"), To::Currency, Variant()},
        Conversion{"WordIsNoCurrency", Variant("dez"), To::Currency, Variant()},
        Conversion{"IntTooLargeForCurrency", Variant(std::int64_t(1) << 62), To::Currency, Variant()},
        Conversion{"DoubleTooLargeForCurrency", Variant(1e300), To::Currency, Variant()},
        // Whole numbers: halves to even, as automation rounds; no silent wrap-around.
        Conversion{"CurrencyHalfToEvenDown", Variant(Currency{25000}), To::Int, Variant(2)},
        Conversion{"CurrencyHalfToEvenUp", Variant(Currency{35000}), To::Int, Variant(4)},
        Conversion{"NegativeCurrencyHalf", Variant(Currency{-25000}), To::Int, Variant(-2)},
        Conversion{"LargeCurrencyToIntExact", Variant(Currency{big}), To::Int,
                   Variant(std::int64_t(12345678901235))},
        Conversion{"DoubleHalfToEven", Variant(2.5), To::Int, Variant(2)},
        Conversion{"PaddedTextToInt", Variant(" 0000000041 "), To::Int, Variant(41)},
        Conversion{"DecimalTextToInt", Variant("7.5"), To::Int, Variant(8)},
        Conversion{"HugeTextIsNoInt", Variant("1e30"), To::Int, Variant()},
        Conversion{"NanIsNoInt", Variant(std::nan("")), To::Int, Variant()},
        Conversion{"TrueIsMinusOne", Variant(true), To::Int, Variant(-1)},
        // Booleans from text: the words or a number, nothing else.
        Conversion{"TextTrue", Variant("TRUE"), To::Bool, Variant(true)},
        Conversion{"TextZero", Variant("0"), To::Bool, Variant(false)},
        Conversion{"TextSimIsNoBool", Variant("S"), To::Bool, Variant()},
        Conversion{"CurrencyToDouble", Variant(Currency{3300}), To::Double, Variant(0.33)}),
    [](const testing::TestParamInfo<Conversion> &info) { return std::string(info.param.name); });

// Every amount the currency holds goes to text and back unchanged, as it crosses the late-bound boundary.
TEST(VariantCurrency, TextRoundTripIsExactOverTheWholeRange) {
    constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t min = std::numeric_limits<std::int64_t>::min();
    for (std::int64_t units :
         {min, min + 1, std::int64_t(-9223372036854770000), std::int64_t(-1), std::int64_t(0),
          std::int64_t(1), std::int64_t(125000), big, std::int64_t(9223372036854770000), max - 1, max}) {
        const QString text = Variant(Currency{units}).toText();
        EXPECT_EQ(Variant(text).toCurrency(), Currency{units}) << text.toStdString();
    }
}

TEST(VariantError, NamesTheValueAndTheWantedType) {
    try {
        Variant("dez").toCurrency();
        FAIL() << "no error";
    } catch (const AutomationError &e) {
        EXPECT_TRUE(e.text().contains(QLatin1String("Text(dez)"))) << e.what();
        EXPECT_TRUE(e.text().contains(QLatin1String("moeda"))) << e.what();
    }
}

} // namespace
