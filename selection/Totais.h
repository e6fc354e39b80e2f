#pragma once

#include "util/Money.h"

#include <QAnyStringView>
#include <QString>

class ResultSet;

// Adds `totalcomjuros` to a per-client result: TOTAL + multa + juros, added as floating point in that
// order; a missing fine or interest (a client without a company) counts as 0. A row whose total does not
// fit in money is an Erro that names the client.
void acrescentaTotalComJuros(ResultSet &QListaFunc);

struct Totais {
    Money geral;
    Money marcado;
};
// Sums the amount field over every row, and over the marked rows. A sum that does not fit in money is an
// Erro that names the row where it overflowed.
Totais somaTotais(const ResultSet &lista, QAnyStringView campoValor);

// "R$ " and the amount in "###,###,##0.00" with the regional separators.
QString textoTotal(Money valor);
