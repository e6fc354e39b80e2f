#pragma once

#include <QByteArray>
#include <QString>

class Connection;

// Creates (or recreates) the database `banco` with the schema of the tables as used and fills it with
// `clientes` clients of `empresas` companies and `receber` receivables. The connection must reach the
// server; it is left using that database.
void criaBaseGrande(Connection &servidor, const QString &banco, int clientes, int receber, int empresas = 50);
// The same, unless the database already holds exactly these counts of clients and receivables: a
// benchmark's database is generated once and kept.
void garanteBaseGrande(const QString &banco, int clientes, int receber, int empresas = 50);

// The password of a server started by scripts/mariadb: what the program's default enciphered text deciphers
// to.
QByteArray senhaPadrao();
