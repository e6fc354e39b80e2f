#pragma once

// CNAB 240 cobrança return files: one occurrence per title reported (segments T and U).

#include "Conta.h"
#include "Documento.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
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
    QDate dataOcorrencia; // the payment or event date
    QDate dataCredito;    // null when the bank sent none

    bool pago = false; // a movement that settles the title at its bank (06 liquidação...)

    bool pagamento() const { return pago; }
};

// Reads the whole file or nothing: a line of the wrong length, an unknown record, a field that is
// not a number or a date, another bank's file, a record out of its lot or out of sequence, a title
// paid twice, or a lot or file trailer whose counts and totals do not add up is an ErroBolix naming
// the file, the line and the field. Lines are taken as banks deliver them (LinhasCnab); lot totals
// left at zero are not given. A title without a document number is handed over with its nosso número.
QList<Ocorrencia> leRetorno240(const QByteArray &conteudo, const QString &nome, QStringView banco);
// The same, and the file header's account must be this one's.
QList<Ocorrencia> leRetorno240(const QByteArray &conteudo, const QString &nome,
                               const ContaConfigurada &conta);
QList<Ocorrencia> leRetorno240(const QString &caminho, const ContaConfigurada &conta);

} // namespace bolix
