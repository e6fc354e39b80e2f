#pragma once

#include <QString>

class ResultSet;
class Valor;

// A client's bank branch and account can take a direct debit: both hold digits and neither is zero.
// The generation run applies the same rule.
bool ContaCorrenteValida(const QString &agencia, const QString &cc);

// The marks of a listed result (field `marcado`: "S" marked, anything else unmarked), kept in memory
// only. `exigeConta` is set for the per-client result while direct debit is ticked: rows failing
// ContaCorrenteValida (fields `agencia`, `cc`) cannot be marked then.
bool marcada(const Valor &marcado);
bool marcada(const ResultSet &lista, int linha);
bool contaInvalida(const ResultSet &lista, int linha);

enum class Marca { Marcou, Desmarcou, Recusou };
// F5: a marked row is unmarked, any other is marked unless its account is refused.
Marca alternaMarca(ResultSet &lista, int linha, bool exigeConta);
// F6: every row marked, refused ones unmarked.
void marcaTodas(ResultSet &lista, bool exigeConta);
// F7.
void desmarcaTodas(ResultSet &lista);

// How a listed row is painted; later causes override earlier ones.
enum class CorDaLinha { Normal, Marcada, ContaInvalida, Atual };
CorDaLinha corDaLinha(bool marcada, bool contaInvalidaComDebito, bool atual);
