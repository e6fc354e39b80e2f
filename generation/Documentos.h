#pragma once

#include "generation/Geracao.h"
#include "generation/LimitesPeriodo.h"

#include <QStringList>
#include <optional>

class ResultSet;

// The running nosso-número counter as stored: a missing or empty key is 0; a value that is not a whole
// number stops the run before anything is handed out, naming the key and its value.
qint64 LeNossoNumero(const IniFile &ini);

// The document number of a row: the last 10 characters of numlanc, zero-filled to 10.
QString NumeroDocumento(const QString &numlanc);

// The receivables that a row's document charges get its number. The branch setting is read before each
// statement; with the branch filter the statement keeps to the logical branch.
QString sqlNumeroDocumentoCliente(Connection &conexao, const LimitesPeriodo &periodo, const QString &numero,
                                  qint64 clientesId, std::optional<int> filialLogica);
QString sqlNumeroDocumentoEmpresa(Connection &conexao, const LimitesPeriodo &periodo, const QString &numero,
                                  qint64 empresaId, std::optional<int> filialLogica);

// One document per marked row of the listing, in its order: the payer, dates, amounts and bank data given
// to the component; the document number written back into the receivables; the advanced counter stored;
// the boletos printed when asked. Every document is built before anything is written; a refused document
// stops the run naming its row, with nothing written. The numbers are written in one transaction.
// Returns the number of documents.
int GerarDocumentos(const ControlesGeracao &controles, const ResultSet &lista, CamposGeracao &campos,
                    AmbienteGeracao &ambiente);

// The marked rows whose documents the bank would refuse (payer's CPF or CNPJ, CEP, state, the amount, the
// direct-debit account), checked by the component's own rules: one line per row, code, name and what is
// wrong. The amounts include the boleto fee. The component's document list is left empty.
QStringList RecusasDoBanco(const ControlesGeracao &controles, const ResultSet &lista, Money taxaBoleto,
                           AmbienteGeracao &ambiente);
