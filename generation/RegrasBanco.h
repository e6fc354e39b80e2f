#pragma once

#include "boleto/ObjetoBolix.h"

#include <QString>

class IniFile;

// The installation's bank number decides what a charge document carries beyond its payer and amount.

// n in decimal, zero-filled on the left to `digitos`; a longer number keeps every digit.
QString ComDigitos(qint64 n, int digitos);

// The account code that bank 756 takes as its leading agreement: the digits of the account, as a number,
// in 9 digits; a longer number keeps its leading nine.
QString CodigoContaSicoob(const QString &contaCorrente);

// Bank 756's nosso número: n in 7 digits followed by the check digit of carteira, payee id and n
// (weights 3197, modulus 11).
QString NossoNumeroSicoob(const QString &carteira, const QString &identificacaoEmpresa, qint64 n);

// The bank's own entries of a document, right after it was added: MeusDados, acceptance, whether the bank
// issues it, the control number. The configuration file is read at the moment of use.
void DadosDoBanco(const boleto::ObjetoBolix &doc, const QString &banco, const QString &numeroDocumento,
                  const IniFile &ini);

struct InstalacaoBanco {
    QString banco;
    QString carteira;
};

// The document's nosso número for counter n. Per company the component's own bank (NumeroBanco) also
// decides the width.
void NossoNumeroPorCliente(const boleto::ObjetoBolix &doc, const InstalacaoBanco &inst, qint64 n,
                           const IniFile &ini);
void NossoNumeroPorEmpresa(const boleto::ObjetoBolix &bolix, const boleto::ObjetoBolix &doc,
                           const InstalacaoBanco &inst, qint64 n, const IniFile &ini);
