#include "util/Money.h"

#include "util/Erro.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

[[noreturn]] void estourou(const QString &conta) {
    throw Erro(QStringLiteral("%1 ultrapassa o limite dos valores monetários.").arg(conta));
}

// The text of the failed operation is built only when it fails.
template <typename Conta> std::int64_t produto(std::int64_t a, std::int64_t b, Conta conta) {
    std::int64_t p = 0;
    if (__builtin_mul_overflow(a, b, &p))
        estourou(conta());
    return p;
}

template <typename Texto> bool soDigitos(Texto texto) {
    for (qsizetype i = 0; i < texto.size(); ++i)
        if (texto[i].unicode() < u'0' || texto[i].unicode() > u'9')
            return false;
    return true;
}

// Appends the digits to a magnitude; false when it leaves 64 bits.
template <typename Texto> bool acumula(std::uint64_t &magnitude, Texto digitos) {
    for (qsizetype i = 0; i < digitos.size(); ++i)
        if (__builtin_mul_overflow(magnitude, std::uint64_t(10), &magnitude) ||
            __builtin_add_overflow(magnitude, std::uint64_t(digitos[i].unicode() - u'0'), &magnitude))
            return false;
    return true;
}

template <typename Texto> std::optional<std::int64_t> unidadesDe(bool negativo, Texto inteiro, Texto fracao) {
    if (!soDigitos(inteiro) || !soDigitos(fracao))
        return std::nullopt;
    const Texto casas = fracao.first(std::min<qsizetype>(fracao.size(), 4));
    std::uint64_t magnitude = 0;
    bool cabe = acumula(magnitude, inteiro) && acumula(magnitude, casas);
    for (auto n = casas.size(); cabe && n < 4; ++n)
        cabe = !__builtin_mul_overflow(magnitude, std::uint64_t(10), &magnitude);
    if (cabe && fracao.size() > 4 && fracao[4].unicode() >= u'5')
        cabe = !__builtin_add_overflow(magnitude, std::uint64_t(1), &magnitude);
    // The negative range reaches one unit further than the positive.
    const std::uint64_t limite = std::uint64_t(std::numeric_limits<std::int64_t>::max()) + (negativo ? 1 : 0);
    if (!cabe || magnitude > limite)
        return std::nullopt;
    return std::int64_t(negativo ? 0 - magnitude : magnitude);
}

} // namespace

Money Money::deCentavos(std::int64_t centavos) {
    return Money(
        produto(centavos, 100, [=] { return QStringLiteral("O valor de %1 centavos").arg(centavos); }));
}

Money Money::deInteiro(std::int64_t inteiro) {
    return Money(produto(inteiro, Escala, [=] { return QStringLiteral("O valor %1").arg(inteiro); }));
}

Money Money::deDouble(double valor) {
    const double escalado = std::round(valor * Escala);
    // 2^63 is exact as a double; every double below it converts.
    if (!std::isfinite(escalado) || escalado >= 9223372036854775808.0 || escalado < -9223372036854775808.0)
        foraDaFaixa(QString::number(valor, 'g', 17));
    return Money(std::int64_t(escalado));
}

std::optional<Money> Money::deDigitos(bool negativo, QStringView inteiro, QStringView fracao) {
    const auto u = unidadesDe(negativo, inteiro, fracao);
    return u ? std::optional(Money(*u)) : std::nullopt;
}

std::optional<Money> Money::deDigitos(bool negativo, QLatin1String inteiro, QLatin1String fracao) {
    const auto u = unidadesDe(negativo, inteiro, fracao);
    return u ? std::optional(Money(*u)) : std::nullopt;
}

QString Money::toDecimalText() const {
    // The automation currency's text ("12.5", "-0.0001", "0"), written without its conversions: every
    // amount of a statement or a stored cell goes through here.
    const std::uint64_t abs = u_ < 0 ? 0 - std::uint64_t(u_) : std::uint64_t(u_);
    char texto[32];
    char *fim = texto;
    if (u_ < 0)
        *fim++ = '-';
    fim = std::to_chars(fim, texto + sizeof texto, abs / Escala).ptr;
    std::uint64_t fracao = abs % Escala;
    if (fracao != 0) {
        *fim++ = '.';
        for (std::uint64_t casa = Escala / 10; fracao != 0; casa /= 10) {
            *fim++ = char('0' + fracao / casa);
            fracao %= casa;
        }
    }
    return QString::fromLatin1(texto, fim - texto);
}

void Money::foraDaFaixa(const QString &valor) {
    estourou(QStringLiteral("O valor %1").arg(valor));
}

void Money::estouro(const char *conta, Money a, Money b) {
    estourou(QString::fromUtf8(conta).arg(a.toDecimalText(), b.toDecimalText()));
}

Money Money::operator*(std::int64_t fator) const {
    return Money(produto(u_, fator, [this, fator] {
        return QStringLiteral("O produto de %1 por %2").arg(toDecimalText()).arg(fator);
    }));
}
