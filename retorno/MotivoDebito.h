#pragma once

#include <QString>

// The bank's return codes of a direct debit, as the FEBRABAN direct-debit return gives them.

// The text of a return code; empty for a code the program does not know.
QString MotivoDebito(int codigo);

// Only code 0 means the amount was debited; maintenance and cancellation answers are not debits.
inline bool DebitoEfetuado(int codigo) {
    return codigo == 0;
}
