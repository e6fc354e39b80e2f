// gera_dados [database [clients [receivables [companies]]]]: fills a database for the listing benchmarks
// (default ruvenal_bench, 20000 clients, 500000 receivables, 50 companies) on the server that MYSQL_UNIX_PORT
// names.
#include "bench/dados/BaseGrande.h"
#include "db/Connection.h"

#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>
#include <exception>

int main(int argc, char **argv) {
    const QString banco = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("ruvenal_bench");
    const int clientes = argc > 2 ? std::atoi(argv[2]) : 20000;
    const int receber = argc > 3 ? std::atoi(argv[3]) : 500000;
    const int empresas = argc > 4 ? std::atoi(argv[4]) : 50;
    try {
        Connection servidor;
        servidor.configura(QString(), QString(), senhaPadrao());
        QElapsedTimer tempo;
        tempo.start();
        criaBaseGrande(servidor, banco, clientes, receber, empresas);
        std::printf("%s: %d clients of %d companies, %d receivables in %.1f s\n", qPrintable(banco), clientes,
                    empresas, receber, tempo.elapsed() / 1000.0);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
