#include "LeituraPdf.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace leituraPdf {

bool disponivel() {
    return !QStandardPaths::findExecutable("pdftotext").isEmpty() &&
           !QStandardPaths::findExecutable("pdfinfo").isEmpty();
}

QByteArray roda(const QString &programa, const QStringList &args, int *codigo) {
    QProcess p;
    p.start(programa, args);
    EXPECT_TRUE(p.waitForFinished(60000)) << programa.toStdString();
    if (codigo)
        *codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return p.readAllStandardOutput();
}

int folhas(const QString &pdf) {
    const auto m = QRegularExpression("Pages:\\s+(\\d+)").match(roda("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QStringList texto(const QString &pdf, int folha) {
    const QString n = QString::number(folha);
    QStringList linhas;
    for (const QString &linha :
         QString::fromUtf8(roda("pdftotext", {"-layout", "-f", n, "-l", n, pdf, "-"})).split(u'\n')) {
        const QString limpa = linha.simplified().remove(u'\f');
        if (!limpa.isEmpty())
            linhas << limpa;
    }
    return linhas;
}

} // namespace leituraPdf
