#pragma once

#include <QString>
#include <QStringList>

class Connection;

// SQL scripts such as schema.sql: each statement ends with a semicolon at the end of a line; lines that
// start with "--" are comments.
QStringList comandosDoScript(const QString &script);

// The text of a script file (UTF-8).
QString leScript(const QString &arquivo);

// Runs every statement of the script text, in order.
void executaScript(Connection &conexao, const QString &script);
