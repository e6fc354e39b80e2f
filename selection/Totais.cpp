#include "selection/Totais.h"

#include "db/ResultSet.h"
#include "selection/Marcacao.h"
#include "util/Erro.h"
#include "util/Regional.h"

namespace {

// Who a listed row is: "do cliente <nome> (código <chapa>)" or "da empresa <nome> (código <empresa_id>)".
QString quemDaLinha(const ResultSet &lista, int linha) {
    const bool cliente = lista.procura("chapa") >= 0;
    return QStringLiteral("%1 %2 (código %3)")
        .arg(cliente ? QStringLiteral("do cliente") : QStringLiteral("da empresa"),
             lista.valor(linha, "nome").texto(),
             lista.valor(linha, cliente ? "chapa" : "empresa_id").texto());
}

// Runs one row's step; an error names the row.
template <typename Passo> void naLinha(const ResultSet &lista, int linha, Passo passo) {
    try {
        passo();
    } catch (const Erro &e) {
        throw Erro(QStringLiteral("Não foi possível totalizar a linha %1, %2: %3")
                       .arg(QString::number(linha + 1), quemDaLinha(lista, linha), e.texto()));
    }
}

} // namespace

void acrescentaTotalComJuros(ResultSet &QListaFunc) {
    QListaFunc.acrescentaCampo({QStringLiteral("totalcomjuros"), TipoCampo::Decimal});
    const int total = QListaFunc.indice("TOTAL"), multa = QListaFunc.indice("multa"),
              juros = QListaFunc.indice("juros"), comJuros = QListaFunc.indice("totalcomjuros");
    for (int l = 0; l < QListaFunc.linhas(); ++l)
        naLinha(QListaFunc, l, [&] {
            const double soma = QListaFunc.valor(l, total).real() + QListaFunc.valor(l, multa).real() +
                                QListaFunc.valor(l, juros).real();
            QListaFunc.define(l, comJuros, Money::deDouble(soma));
        });
}

Totais somaTotais(const ResultSet &lista, QAnyStringView campoValor) {
    const int campo = lista.indice(campoValor), marcado = lista.indice("marcado");
    Totais t;
    for (int l = 0; l < lista.linhas(); ++l)
        naLinha(lista, l, [&] {
            const Money valor = lista.valor(l, campo).dinheiro();
            t.geral += valor;
            if (marcada(lista.valor(l, marcado)))
                t.marcado += valor;
        });
    return t;
}

QString textoTotal(Money valor) {
    return QStringLiteral("R$ ") + Regional::atual().formataValor(valor);
}
