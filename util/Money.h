#pragma once

#include "automation/Variant.h"

#include <QString>
#include <cmath>
#include <compare>
#include <cstdint>

// Money: a signed count of ten-thousandths (four decimal places). Never held in a float.
class Money {
public:
    static constexpr std::int64_t Escala = 10000;

    constexpr Money() = default;
    static constexpr Money deUnidades(std::int64_t dezMilesimos) { return Money(dezMilesimos); }
    static constexpr Money deCentavos(std::int64_t centavos) { return Money(centavos * 100); }
    // A number from the database or the configuration file: times 10000, rounded to the nearest unit.
    static Money deDouble(double valor) { return Money(std::llround(valor * Escala)); }
    static Money deCurrency(automation::Currency c) { return Money(c.units); }

    constexpr std::int64_t unidades() const { return u_; }
    double toDouble() const { return double(u_) / Escala; }
    automation::Currency toCurrency() const { return {u_}; }

    // Plain decimal text with "." and four decimals trimmed of trailing zeros ("12.5", "-0.0001", "0").
    QString toDecimalText() const;

    constexpr Money operator+(Money o) const { return Money(u_ + o.u_); }
    constexpr Money operator-(Money o) const { return Money(u_ - o.u_); }
    constexpr Money operator-() const { return Money(-u_); }
    constexpr Money &operator+=(Money o) {
        u_ += o.u_;
        return *this;
    }
    constexpr Money &operator-=(Money o) {
        u_ -= o.u_;
        return *this;
    }
    constexpr auto operator<=>(const Money &) const = default;

private:
    constexpr explicit Money(std::int64_t u) : u_(u) {}
    std::int64_t u_ = 0;
};
