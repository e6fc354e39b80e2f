#pragma once

#include "retorno/ArquivoRetorno.h"

#include <QDate>

class Connection;

// The payments fetched from the bank's API (registro=API) in place of a return file. The date of the last
// settled query is kept per account in a table of the program's own.

// The table, created when missing.
QString sqlCriaConsultasApi();
QString sqlUltimaConsultaApi(Connection &conexao, const QString &conta);
QString sqlGuardaConsultaApi(Connection &conexao, const QString &conta, const QDate &dia);

// The account a query belongs to: the component's bank and payee code.
QString ContaDaConsultaApi(const boleto::ObjetoBolix &ObjBolix);

// The first day to ask for: three days before the last settled query, as the bank shows a payment up to
// three days after it was made (a payment seen twice is settled once, by the record of payments); thirty
// days back the first time.
QDate InicioDaConsultaApi(Connection &conexao, const QString &conta, const QDate &hoje);

struct LiquidacoesApi {
    ArquivoRetorno retorno; // the fingerprint of what came, for the record of settled files
    std::vector<Ocorrencia> ocorrencias;
    QString anunciados; // payments the bank only announced: listed for the operator, never settled
};

// Has the component ask the bank (account set up beforehand) and takes the payments as occurrences.
LiquidacoesApi CarregaLiquidacoesApi(const boleto::ObjetoBolix &ObjBolix, const QDate &inicio,
                                     Money taxaBoleto);
