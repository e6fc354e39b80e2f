// Money from text and numbers: the regional decimal reading, the database cell, the conversions and the
// sums and products. Every value that is taken reads back exactly from its own text, and whatever does
// not fit is an Erro, never a wrapped-around amount.

#include "Propriedade.h"

#include "db/ResultSet.h"
#include "util/Erro.h"
#include "util/Money.h"
#include "util/Regional.h"

#include <cmath>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

// The exact result, or nothing when it leaves 64 bits.
std::optional<std::int64_t> exato(__int128 valor) {
    if (valor > std::numeric_limits<std::int64_t>::max() || valor < std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return std::int64_t(valor);
}

template <typename Conta> std::optional<Money> tenta(Conta conta) {
    try {
        return conta();
    } catch (const Erro &) {
        return std::nullopt;
    }
}

void contas(Money a, Money b, std::int64_t fator) {
    const auto soma = tenta([&] { return a + b; });
    const auto diferenca = tenta([&] { return a - b; });
    const auto produto = tenta([&] { return a * fator; });
    const auto esperada = [](const std::optional<Money> &m) {
        return m ? std::optional(m->unidades()) : std::nullopt;
    };
    exige(esperada(soma) == exato(__int128(a.unidades()) + b.unidades()), "a sum is exact or refused");
    exige(esperada(diferenca) == exato(__int128(a.unidades()) - b.unidades()),
          "a difference is exact or refused");
    exige(esperada(produto) == exato(__int128(a.unidades()) * fator), "a product is exact or refused");
}

void textoRegional(const Regional &regional, const QString &texto) {
    const std::optional<Money> lido = regional.leDecimal(texto);
    if (!lido)
        return;
    const QString geral = regional.formataGeral(*lido);
    exige(regional.leDecimal(geral) == lido, "the general form reads back",
          texto + QStringLiteral(" -> ") + geral);
    regional.formataValor(*lido);
}

void doDouble(double valor) {
    const auto m = tenta([&] { return Money::deDouble(valor); });
    if (m)
        exige(std::abs(double(m->unidades()) - valor * Money::Escala) <= 1.0 + std::abs(valor) * 1e-12,
              "a number becomes the nearest ten-thousandth", QString::number(valor, 'g', 17));
    else
        exige(!std::isfinite(valor) || std::abs(valor) * Money::Escala >= 9.2e18,
              "only a number beyond the range is refused", QString::number(valor, 'g', 17));
}

void daCelula(const std::string &celula) {
    const Valor valor(celula.data(), int(celula.size()));
    for (const auto &leitura : {+[](const Valor &v) { v.dinheiro(); }, +[](const Valor &v) { v.inteiro(); },
                                +[](const Valor &v) { v.inteiroLongo(); }, +[](const Valor &v) { v.real(); },
                                +[](const Valor &v) { v.data(); }, +[](const Valor &v) { v.dataHora(); }}) {
        try {
            leitura(valor);
        } catch (const Erro &) {
            // Text that is no number is refused with a message.
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho) {
    FuzzedDataProvider fdp(dados, tamanho);
    const Money a = Money::deUnidades(fdp.ConsumeIntegral<std::int64_t>());
    const Money b = Money::deUnidades(fdp.ConsumeIntegral<std::int64_t>());
    contas(a, b, fdp.ConsumeIntegral<std::int64_t>());
    doDouble(fdp.ConsumeFloatingPoint<double>());
    const std::string celula = fdp.ConsumeRandomLengthString(40);
    daCelula(celula);
    const QString texto = QString::fromUtf8(fdp.ConsumeRemainingBytesAsString());
    static const Regional brasileiro = Regional::brasileiro();
    static const Regional americano{QStringLiteral("."), QStringLiteral(","), QStringLiteral("/"),
                                    QStringLiteral(":")};
    textoRegional(brasileiro, texto);
    textoRegional(americano, texto);
    textoRegional(brasileiro, QString::fromLatin1(celula));
    return 0;
}
