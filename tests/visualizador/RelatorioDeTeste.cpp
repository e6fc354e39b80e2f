#include "RelatorioDeTeste.h"

#include "reports/ClassImpressao.h"
#include "util/Clock.h"
#include "util/Regional.h"

RelatorioDeTeste::RelatorioDeTeste(const QString &arquivo) {
    Regional::definir(Regional::brasileiro());
    Clock::fixar(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    TImpres impres;
    impres.SetIniciador([this](const QString &programa, const QStringList &argumentos) {
        iniciado = QStringList{programa} + argumentos;
        return true;
    });
    for (int i = 1; i <= 200; ++i) {
        corpo << QStringLiteral("linha %1").arg(i);
        impres.Escreve(corpo.last(), 3);
    }
    impres.Visualiza(arquivo);
    Clock::fixar(std::nullopt);
}

QStringList RelatorioDeTeste::pagina(int n, int de, int ate) const {
    return QStringList{QStringLiteral("Data/Hora 09/12/2026 10:00 Pagina %1").arg(n)} +
           corpo.mid(de - 1, ate - de + 1);
}
