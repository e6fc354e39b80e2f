#include "Simulador.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream saida(stdout);
    QTextStream erros(stderr);
    return bolix::simulador::executa(app.arguments().mid(1), saida, erros);
}
