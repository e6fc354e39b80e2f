#pragma once

#include "boleto/ObjetoBolix.h"

#include <QString>

// Adds one name/value entry to the MeusDados list of the account or of a document: the entry that
// Add returns gets its Nome first, then its Valor.
void AdicionaMeusDados(const boleto::ObjetoBolix &dono, const QString &nome, const QString &valor);
