#pragma once

#include <QString>
#include <QStringList>

class Connection;

// The statements of an SQL script such as schema.sql: each ends with a semicolon at the end of a line;
// lines that start with "--" are comments.
QStringList comandosDoScript(const QString &script);

// Runs every statement of the script file, in order.
void executaScript(Connection &conexao, const QString &arquivo);
