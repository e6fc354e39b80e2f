#include "selection/Totais.h"

#include "db/ResultSet.h"
#include "selection/Marcacao.h"
#include "util/Regional.h"

void acrescentaTotalComJuros(ResultSet &QListaFunc) {
    QListaFunc.acrescentaCampo({QStringLiteral("totalcomjuros"), TipoCampo::Decimal});
    const int total = QListaFunc.indice("TOTAL"), multa = QListaFunc.indice("multa"),
              juros = QListaFunc.indice("juros"), comJuros = QListaFunc.indice("totalcomjuros");
    for (int l = 0; l < QListaFunc.linhas(); ++l) {
        const double soma = QListaFunc.valor(l, total).real() + QListaFunc.valor(l, multa).real() +
                            QListaFunc.valor(l, juros).real();
        QListaFunc.define(l, comJuros, Money::deDouble(soma));
    }
}

Totais somaTotais(const ResultSet &lista, QAnyStringView campoValor) {
    const int campo = lista.indice(campoValor), marcado = lista.indice("marcado");
    Totais t;
    for (int l = 0; l < lista.linhas(); ++l) {
        const Money valor = lista.valor(l, campo).dinheiro();
        t.geral += valor;
        if (marcada(lista.valor(l, marcado)))
            t.marcado += valor;
    }
    return t;
}

QString textoTotal(Money valor) {
    return QStringLiteral("R$ ") + Regional::atual().formataValor(valor);
}
