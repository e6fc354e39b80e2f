#include "util/RegistroDeFalhas.h"

#include "util/Clock.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cstdio>

namespace {

QByteArray ultimasLinhas(const QString &caminho, qsizetype quantas) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> linhas = f.readAll().split('\n');
    if (!linhas.isEmpty() && linhas.last().isEmpty())
        linhas.removeLast();
    if (linhas.size() > quantas)
        linhas.remove(0, linhas.size() - quantas);
    QByteArray texto;
    for (const QByteArray &l : linhas)
        texto += l + '\n';
    return texto;
}

} // namespace

void registraFalha(const QString &pastaDoPrograma, const QString &etapa, const QString &texto) {
    // One line per failure, whatever line breaks the error's text holds.
    QString linha = Clock::agora().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) + QLatin1Char(' ') +
                    etapa + QStringLiteral(": ") + texto;
    linha.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QByteArray bytes = linha.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);

    const QString caminho = QDir(pastaDoPrograma).filePath(QStringLiteral("ruvenal.log"));
    QSaveFile f(caminho);
    if (!f.open(QIODevice::WriteOnly))
        return;
    f.write(ultimasLinhas(caminho, LinhasDoRegistro - 1) + bytes);
    f.commit();
}
