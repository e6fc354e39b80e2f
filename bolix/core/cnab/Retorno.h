#pragma once

// Boleto return files: one occurrence per title reported (CNAB 240 segments T and U, CNAB 400 type 1).

#include "bolix/core/Conta.h"
#include "bolix/core/Documento.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace bolix {

struct Ocorrencia {
    QString numeroDocumento;     // as given in the remittance
    QString nossoNumero;         // the bank's 20 positions, trimmed
    QString identificacaoTitulo; // the payee's control key, trimmed
    QString codigoMovimento;     // "02" entry confirmed, "06" paid...
    QString motivos;             // reasons of a rejection, up to five two-digit codes
    Dinheiro valorTitulo = 0;
    Dinheiro valorPago = 0;
    Dinheiro valorLiquido = 0;
    Dinheiro valorTarifa = 0;
    Dinheiro valorJuros = 0;
    Dinheiro valorDesconto = 0;
    QDate dataVencimento;
    QDate dataOcorrencia; // the payment or event date (Itaú CNAB 400: the credit date, see leRetorno400)
    QDate dataCredito;    // null when the bank sent none

    bool pago = false; // a movement that settles the title at its bank (06 liquidação...)
    // A movement by which the bank wrote the title off unpaid: its code and the bank's words, and what the
    // store may do about it; empty otherwise. Nothing is settled for it.
    QString baixa;
    QString orientacaoBaixa;

    // The Pix charge the bank created for the title, from the record that follows its entry
    // confirmation (or the status the bank gives for it). pixCopiaECola is the whole BR Code, checked
    // (built from the location where the bank sends one); empty when none came or it was refused.
    QString pixCopiaECola;
    QString pixTxid;
    QString pixSituacao;      // the bank's words for the status or the refusal; empty: no Pix news
    bool pixRecusado = false; // the bank refused the Pix charge or its text failed the check

    bool pagamento() const { return pago; }
    bool temPix() const { return !pixSituacao.isEmpty() || !pixCopiaECola.isEmpty(); }
};

// Reads the whole file or nothing: a line of the wrong length, an unknown record, a field of a payment
// that is not a number or a date, another bank's or another account's file, a record out of its lot or out
// of sequence, a title paid twice, or a record count that does not add up is an ErroBolix naming the file,
// the line and the field. A record that moves no money is read for its kind only. Lines are taken as banks
// deliver them (LinhasCnab). A title without a document number is handed over with its nosso número.
// What the operator must know but does not refuse the file goes to `avisos`, one line each, naming the
// line: a trailer figure that disagrees with the file, a payment's date taken from its other date.
QList<Ocorrencia> leRetorno240(const QByteArray &conteudo, const QString &nome, QStringView banco,
                               QStringList *avisos = nullptr);
// The same, and the file header's account must be this one's.
QList<Ocorrencia> leRetorno240(const QByteArray &conteudo, const QString &nome, const ContaConfigurada &conta,
                               QStringList *avisos = nullptr);

// The CNAB 400 return of a bank that has one here, whose header (077-079) must name `banco`, with the same
// checks (sequence in 395-400; the trailer figures the bank defines as the file's are compared, and one
// that disagrees is an aviso). Payment codes, the paid amount and the trailer's figures are the bank's
// rule's (Leiaute400); a paid amount below zero is refused.
QList<Ocorrencia> leRetorno400(const QByteArray &conteudo, const QString &nome, QStringView banco,
                               QStringList *avisos = nullptr);

// A boleto return in the layout its first record shows (240 or 400 columns), of the account's bank and
// of the account itself, as its header names it.
QList<Ocorrencia> leRetornoCobranca(const QString &caminho, const ContaConfigurada &conta,
                                    QStringList *avisos = nullptr);

} // namespace bolix
