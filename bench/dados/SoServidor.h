#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

struct st_mysql;

// The floor of a benchmark: a connection of the client library alone on which each statement is sent
// and its answer read, nothing else. A request of several statements is sent as one and all its answers
// read. Any error ends the benchmark.
class SoServidor {
public:
    // `host` as the program's: empty for the server's socket.
    explicit SoServidor(const QString &banco, const QString &host = {});
    ~SoServidor();
    SoServidor(const SoServidor &) = delete;
    SoServidor &operator=(const SoServidor &) = delete;

    void roda(const QByteArray &sql);
    // Each statement in order; the seconds they took.
    double cronometra(const QList<QByteArray> &comandos);

private:
    st_mysql *m_;
};

// The requests that one run of `clique` sent, in order, from the server's general log: those of the
// connection that sent a request containing `marca`. A request of several statements is one entry.
QList<QByteArray> RequisicoesDoClique(const std::function<void()> &clique, const char *marca);
