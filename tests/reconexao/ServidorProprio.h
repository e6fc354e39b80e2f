#pragma once

#include <QString>

// The test's own MariaDB server, the one MYSQL_UNIX_PORT names, which a test may stop and start again.
// Only a server in a folder named for these tests is touched, never the fixture the other suites share.
class ServidorProprio {
public:
    ServidorProprio();
    // Starts the server again if a test left it stopped.
    ~ServidorProprio();

    bool valido() const { return !pasta_.isEmpty(); }
    void para();
    void inicia();
    void reinicia();

private:
    void roda(const QString &acao) const;

    QString pasta_;
    bool parado_ = false;
};
