#pragma once

#include "util/Money.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

class Connection;

// Values written into statement text in the one literal form of the management system's statements.

// Whole numbers: decimal digits.
QString Literal(int numero);
QString Literal(qint64 numero);
// Numbers with decimals: the shortest decimal text of up to 15 significant digits, "." as separator,
// written out in full, never with an exponent. Infinity and NaN have no literal: Erro.
QString Literal(double numero);
QString Literal(Money dinheiro);
// Dates: 'yyyy-mm-dd', followed by ' hh:nn:ss' when the time of day is not zero; an invalid date is
// the zero date '0000-00-00'.
QString Literal(const QDate &data);
QString Literal(const QDateTime &momento);
// Text: between single quotes, escaped by the client library, hence the connection.
QString Literal(Connection &conexao, const QString &texto);

// An empty value: NULL.
inline QString LiteralNulo() {
    return QStringLiteral("NULL");
}
template <typename T> QString Literal(const std::optional<T> &valor) {
    return valor ? Literal(*valor) : LiteralNulo();
}
inline QString Literal(Connection &conexao, const std::optional<QString> &texto) {
    return texto ? Literal(conexao, *texto) : LiteralNulo();
}
