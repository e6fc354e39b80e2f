#include "automation/Variant.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>
#include <optional>

namespace automation {

namespace {

constexpr std::int64_t unitsPerWhole = 10000;

QString currencyText(Currency c) {
    // Shortest decimal text: "12.5", "-0.0001", "0".
    const bool negative = c.units < 0;
    const std::uint64_t abs = negative ? 0 - std::uint64_t(c.units) : std::uint64_t(c.units);
    QString text = QString::number(abs / unitsPerWhole);
    QString frac = QStringLiteral("%1").arg(abs % unitsPerWhole, 4, 10, QLatin1Char('0'));
    while (frac.endsWith(QLatin1Char('0')))
        frac.chop(1);
    if (!frac.isEmpty())
        text += QLatin1Char('.') + frac;
    return negative ? QLatin1Char('-') + text : text;
}

[[noreturn]] void mismatch(const Variant &v, const char *wanted) {
    throw AutomationError(
        QStringLiteral("Tipo incompatível: %1 não é %2").arg(v.describe(), QLatin1String(wanted)));
}

[[noreturn]] void overflow(const Variant &v, const char *wanted) {
    throw AutomationError(
        QStringLiteral("Estouro: %1 não cabe em %2").arg(v.describe(), QLatin1String(wanted)));
}

// Rounds to the nearest integer, halves to even as automation does; nullopt when it does not fit.
std::optional<std::int64_t> roundedToInt(double d) {
    // 2^63 is exact as a double; every double below it in magnitude fits after rounding.
    constexpr double limit = 9223372036854775808.0;
    const double r = std::nearbyint(d);
    if (!std::isfinite(r) || r >= limit || r < -limit)
        return std::nullopt;
    return std::int64_t(r);
}

// Whole units of a currency, halves to even, in integers so large amounts keep every digit.
std::int64_t currencyToInt(Currency c) {
    std::int64_t q = c.units / unitsPerWhole;
    const std::int64_t r = c.units % unitsPerWhole;
    const std::int64_t twice = 2 * (r < 0 ? -r : r);
    const int sign = r < 0 ? -1 : 1;
    if (twice > unitsPerWhole || (twice == unitsPerWhole && q % 2 != 0))
        q += sign;
    return q;
}

// A plain decimal text ("-12.3456", "0,5" is not one) read exactly over the whole range of the
// currency, the negative end one unit further than the positive; beyond four decimals the fifth rounds
// half away from zero, as the conversion from a number does. Nothing when the text is not in that form; a
// value in that form that does not fit is refused, never taken through a float.
std::optional<Currency> exactCurrency(const Variant &v, const QString &text) {
    static const QRegularExpression form(QStringLiteral("^([+-]?)(\\d*)(?:\\.(\\d*))?$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()))
        return std::nullopt;
    const QString frac = m.captured(3);
    const QString digits = m.captured(2) + frac.left(4).leftJustified(4, QLatin1Char('0'));
    std::uint64_t units = 0;
    for (QChar d : digits)
        if (__builtin_mul_overflow(units, std::uint64_t(10), &units) ||
            __builtin_add_overflow(units, std::uint64_t(d.unicode() - u'0'), &units))
            overflow(v, "moeda");
    if (frac.size() > 4 && frac.at(4) >= QLatin1Char('5') &&
        __builtin_add_overflow(units, std::uint64_t(1), &units))
        overflow(v, "moeda");
    const bool negative = m.captured(1) == QLatin1String("-");
    const std::uint64_t limit = std::uint64_t(std::numeric_limits<std::int64_t>::max()) + (negative ? 1 : 0);
    if (units > limit)
        overflow(v, "moeda");
    return Currency{std::int64_t(negative ? 0 - units : units)};
}

} // namespace

bool Variant::toBool() const {
    switch (type()) {
    case Type::Empty:
        return false;
    case Type::Bool:
        return std::get<bool>(v_);
    case Type::Int:
        return std::get<std::int64_t>(v_) != 0;
    case Type::Double:
        return std::get<double>(v_) != 0.0;
    case Type::Currency:
        return std::get<Currency>(v_).units != 0;
    case Type::Text: {
        const QString t = std::get<QString>(v_).trimmed();
        if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
        bool ok = false;
        const double d = t.toDouble(&ok);
        if (ok)
            return d != 0.0;
        break;
    }
    case Type::Object:
        break;
    }
    mismatch(*this, "booleano");
}

std::int64_t Variant::toInt() const {
    switch (type()) {
    case Type::Empty:
        return 0;
    case Type::Bool:
        return std::get<bool>(v_) ? -1 : 0;
    case Type::Int:
        return std::get<std::int64_t>(v_);
    case Type::Currency:
        return currencyToInt(std::get<Currency>(v_));
    case Type::Double:
    case Type::Text: {
        bool ok = false;
        if (type() == Type::Text) {
            const qlonglong n = std::get<QString>(v_).trimmed().toLongLong(&ok);
            if (ok)
                return n;
        }
        const double d = toDouble();
        if (const auto n = roundedToInt(d))
            return *n;
        overflow(*this, "inteiro");
    }
    case Type::Object:
        break;
    }
    mismatch(*this, "inteiro");
}

double Variant::toDouble() const {
    switch (type()) {
    case Type::Empty:
        return 0.0;
    case Type::Bool:
        return std::get<bool>(v_) ? -1.0 : 0.0;
    case Type::Int:
        return double(std::get<std::int64_t>(v_));
    case Type::Double:
        return std::get<double>(v_);
    case Type::Currency:
        return double(std::get<Currency>(v_).units) / double(unitsPerWhole);
    case Type::Text: {
        bool ok = false;
        const double d = std::get<QString>(v_).trimmed().toDouble(&ok);
        if (ok)
            return d;
        break;
    }
    case Type::Object:
        break;
    }
    mismatch(*this, "número");
}

Currency Variant::toCurrency() const {
    constexpr std::int64_t maxWhole = std::numeric_limits<std::int64_t>::max() / unitsPerWhole;
    switch (type()) {
    case Type::Currency:
        return std::get<Currency>(v_);
    case Type::Int: {
        const std::int64_t i = std::get<std::int64_t>(v_);
        if (i > maxWhole || i < -maxWhole)
            overflow(*this, "moeda");
        return {i * unitsPerWhole};
    }
    case Type::Text: {
        if (const auto c = exactCurrency(*this, std::get<QString>(v_)))
            return *c;
        bool ok = false;
        std::get<QString>(v_).trimmed().toDouble(&ok);
        if (ok)
            break;
        mismatch(*this, "moeda");
    }
    case Type::Object:
        mismatch(*this, "moeda");
    default:
        break;
    }
    const double scaled = toDouble() * double(unitsPerWhole);
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9223372036854775807.0)
        overflow(*this, "moeda");
    return {std::llround(scaled)};
}

QString Variant::toText() const {
    switch (type()) {
    case Type::Empty:
        return {};
    case Type::Bool:
        return std::get<bool>(v_) ? QStringLiteral("True") : QStringLiteral("False");
    case Type::Int:
        return QString::number(std::get<std::int64_t>(v_));
    case Type::Double:
        return QString::number(std::get<double>(v_), 'g', 15);
    case Type::Currency:
        return currencyText(std::get<Currency>(v_));
    case Type::Text:
        return std::get<QString>(v_);
    case Type::Object:
        break;
    }
    mismatch(*this, "texto");
}

DispatchPtr Variant::toObject() const {
    if (type() == Type::Object && std::get<DispatchPtr>(v_))
        return std::get<DispatchPtr>(v_);
    mismatch(*this, "objeto");
}

QString Variant::describe() const {
    switch (type()) {
    case Type::Empty:
        return QStringLiteral("Empty");
    case Type::Bool:
        return QStringLiteral("Bool(%1)").arg(toText());
    case Type::Int:
        return QStringLiteral("Int(%1)").arg(toText());
    case Type::Double:
        return QStringLiteral("Double(%1)").arg(toText());
    case Type::Currency:
        return QStringLiteral("Currency(%1)").arg(toText());
    case Type::Text:
        return QStringLiteral("Text(%1)").arg(toText());
    case Type::Object:
        return QStringLiteral("Object");
    }
    return {};
}

} // namespace automation
