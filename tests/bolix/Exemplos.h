#pragma once

// Accounts and documents shared by the component's tests.

#include "bolix/core/Conta.h"
#include "bolix/core/Documento.h"

#include <QDate>
#include <QList>
#include <ostream>
#include <span>
#include <string_view>

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

// The three documents with the fine as a percentage (Bradesco and Santander take no other), the
// second one's nosso número giving Bradesco's check digit P.
QList<bolix::Documento> documentosBradesco();

// CNAB 400 accounts: Itaú (agência 0057, conta 12345-7, carteira 109), Santander (the example's account
// with its 20-digit transmission code), and any bank's example with CNAB 400 (`transmissao`, Santander's
// code).
bolix::ContaConfigurada contaItau();
bolix::ContaConfigurada contaSantander();
bolix::ContaConfigurada conta400(const char *exemplo, const char *transmissao = "");
// Bradesco's CNAB 400 account (agência 3380, conta 0012345-6, código da empresa 4567890, carteira 09) and
// Banco do Brasil's (the convênio of 7 digits, variação 019).
bolix::ContaConfigurada contaBradesco();
bolix::ContaConfigurada contaBancoDoBrasil400();

// A worked example of one bank: the account texts and the document the program passes, and what the
// bank's rules make of them.
struct ExemploBanco {
    const char *nome;
    const char *banco;
    const char *carteira;
    int tamanhoConvenio;
    const char *agencia;
    const char *conta;
    const char *cedente;
    const char *nossoNumero; // as the program hands it over
    QDate vencimento;
    bolix::Dinheiro valor;
    const char *nossoNumeroImpresso;
    const char *codigoBarras;
    const char *linha;
    bool nossoNumeroLivre = false; // BB convênio 6, carteiras 16 and 18
    QDate processamento = {};      // the document's processing date, when the number depends on it
    const char *transmissao = "";  // OutroDadoConfiguracao2
};

inline void PrintTo(const ExemploBanco &e, std::ostream *os) {
    *os << e.nome;
}

std::span<const ExemploBanco> exemplosBancos();
const ExemploBanco &exemploBanco(std::string_view nome);

// The example's account texts, nosso número from 0 on.
bolix::Conta conta(const ExemploBanco &e);
bolix::ContaConfigurada configura(const ExemploBanco &e, bolix::Conta conta);
// Document 0000004711 with the example's nosso número, due date and value.
bolix::Documento documento(const ExemploBanco &e);

} // namespace exemplos
