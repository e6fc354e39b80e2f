#pragma once

#include "db/Connection.h"
#include "util/Money.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <initializer_list>
#include <variant>

// A value for a test row: NULL, a number, money, a date or a text.
class ValorDeTeste {
public:
    ValorDeTeste() = default; // NULL
    template <std::integral T> ValorDeTeste(T n) : v_(qint64(n)) {}
    ValorDeTeste(double n) : v_(n) {}
    ValorDeTeste(Money m) : v_(m) {}
    ValorDeTeste(const QDate &d) : v_(d) {}
    ValorDeTeste(const QDateTime &d) : v_(d) {}
    ValorDeTeste(const QString &t) : v_(t) {}
    ValorDeTeste(const char *t) : v_(QString::fromUtf8(t)) {}

    QString literal(Connection &conexao) const;

private:
    std::variant<std::monostate, qint64, double, Money, QDate, QDateTime, QString> v_;
};

struct ColunaDeTeste {
    QString nome;
    ValorDeTeste valor;
};
using Colunas = std::initializer_list<ColunaDeTeste>;

// A fresh database with a unique name on the test server (MYSQL_UNIX_PORT), holding the schema of the
// tables as used and no rows; dropped when the object goes. Rows go in with insere(), or with the table
// helpers, which fill a plausible row and take only the columns a test cares about.
class BancoDeTeste {
public:
    // The bytes the program's default enciphered password deciphers to: the test server's password.
    static QByteArray senhaPadrao();

    BancoDeTeste();
    ~BancoDeTeste();
    BancoDeTeste(const BancoDeTeste &) = delete;
    BancoDeTeste &operator=(const BancoDeTeste &) = delete;

    const QString &nome() const { return nome_; }
    // Connected to this database, as the program connects.
    Connection &conexao() { return conexao_; }

    void insere(const QString &tabela, Colunas colunas);

    // Company 1 "Empresa 1" with no fine or interest, unless told otherwise.
    void empresa(int empresaId, Colunas colunas = {});
    // Branch 1 listing every store's receivables, and company 1 with the CNPJ and address a remittance needs.
    void empresaQueCobra();
    // A client of company 1 named "Cliente <id>", chapa = id.
    void cliente(int clientesId, Colunas colunas = {});
    // A client as above with the payer record a remittance needs: CPF, address in Campinas, bank account.
    void pagador(int clientesId, Colunas colunas = {});
    // An open receivable of branch 1 for client 1: receber_id numbered from 1, valor 100, quantidade 1,
    // amort 0, valortotal 100, sold and due today, apagado "N", tipo 0.
    void receber(Colunas colunas = {});

private:
    // Each layer's columns replace those of the same name in the layers before it.
    void insereEmCamadas(const QString &tabela, std::initializer_list<Colunas> camadas);
    void cliente(int clientesId, Colunas padroes, Colunas colunas);

    QString nome_;
    Connection conexao_;
    int proximoReceber_ = 1;
};

// Every row of each table, all columns, in the given order ("table", "order by" columns): what two runs that
// must end alike are compared by.
QString ConteudoDasTabelas(Connection &conexao,
                           std::initializer_list<std::pair<const char *, const char *>> tabelas);
