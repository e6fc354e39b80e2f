#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

struct st_mysql;

// The floor of a benchmark: a connection of the client library alone on which each statement is sent
// and its answer read, nothing else. Any error ends the benchmark.
class SoServidor {
public:
    explicit SoServidor(const QString &banco);
    ~SoServidor();
    SoServidor(const SoServidor &) = delete;
    SoServidor &operator=(const SoServidor &) = delete;

    void roda(const QByteArray &sql);
    // Each statement in order; the seconds they took.
    double cronometra(const QList<QByteArray> &comandos);

private:
    st_mysql *m_;
};
