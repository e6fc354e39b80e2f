#pragma once

// What a return says of a title's Pix QR, put into its occurrence the same way at every bank.

#include "bolix/core/bancos/Bancos.h"
#include "bolix/core/cnab/Retorno.h"

#include <QStringList>

namespace bolix {

// The reason codes of a return's field, `largura` characters each, blank ones left out.
QStringList motivosDoRetorno(const QString &motivos, int largura);

// Whether the movement settles the title through one of its reasons (a write-off for a payment through the
// QR, say).
bool pagoPorMotivo(const QList<PagoPorMotivo> &tabela, const QString &movimento, const QStringList &motivos);

// The QR's status that the occurrence's reasons give, in the bank's words.
void anotaSituacaoPix(Ocorrencia &o, const QList<MotivoPix> &tabela, int largura);
// The bank created no QR for the title, or the one it sent cannot be printed: `situacao` says why.
void recusaPix(Ocorrencia &o, const QString &situacao);
// The whole BR Code the bank sent: kept when it passes the check, else refused with what is wrong.
void anotaCopiaECola(Ocorrencia &o, const QString &emv);
// The charge's location and txid: the BR Code assembled from the location with the payee's name and city.
void anotaLocation(Ocorrencia &o, const QString &location, const QString &txid,
                   const ConfiguracaoBolix &configuracao);

} // namespace bolix
