#pragma once

#include "util/Money.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace boleto {
class ObjetoBolix;
}

// A boleto return is read by the component; a direct-debit return, by the program itself.
enum class ModoRetorno { Boleto, Debito };

// A return file as it was loaded: the fingerprint of its bytes and, for a direct debit, its lines.
struct ArquivoRetorno {
    QStringList linhas;
    QByteArray impressao;
    ModoRetorno modo = ModoRetorno::Boleto;
};

// The file that the name edit names: blanks and control characters around it and every quote removed.
QString CaminhoDoRetorno(const QString &texto);
// Reads the whole file. Throws Erro when it cannot be read or holds nothing at all.
ArquivoRetorno LeArquivoRetorno(const QString &caminho);
// Windows-1252 text; lines end at CR, LF or CR LF, and a break at the very end starts no line.
QStringList LinhasDoArquivo(QByteArrayView bytes);
// "DEBITO AUTOMATICO", exactly so, anywhere in the first line.
ModoRetorno ModoDoRetorno(const QString &primeiraLinha);
// The fingerprint by which a settled file is recognised: SHA-256 of its bytes, in hexadecimal.
QByteArray ImpressaoDoArquivo(QByteArrayView bytes);

// One charge the bank reports on.
struct Ocorrencia {
    // The document number (boleto) or the eight characters of the debit identifier.
    QString chave;
    // What the bank paid or debited, less the boleto fee.
    Money pago;
    // Direct debit: the bank's return code.
    int codigo = 0;
    // Where it came from, for messages: "linha 3", "ocorrência 2".
    QString origem;
    // The day of the payment as yyyymmdd (boleto: the occurrence date; direct debit: the date of the
    // debit), empty when the bank gave none.
    QString data = {};
    // Boleto: the paid amount as the component gave it, before the fee.
    Money valorPago = {};
    // Boleto: the bank's nosso número, to name a payment that matches no receivable.
    QString nossoNumero = {};
};

// The detail lines of a direct-debit return (every line between the first and the last). Throws Erro
// naming the line and field of a line that is not 150 characters long or whose amount or return code
// is not made of digits.
std::vector<Ocorrencia> OcorrenciasDebito(const QStringList &linhas, Money taxaBoleto);
// Has the component read its return file (set up beforehand) and takes its occurrences.
std::vector<Ocorrencia> OcorrenciasBoleto(const boleto::ObjetoBolix &ObjBolix, Money taxaBoleto);
// The occurrences the component holds now (OcorrenciasCobranca), less the fee.
std::vector<Ocorrencia> OcorrenciasDoComponente(const boleto::ObjetoBolix &ObjBolix, Money taxaBoleto);

// The key as the integer codID of the list. Throws Erro naming the text and the field when it is not
// a whole number.
qint64 CodIdDaChave(const QString &chave, const QString &origem);
