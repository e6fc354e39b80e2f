#pragma once

#include "generation/Geracao.h"

class Connection;

// Whether the component registers the boletos through the bank's API (its setting registro=API) instead of
// writing a remittance file.
bool RegistroPelaApi(const boleto::ObjetoBolix &bolix);

// The issued boleto of the run with this bank, nosso número and document number, newest first.
QString sqlBoletoEmitidoDoDocumento(Connection &conexao, const QString &banco, const QString &nossoNumero,
                                    const QString &numeroDocumento);

// "Gerar Arquivo" with registro=API, in place of the remittance question: the component registers the run's
// documents (after finishing what an interrupted run left), the QR the bank gave each one (those finished
// too) is kept for the 2ª via, the registered ones are printed when asked, and the operator is told "N
// boletos registrados no banco" with each boleto that was not, in the bank's own words.
void RegistraNoBanco(bool imprimir, AmbienteGeracao &ambiente);

// At start-up, with registro=API: the client certificate that expires within 30 days (or a settings item
// missing or unreadable) is announced, and the registrations an interrupted run left are finished, their QR
// kept for the 2ª via, and told. Nothing here stops the start-up. True with registro=API.
bool AnunciaRegistroNoBanco(const boleto::ObjetoBolix &bolix, Connection &conexao);
