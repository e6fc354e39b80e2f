#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtGlobal>

// Writes a benchmark's set-up file (an ini, a bank file); a benchmark that cannot set up stops.
inline void gravaArquivoDoBench(const QString &caminho, const QByteArray &conteudo) {
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(conteudo) != conteudo.size())
        qFatal("cannot write %s", qPrintable(caminho));
}
