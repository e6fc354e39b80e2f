#include "generation/MeusDados.h"

void AdicionaMeusDados(const boleto::ObjetoBolix &dono, const QString &nome, const QString &valor) {
    const boleto::ObjetoBolix entrada(dono.call(QStringLiteral("MeusDados.Add")).toObject());
    entrada.set(QStringLiteral("Nome"), nome);
    entrada.set(QStringLiteral("Valor"), valor);
}
