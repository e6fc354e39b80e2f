#pragma once

// One charge document as the program hands it over.

#include "bolix/core/Conta.h"

#include <QDate>
#include <QList>
#include <QString>
#include <cstdint>

namespace bolix {

// Money as a count of ten-thousandths, the program's own unit.
using Dinheiro = std::int64_t;

struct Documento {
    QString numeroDocumento;
    QString nomeSacado;
    QString cnpjSacado;
    QString cpfSacado;
    QString enderecoSacado;
    QString bairroSacado;
    QString cidadeSacado;
    QString estadoSacado;
    QString cepSacado;
    QDate dataDocumento;
    QDate dataVencimento; // null: no due date
    QDate dataProcessamento;
    QString tipoDocumentoCobranca; // species code ("DM", "RC"...); empty: "outros"
    QString instrucaoCobranca3;
    QString nossoNumero;    // the sequence as the program numbers it (some banks: with its check digit)
    QString aceite;         // empty: the account's default
    QString numeroControle; // the payee's own key of the title; empty: the document number
    QString agenciaDebito;  // direct debit: the payer's branch and account
    QString contaCorrenteDebito;
    QString instrucoesCaixa;
    QString demonstrativo;
    QString pixCopiaECola; // the bank's Pix QR text for the registered title; empty: none yet

    Dinheiro valorDocumento = 0;
    Dinheiro valorJurosDiaAtraso = 0;
    Dinheiro valorMultaAtraso = 0;
    Dinheiro valorDesconto = 0;
    Dinheiro valorOutrosAcrescimos = 0;
    // Percentages in the same unit: 2,5 % is 25000.
    Dinheiro percentualJurosDiaAtraso = 0;
    Dinheiro percentualMultaAtraso = 0;
    Dinheiro percentualDesconto = 0;

    int diasProtesto = 0;
    bool bancoGeraNossoNumero = false;
    bool bancoEmiteBoleto = false;
    // Names with an effect on the files: "TipoDocumentoEscritural" = "2" (book-entry title),
    // "FormaCadastramento" (1 registered, 2 not), "BancoDistribuiBoleto" = "S" (the bank mails it).
    QList<DadoNomeValor> meusDados;
};

// The payer's registration as given, in CNPJSacado or else CPFSacado. The digit count tells a CPF (11)
// from a CNPJ (14): a CPF stored with its punctuation may arrive as a CNPJ.
struct InscricaoSacado {
    int tipo = 0; // 1 CPF, 2 CNPJ, 0 neither
    QString membro;
    QString texto;
    QString digitos;
};
InscricaoSacado inscricaoSacado(const Documento &doc);

} // namespace bolix
