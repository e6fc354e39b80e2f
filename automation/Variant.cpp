#include "automation/Variant.h"

#include <cmath>

namespace automation {

namespace {

QString currencyText(Currency c)
{
    // Shortest decimal text: "12.5", "-0.0001", "0".
    const bool negative = c.units < 0;
    const std::uint64_t abs = negative ? 0 - std::uint64_t(c.units) : std::uint64_t(c.units);
    QString text = QString::number(abs / 10000);
    QString frac = QStringLiteral("%1").arg(abs % 10000, 4, 10, QLatin1Char('0'));
    while (frac.endsWith(QLatin1Char('0')))
        frac.chop(1);
    if (!frac.isEmpty())
        text += QLatin1Char('.') + frac;
    return negative ? QLatin1Char('-') + text : text;
}

[[noreturn]] void mismatch(const Variant &v, const char *wanted)
{
    throw AutomationError(QStringLiteral("Tipo incompatível: %1 não é %2").arg(v.describe(), QLatin1String(wanted)));
}

} // namespace

bool Variant::toBool() const
{
    switch (type()) {
    case Type::Empty: return false;
    case Type::Bool: return std::get<bool>(v_);
    case Type::Int: return std::get<std::int64_t>(v_) != 0;
    case Type::Double: return std::get<double>(v_) != 0.0;
    case Type::Currency: return std::get<Currency>(v_).units != 0;
    case Type::Text: {
        const QString t = std::get<QString>(v_).trimmed();
        if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
        return toDouble() != 0.0;
    }
    case Type::Object: break;
    }
    mismatch(*this, "booleano");
}

std::int64_t Variant::toInt() const
{
    switch (type()) {
    case Type::Empty: return 0;
    case Type::Bool: return std::get<bool>(v_) ? -1 : 0;
    case Type::Int: return std::get<std::int64_t>(v_);
    case Type::Double: return std::llrint(std::get<double>(v_));
    case Type::Currency: return std::llrint(double(std::get<Currency>(v_).units) / 10000.0);
    case Type::Text: {
        bool ok = false;
        const QString t = std::get<QString>(v_).trimmed();
        const qlonglong n = t.toLongLong(&ok);
        if (ok)
            return n;
        const double d = t.toDouble(&ok);
        if (ok)
            return std::llrint(d);
        break;
    }
    case Type::Object: break;
    }
    mismatch(*this, "inteiro");
}

double Variant::toDouble() const
{
    switch (type()) {
    case Type::Empty: return 0.0;
    case Type::Bool: return std::get<bool>(v_) ? -1.0 : 0.0;
    case Type::Int: return double(std::get<std::int64_t>(v_));
    case Type::Double: return std::get<double>(v_);
    case Type::Currency: return double(std::get<Currency>(v_).units) / 10000.0;
    case Type::Text: {
        bool ok = false;
        const double d = std::get<QString>(v_).trimmed().toDouble(&ok);
        if (ok)
            return d;
        break;
    }
    case Type::Object: break;
    }
    mismatch(*this, "número");
}

Currency Variant::toCurrency() const
{
    switch (type()) {
    case Type::Currency: return std::get<Currency>(v_);
    case Type::Int: return {std::get<std::int64_t>(v_) * 10000};
    case Type::Object: mismatch(*this, "moeda");
    default: return {std::llround(toDouble() * 10000.0)};
    }
}

QString Variant::toText() const
{
    switch (type()) {
    case Type::Empty: return {};
    case Type::Bool: return std::get<bool>(v_) ? QStringLiteral("True") : QStringLiteral("False");
    case Type::Int: return QString::number(std::get<std::int64_t>(v_));
    case Type::Double: return QString::number(std::get<double>(v_), 'g', 15);
    case Type::Currency: return currencyText(std::get<Currency>(v_));
    case Type::Text: return std::get<QString>(v_);
    case Type::Object: break;
    }
    mismatch(*this, "texto");
}

DispatchPtr Variant::toObject() const
{
    if (type() == Type::Object && std::get<DispatchPtr>(v_))
        return std::get<DispatchPtr>(v_);
    mismatch(*this, "objeto");
}

QString Variant::describe() const
{
    switch (type()) {
    case Type::Empty: return QStringLiteral("Empty");
    case Type::Bool: return QStringLiteral("Bool(%1)").arg(toText());
    case Type::Int: return QStringLiteral("Int(%1)").arg(toText());
    case Type::Double: return QStringLiteral("Double(%1)").arg(toText());
    case Type::Currency: return QStringLiteral("Currency(%1)").arg(toText());
    case Type::Text: return QStringLiteral("Text(%1)").arg(toText());
    case Type::Object: return QStringLiteral("Object");
    }
    return {};
}

} // namespace automation
