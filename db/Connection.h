#pragma once

#include "db/ResultSet.h"

#include "util/Erro.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

struct st_mysql;

// The one connection to the management system's MySQL database: user "root", port 3306, auto-commit,
// utf8mb4 on the wire (the server converts to the latin1 columns). It opens on first use.
// An empty host means the local server through its unix socket; the client library takes the socket's
// path from MYSQL_UNIX_PORT when it is set.
// A lost connection (server restarted, network drop, killed) is opened again by the next statement, with
// the same settings and sql_mode. A query lost on the way is run once more; a change is never repeated
// blindly, nor is anything reopened under an open transaction: the caller gets a Portuguese error saying
// what was not done.
// Several statements can go in one request (one round trip across the network), their answers read in
// order; a statement's error stops the request there, the server runs none after it.

// A batch of statements stopped at one of them.
class ErroNoLote : public Erro {
public:
    ErroNoLote(const QString &texto, int comando, bool perdida)
        : Erro(texto), comando(comando), conexaoPerdida(perdida) {}
    // The statement that failed, from 0: those before it ran and answered, none after it ran.
    const int comando;
    // The text says what the loss left undone, as for a single statement.
    const bool conexaoPerdida;
};

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
    // True while a transaction that a caller started (or auto-commit switched off) is open.
    bool emTransacao() const;
    // Queries sent in one request; each one's result, in order. A lost connection runs them once more.
    std::vector<ResultSet> abreLote(const QStringList &consultas);
    // Statements (changes, whole transactions) sent in one request. Throws ErroNoLote naming the statement
    // that failed. A lost connection sends the request again only when none of it can have run.
    void executaLote(const QStringList &comandos);
    // Whether the server runs compound statements (IF ... END IF) outside stored programs: MariaDB from 10.1.
    bool aceitaCompostos();
    // Requests sent, each one round trip: statements, batches and pings (connecting not counted).
    qint64 pedidos() const { return pedidos_; }
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
    void abreConexao();
    // How far a batch went: answers read and whether a transaction was open after the last of them.
    struct Andamento {
        int respondidos = 0;
        bool transacao = false;
    };

    void roda(const QByteArray &sql);
    void rodaLote(const QByteArray &sql, Andamento &andamento, std::vector<ResultSet> *resultados);
    template <typename Passo> void loteComReconexao(const QStringList &comandos, bool consulta, Passo passo);
    qint64 rodaEscrita(const QByteArray &sql);
    ResultSet rodaLeitura(const QByteArray &sql);
    void confirmaViva();
    template <typename Passo> auto comReconexao(bool consulta, bool confirmacao, Passo passo);
    [[noreturn]] void falha();

    st_mysql *mysql_ = nullptr;
    // The session's sql_mode as first set; a reconnection sets the same.
    QString modoSql_;
    // The last connection was lost: the next connect is a reconnection.
    bool perdida_ = false;
    // Since the last statement.
    QElapsedTimer ociosa_;
    qint64 pedidos_ = 0;
    QString host_;
    QString banco_;
    QByteArray senha_;
    std::function<void(bool)> espera_;
};
