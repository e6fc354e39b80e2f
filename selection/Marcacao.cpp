#include "selection/Marcacao.h"

#include "db/ResultSet.h"
#include "util/Rotinas.h"

#include <optional>

namespace {

// The number the digits form is not zero; counted on the digits, so no length overflows.
bool numeroNaoZero(const QString &digitos) {
    for (const QChar c : digitos)
        if (c != QLatin1Char('0'))
            return true;
    return false;
}

void defineMarca(ResultSet &lista, int linha, int campo, bool marca) {
    lista.define(linha, campo, marca ? "S" : "N");
}

// The bank fields of a per-client result, looked up once for a walk over its rows.
struct CamposDaConta {
    explicit CamposDaConta(const ResultSet &lista)
        : agencia(lista.indice("agencia")), cc(lista.indice("cc")) {}
    bool invalida(const ResultSet &lista, int linha) const {
        return !ContaCorrenteValida(lista.valor(linha, agencia).texto(), lista.valor(linha, cc).texto());
    }
    int agencia;
    int cc;
};

} // namespace

bool ContaCorrenteValida(const QString &agencia, const QString &cc) {
    const QString digitosAgencia = SoNumeros(agencia);
    const QString digitosCc = SoNumeros(cc);
    return !digitosCc.isEmpty() && !digitosAgencia.isEmpty() && numeroNaoZero(digitosAgencia) &&
           numeroNaoZero(digitosCc);
}

bool marcada(const Valor &marcado) {
    return marcado.bytes() == "S";
}

bool marcada(const ResultSet &lista, int linha) {
    return marcada(lista.valor(linha, "marcado"));
}

bool contaInvalida(const ResultSet &lista, int linha) {
    return CamposDaConta(lista).invalida(lista, linha);
}

Marca alternaMarca(ResultSet &lista, int linha, bool exigeConta) {
    const int campo = lista.indice("marcado");
    if (marcada(lista, linha)) {
        defineMarca(lista, linha, campo, false);
        return Marca::Desmarcou;
    }
    if (exigeConta && contaInvalida(lista, linha))
        return Marca::Recusou;
    defineMarca(lista, linha, campo, true);
    return Marca::Marcou;
}

void marcaTodas(ResultSet &lista, bool exigeConta) {
    const int campo = lista.indice("marcado");
    // A per-company result has no bank fields; they are looked up only when they count.
    const auto conta = exigeConta ? std::optional(CamposDaConta(lista)) : std::nullopt;
    for (int l = 0; l < lista.linhas(); ++l)
        defineMarca(lista, l, campo, !(conta && conta->invalida(lista, l)));
}

void desmarcaTodas(ResultSet &lista) {
    const int campo = lista.indice("marcado");
    for (int l = 0; l < lista.linhas(); ++l)
        defineMarca(lista, l, campo, false);
}

CorDaLinha corDaLinha(bool marcada, bool contaInvalidaComDebito, bool atual) {
    if (atual)
        return CorDaLinha::Atual;
    if (contaInvalidaComDebito)
        return CorDaLinha::ContaInvalida;
    return marcada ? CorDaLinha::Marcada : CorDaLinha::Normal;
}
