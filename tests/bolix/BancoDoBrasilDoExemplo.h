#pragma once

#include "bolix/simulador/ServidorBancoDoBrasil.h"

// The simulator's Banco do Brasil holding the example account (exemplos::contaBancoDoBrasil): its
// credentials, convênio, agency and account, served with `tls`.
inline bolix::simulador::OpcoesBancoDoBrasil opcoesBancoDoBrasilDoExemplo(const QSslConfiguration &tls) {
    bolix::simulador::OpcoesBancoDoBrasil o;
    o.clientId = QStringLiteral("id-da-loja");
    o.clientSecret = QStringLiteral("segredo-da-loja");
    o.chaveAplicacao = QStringLiteral("chave-app");
    o.convenio = QStringLiteral("1234567");
    o.agencia = QStringLiteral("1584");
    o.conta = QStringLiteral("210169");
    o.tls = tls;
    return o;
}
