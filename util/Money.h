#pragma once

#include "automation/Variant.h"

#include <QLatin1String>
#include <QString>
#include <QStringView>
#include <compare>
#include <cstdint>
#include <optional>

// Money: a signed count of ten-thousandths (four decimal places). Never held in a float. Every
// conversion, sum and product checks the range: a result that does not fit is an Erro, never a
// wrapped-around amount.
class Money {
public:
    static constexpr std::int64_t Escala = 10000;

    constexpr Money() = default;
    static constexpr Money deUnidades(std::int64_t dezMilesimos) { return Money(dezMilesimos); }
    static Money deCentavos(std::int64_t centavos);
    // A whole number (a count kept as money, such as the remittance sequence).
    static Money deInteiro(std::int64_t inteiro);
    // A number from the database or the configuration file: times 10000, rounded to the nearest unit.
    static Money deDouble(double valor);
    static Money deCurrency(automation::Currency c) { return Money(c.units); }
    // Decimal digits, the whole part and the fraction apart (either may be empty), the fifth decimal
    // rounding half away from zero. Nothing when a part holds another character or the value does not fit.
    static std::optional<Money> deDigitos(bool negativo, QStringView inteiro, QStringView fracao);
    static std::optional<Money> deDigitos(bool negativo, QLatin1String inteiro, QLatin1String fracao);

    // The error of a value, given as text, that does not fit.
    [[noreturn]] static void foraDaFaixa(const QString &valor);

    constexpr std::int64_t unidades() const { return u_; }
    double toDouble() const { return double(u_) / Escala; }
    automation::Currency toCurrency() const { return {u_}; }

    // Plain decimal text with "." and four decimals trimmed of trailing zeros ("12.5", "-0.0001", "0").
    QString toDecimalText() const;

    Money operator+(Money o) const {
        std::int64_t soma = 0;
        if (__builtin_add_overflow(u_, o.u_, &soma))
            estouro("A soma de %1 e %2", *this, o);
        return Money(soma);
    }
    Money operator-(Money o) const {
        std::int64_t diferenca = 0;
        if (__builtin_sub_overflow(u_, o.u_, &diferenca))
            estouro("A diferença entre %1 e %2", *this, o);
        return Money(diferenca);
    }
    Money operator-() const { return Money() - *this; }
    Money operator*(std::int64_t fator) const;
    Money &operator+=(Money o) { return *this = *this + o; }
    Money &operator-=(Money o) { return *this = *this - o; }
    constexpr auto operator<=>(const Money &) const = default;

private:
    constexpr explicit Money(std::int64_t u) : u_(u) {}
    [[noreturn]] static void estouro(const char *conta, Money a, Money b);
    std::int64_t u_ = 0;
};
