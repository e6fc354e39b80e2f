#pragma once

#include "db/ResultSet.h"

#include <QByteArray>
#include <QString>
#include <functional>

struct st_mysql;

// The one connection to the management system's MySQL database: user "root", port 3306, auto-commit,
// utf8mb4 on the wire (the server converts to the latin1 columns). It opens on first use.
// An empty host means the local server through its unix socket; the client library takes the socket's
// path from MYSQL_UNIX_PORT when it is set.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Where to connect. Each value is cut to its first 255 characters (bytes for the password, which
    // goes to the server byte for byte). Takes effect at the next connect.
    void configura(const QString &host, const QString &banco, const QByteArray &senha);

    // Opens the connection; nothing happens when it is already open. Throws Erro with the server's text.
    void conecta();
    bool conectada() const { return mysql_ != nullptr; }
    void fecha();

    // Runs a statement that returns no rows; returns the number of rows it changed.
    qint64 executa(const QString &sql);
    // Runs a query and reads its whole result into memory.
    ResultSet abre(const QString &sql);
    // The auto-increment value that the last insert produced.
    qint64 ultimoId() const;
    // The client library's escaping of a text for use between quotes in a statement.
    QString escapa(const QString &texto);

    // Called with true before a statement runs and with false after it, failures included, so that the
    // window can show the hourglass. The core knows no cursors.
    void defineEspera(std::function<void(bool emExecucao)> espera) { espera_ = std::move(espera); }

    // The server's sql_mode without the modes that the statements cannot live with: double-quoted
    // strings (ANSI_QUOTES and the composite modes that include it) and strict grouping.
    static QString modoSqlPermissivo(const QString &modoDoServidor);

private:
    void roda(const QByteArray &sql);
    [[noreturn]] void falha();

    st_mysql *mysql_ = nullptr;
    QString host_;
    QString banco_;
    QByteArray senha_;
    std::function<void(bool)> espera_;
};
