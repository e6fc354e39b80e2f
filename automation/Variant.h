#pragma once

#include <QString>
#include <concepts>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <variant>

namespace automation {

class Dispatch;
using DispatchPtr = std::shared_ptr<Dispatch>;

// A failure raised by a late-bound member; its text is what the user sees.
class AutomationError : public std::runtime_error {
public:
    explicit AutomationError(const QString &text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};

// The automation currency: a count of ten-thousandths, as COM's CY.
struct Currency {
    std::int64_t units = 0;
    friend bool operator==(const Currency &, const Currency &) = default;
};

// One late-bound value. Conversions follow automation's coercion rules closely enough for the
// program and the component: numbers to text in C form, text to numbers when it holds one.
class Variant {
public:
    enum class Type { Empty, Bool, Int, Double, Currency, Text, Object };

    Variant() = default;
    Variant(bool b) : v_(b) {}
    // Every integer type, so that qint64, long and int all land here without ambiguity.
    template <std::integral T>
    requires(!std::same_as<T, bool>) Variant(T i) : v_(std::int64_t(i)) {}
    Variant(double d) : v_(d) {}
    Variant(Currency c) : v_(c) {}
    Variant(const QString &s) : v_(s) {}
    Variant(const char *s) : v_(QString::fromUtf8(s)) {}
    Variant(DispatchPtr o) : v_(std::move(o)) {}
    // A raw pointer would otherwise silently become Bool(true).
    Variant(const void *) = delete;

    Type type() const { return Type(v_.index()); }
    bool isEmpty() const { return type() == Type::Empty; }

    bool toBool() const;
    std::int64_t toInt() const;
    double toDouble() const;
    Currency toCurrency() const;
    QString toText() const;
    DispatchPtr toObject() const;

    // For logs and test failures: type and value, e.g. "Text(remessa.rem)".
    QString describe() const;

    friend bool operator==(const Variant &, const Variant &) = default;

private:
    std::variant<std::monostate, bool, std::int64_t, double, Currency, QString, DispatchPtr> v_;
};

} // namespace automation
