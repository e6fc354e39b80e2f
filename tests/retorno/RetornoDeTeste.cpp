#include "tests/retorno/RetornoDeTeste.h"

QString LinhaDebito(const QString &identificador, qint64 centavos, const QString &codigo) {
    QString l = QStringLiteral("F ") + identificador.leftJustified(8) + QString(42, u' ') +
                QStringLiteral("%1").arg(centavos, 15, 10, QLatin1Char('0')) + codigo;
    return l.leftJustified(150);
}

QStringList RetornoDebito(const QStringList &detalhes, const QString &servico) {
    QStringList linhas;
    linhas << (QStringLiteral("A2") + QString(79, u' ') + servico).leftJustified(150);
    linhas << detalhes;
    linhas << QStringLiteral("Z").leftJustified(150);
    return linhas;
}

QByteArray BytesDoRetorno(const QStringList &linhas) {
    return (linhas.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}
