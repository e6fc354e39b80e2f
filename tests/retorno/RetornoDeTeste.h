#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A direct-debit return as the bank writes it: 150-character lines.

// A detail line: the debit identifier at positions 3 to 10, the amount in cents at 53 to 67, the
// return code at 68 and 69.
QString LinhaDebito(const QString &identificador, qint64 centavos, const QString &codigo);
// Header, the detail lines and a trailer.
QStringList RetornoDebito(const QStringList &detalhes,
                          const QString &servico = QStringLiteral("DEBITO AUTOMATICO"));
// The lines joined with CR LF, as bytes of a file.
QByteArray BytesDoRetorno(const QStringList &linhas);
