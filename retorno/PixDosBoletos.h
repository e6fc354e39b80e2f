#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

namespace boleto {
class ObjetoBolix;
}
class Connection;

// The bank's Pix QR of issued boletos, kept in the store's database in a table of the program's own, keyed
// by the issued boleto (ruvenal_boletos), so that a second print carries the QR. The bank creates the Pix
// charge when it registers the title, so the QR arrives in the return of the registration, after the first
// print.

// What the return says about one title's Pix charge, as the component handed it over.
struct PixDoBoleto {
    QString numeroDocumento;
    // The bank's field: the number with its check digit at the end, perhaps after constants.
    QString nossoNumero;
    // The whole BR Code ("copia e cola"), checked by the component; empty when none came or it was refused.
    QString copiaECola;
    QString txid;
    // The bank's words for the status or the refusal.
    QString situacao;
    bool recusado = false;
};

// The Pix news of the return the component loaded last (its PixCobranca collection).
std::vector<PixDoBoleto> PixDoRetorno(const boleto::ObjetoBolix &ObjBolix);

// What storing one return's Pix news did.
struct ResultadoPix {
    // Boletos whose QR was stored now: without one before, or with another one (`trocados` of them).
    int recebidos = 0;
    int trocados = 0;
    // Boletos that had this very QR already (the file was loaded before).
    int jaGuardados = 0;
    // Charges the bank refused, and news without a QR: nothing stored, the boleto prints without one.
    std::vector<PixDoBoleto> recusados;
    std::vector<PixDoBoleto> semQrCode;
    // A QR for a nosso número that no boleto issued at this bank carries: not stored.
    std::vector<PixDoBoleto> semBoleto;
    // The return carried Pix news at all.
    bool houvePix = false;
};

// The table, created when missing.
QString sqlCriaPixDosBoletos();

// The nosso números an issued boleto may have been recorded with, given the bank's field in the return:
// the field ends in the check digit and may carry constants before the number (Itaú's carteira, Caixa's
// "14") or fewer leading zeros than the program's number has. An issued boleto of the bank matches when
// its nosso número is one of them.
QStringList FormasDoNossoNumero(const QString &doRetorno);
// The issued boletos of bank `banco` with one of the nosso números, newest first.
QString sqlBoletosDoNossoNumero(Connection &conexao, const QString &banco, const QStringList &formas);
// Stores the QR for the boleto, or replaces another one; changes nothing when this QR is stored already.
QString sqlGuardaPix(Connection &conexao, qint64 boletoId, const PixDoBoleto &pix, const QDateTime &quando);

// Stores the QRs of boletos issued at bank `banco` (the component's code, as ruvenal_boletos keeps it).
// Each item goes by itself: a second loading of the same file changes nothing, and a later confirmation
// with another QR for the same boleto replaces the stored one, as the bank's newest charge is the one it
// settles.
ResultadoPix GuardaPix(Connection &conexao, const QString &banco, const std::vector<PixDoBoleto> &itens,
                       const QDateTime &quando);

// The lines "Ler Arquivo" adds to its message: how many boletos received their QR, then the refused
// charges and the unknown nosso números, each named, and the statuses without a QR, each counted. Empty
// when the return carried no Pix news.
QString MensagemPix(const ResultadoPix &resultado);
