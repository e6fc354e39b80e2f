#pragma once

// Accounts and documents shared by the component's tests.

#include "bolix/core/Conta.h"
#include "bolix/core/Documento.h"

#include <QList>

namespace exemplos {

// Settings of one bank with the payee's name and CNPJ filled in.
bolix::ConfiguracaoBolix configuracao(const QString &banco, const QString &carteira = {},
                                      int tamanhoConvenio = 0);

// A Banco do Brasil account (convênio of 7 digits, carteira 17), configured.
bolix::ContaConfigurada contaBancoDoBrasil();

// A document of R$ 150,00 due 15/12/2025 for a payer in São Paulo.
bolix::Documento documento(const QString &numero, const QString &nossoNumero);

// Three documents: the second with fine and discount, the third with a CPF payer.
QList<bolix::Documento> tresDocumentos();

} // namespace exemplos
