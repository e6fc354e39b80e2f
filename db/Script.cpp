#include "db/Script.h"

#include "db/Connection.h"
#include "util/Erro.h"

#include <QFile>

QStringList comandosDoScript(const QString &script) {
    QStringList comandos;
    QString atual;
    for (const QString &linha : script.split(u'\n')) {
        const QString limpa = linha.trimmed();
        if (limpa.startsWith(QStringLiteral("--")))
            continue;
        atual += linha + u'\n';
        if (limpa.endsWith(u';')) {
            comandos << atual.trimmed().chopped(1);
            atual.clear();
        }
    }
    if (!atual.trimmed().isEmpty())
        comandos << atual.trimmed();
    return comandos;
}

QString leScript(const QString &arquivo) {
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly))
        throw Erro(QStringLiteral("Não foi possível abrir %1.").arg(arquivo));
    return QString::fromUtf8(f.readAll());
}

void executaScript(Connection &conexao, const QString &script) {
    for (const QString &comando : comandosDoScript(script))
        conexao.executa(comando);
}
