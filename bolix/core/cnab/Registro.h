#pragma once

// Fixed-width records of the bank files: upper-case ASCII without accents, positions counted from 1.

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringView>
#include <cstdint>

namespace bolix {

// Upper case, accents dropped ("Nº" as "NO"), anything else outside printable ASCII as a blank.
QByteArray textoBancario(QStringView texto);

class Registro {
public:
    explicit Registro(int tamanho) : linha_(tamanho, ' ') {}
    // A record to be changed in place, such as an answer built on the line it answers.
    explicit Registro(QByteArray linha) : linha_(std::move(linha)) {}

    // Numeric field: right-aligned, zero-filled; a value wider than the field is an error.
    Registro &numero(int inicio, int fim, std::int64_t valor);
    Registro &digitos(int inicio, int fim, QStringView digitos);
    // Alphanumeric field: left-aligned, blank-filled, cut to the field.
    Registro &texto(int inicio, int fim, QStringView texto);
    // The same for a text that must keep its letter case, already plain ASCII (a Pix location or BR Code).
    Registro &textoExato(int inicio, int fim, QByteArrayView ascii);
    // DDMMAAAA, zeros for a null date.
    Registro &data(int inicio, const QDate &data);
    // AAAAMMDD, zeros for a null date.
    Registro &dataAnoMesDia(int inicio, const QDate &data);
    // DDMMAA, zeros for a null date.
    Registro &dataCurta(int inicio, const QDate &data);

    const QByteArray &linha() const { return linha_; }

private:
    QByteArray linha_;
};

// Writes the lines with CR LF, then `marcaFinal` (a bank's end-of-file mark), through a temporary file
// renamed at the end, so a failure leaves no partial file under the final name. Errors name the path.
void gravaLinhas(const QString &caminho, const QList<QByteArray> &linhas, const QByteArray &marcaFinal = {});

} // namespace bolix
