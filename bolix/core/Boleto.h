#pragma once

// What a document becomes at its bank: nosso número, campo livre, bar code, linha digitável.

#include "bolix/core/Documento.h"
#include "bolix/core/bancos/Bancos.h"

#include <QString>
#include <cstdint>

namespace bolix {

struct Boleto {
    NossoNumero nossoNumero;
    QString campoLivre;
    QString codigoBarras;   // 44 digits
    QString linhaDigitavel; // printed form, 54 characters
    std::int64_t centavos = 0;
};

// Ten-thousandths to cents, halves to the even cent.
std::int64_t centavos(Dinheiro valor);
// The amount the payer is charged: the document's value plus other additions.
Dinheiro valorCobrado(const Documento &doc);
// A percentage of the charged amount (2,5 % as 25000), in cents, for the records that carry amounts only.
std::int64_t centavosDoPercentual(const Documento &doc, Dinheiro percentual);
// The charged amount in cents; refuses a document that charges nothing or has a negative amount or
// percentage.
std::int64_t centavosCobrados(const Documento &doc);

// The document's nosso número at its bank. Refuses a number that is not digits, wider than the
// bank's sequence or outside the account's range, naming the document.
NossoNumero nossoNumeroDoDocumento(const ContaConfigurada &conta, const Documento &doc);

Boleto calculaBoleto(const ContaConfigurada &conta, const Documento &doc);

// The document's acceptance, A or N (also S, 1 and 0); empty takes the account's default.
QChar aceiteDoDocumento(const ContaConfigurada &conta, const Documento &doc);
// How the protest days count, from instruction 3: 1 calendar days (default), 2 working days, 3 no
// protest (also when there are no protest days).
QChar codigoProtesto(const Documento &doc);

// Refuses a member of one document: "Documento 0000004711: CepSacado "0491" inválido: <motivo>.".
[[noreturn]] void recusaDocumento(const Documento &doc, const QString &membro, const QString &valor,
                                  const QString &motivo);

} // namespace bolix
