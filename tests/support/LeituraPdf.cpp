#include "LeituraPdf.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace leitura {

bool disponivel() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

QByteArray roda(const QString &programa, const QStringList &argumentos, int *codigo) {
    QProcess p;
    p.start(programa, argumentos);
    const bool terminou = p.waitForFinished(60000);
    EXPECT_TRUE(terminou) << programa.toStdString() << ": " << p.errorString().toStdString();
    if (codigo)
        *codigo = terminou && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return p.readAllStandardOutput();
}

namespace {

// A reading tool's output; a tool that crashes fails the test.
QString executa(const QString &programa, const QStringList &argumentos) {
    int codigo = 0;
    const QByteArray saida = roda(programa, argumentos, &codigo);
    if (codigo == -1)
        ADD_FAILURE() << programa.toStdString() << " did not run";
    return QString::fromUtf8(saida);
}

QStringList pagina(int n) {
    return {QStringLiteral("-f"), QString::number(n), QStringLiteral("-l"), QString::number(n)};
}

} // namespace

QString texto(const QString &pdf, int n) {
    return executa(QStringLiteral("pdftotext"), pagina(n) + QStringList{pdf, QStringLiteral("-")})
        .simplified();
}

QString texto(const QString &pdf, int n, const QRectF &regiao) {
    const QRect r = regiao.toAlignedRect();
    const QStringList recorte = {
        QStringLiteral("-x"), QString::number(r.x()),     QStringLiteral("-y"), QString::number(r.y()),
        QStringLiteral("-W"), QString::number(r.width()), QStringLiteral("-H"), QString::number(r.height())};
    return executa(QStringLiteral("pdftotext"), pagina(n) + recorte + QStringList{pdf, QStringLiteral("-")})
        .simplified();
}

QStringList linhas(const QString &pdf, int n) {
    QStringList saida;
    const QString texto =
        executa(QStringLiteral("pdftotext"),
                pagina(n) + QStringList{QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    for (const QString &linha : texto.split(u'\n')) {
        const QString limpa = linha.simplified().remove(u'\f');
        if (!limpa.isEmpty())
            saida << limpa;
    }
    return saida;
}

QList<Palavra> palavras(const QString &pdf, int n) {
    static const QRegularExpression palavra(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    const QString html = executa(QStringLiteral("pdftotext"),
                                 pagina(n) + QStringList{QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    QList<Palavra> saida;
    for (const auto &m : palavra.globalMatch(html)) {
        const QPointF de(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF ate(m.captured(3).toDouble(), m.captured(4).toDouble());
        saida.append({m.captured(5), QRectF(de, ate)});
    }
    return saida;
}

namespace {

// The page rendered at 300 dpi into a PNG file in `pasta`.
QString png(const QString &pdf, int n, const QTemporaryDir &pasta) {
    const QString base = pasta.filePath(QStringLiteral("pagina"));
    executa(QStringLiteral("pdftoppm"),
            pagina(n) + QStringList{QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"),
                                    QStringLiteral("-singlefile"), pdf, base});
    return base + QStringLiteral(".png");
}

} // namespace

QStringList codigosDeBarras(const QString &pdf, int n, const QString &simbologia) {
    QTemporaryDir pasta;
    return executa(QStringLiteral("zbarimg"),
                   {QStringLiteral("--raw"), QStringLiteral("-q"), QStringLiteral("-Sdisable"),
                    QStringLiteral("-S%1.enable").arg(simbologia), png(pdf, n, pasta)})
        .split(u'\n', Qt::SkipEmptyParts);
}

QImage imagem(const QString &pdf, int n) {
    QTemporaryDir pasta;
    return QImage(png(pdf, n, pasta));
}

int paginas(const QString &pdf) {
    static const QRegularExpression linha(QStringLiteral(R"(Pages:\s+(\d+))"));
    const auto m = linha.match(executa(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

int imagens(const QString &pdf) {
    // Two heading lines, then one line per image.
    return static_cast<int>(executa(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                .split(u'\n', Qt::SkipEmptyParts)
                                .size() -
                            2);
}

} // namespace leitura
