#pragma once

#include "generation/Geracao.h"

#include <functional>

class ResultSet;

struct ContaNumerada;

// The account's next remittance sequence number, taken from the database with sequencia_remessa as the
// floor and stored there at once; -1 when reading or storing it failed, after the error's text was shown.
int PegaSequenciaRemessa(const IniFile &ini, Connection &conexao, const ContaNumerada &conta);

// The boleto fee added to every document.
Money LeTaxaBoleto(const IniFile &ini);

// The listings of the export page; nullptr while closed.
struct ListagensGeracao {
    const ResultSet *clientes = nullptr;
    const ResultSet *empresas = nullptr;
};

// "Gerar Arquivo": checks that there is something to charge and that the bank would take every marked row,
// takes the sequence number, announces the fee, sets the component's account up, builds and prints the
// documents, remembers the destination and the company and, on the operator's yes, has the remittance written
// and, for the direct debit of bank 356, completed. Messages and questions go through Mensagens; an error it
// does not handle itself travels up. `mostraTitulo` gets the window caption once the account is set up.
void GerarArquivo(const ControlesGeracao &controles, const ListagensGeracao &listagens, CamposGeracao &campos,
                  AmbienteGeracao &ambiente, const std::function<void(const QString &)> &mostraTitulo);
