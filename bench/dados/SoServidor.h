#pragma once

#include <QByteArray>
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

private:
    st_mysql *m_;
};
