#include "tests/reconexao/ServidorProprio.h"

#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

ServidorProprio::ServidorProprio() {
    const QFileInfo socket(QString::fromLocal8Bit(qgetenv("MYSQL_UNIX_PORT")));
    if (socket.absolutePath().contains(QStringLiteral("reconexao")))
        pasta_ = socket.absolutePath();
}

ServidorProprio::~ServidorProprio() {
    if (parado_)
        inicia();
}

void ServidorProprio::roda(const QString &acao) const {
    QStringList argumentos{acao, pasta_};
    if (acao == QStringLiteral("start"))
        argumentos << QStringLiteral("--fast");
    QProcess script;
    script.setProcessChannelMode(QProcess::ForwardedChannels);
    script.start(QStringLiteral(RUVENAL_MARIADB), argumentos);
    ASSERT_TRUE(script.waitForFinished(120000));
    ASSERT_EQ(script.exitCode(), 0) << "scripts/mariadb " << acao.toStdString();
}

void ServidorProprio::para() {
    roda(QStringLiteral("stop"));
    parado_ = true;
}

void ServidorProprio::inicia() {
    roda(QStringLiteral("start"));
    parado_ = false;
}

void ServidorProprio::reinicia() {
    para();
    inicia();
}
