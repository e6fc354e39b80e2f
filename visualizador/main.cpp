// visualizador [--pdf <saida.pdf>] <arquivo> [colunas]
// Shows a Windows-1252 text report with its form feeds as page breaks; prints it or saves it as PDF.

#include "Impressao.h"
#include "JanelaVisualizador.h"
#include "Paginas.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>
#include <cstdio>

using namespace visualizador;

namespace {

constexpr int colunasMinimas = 80;

QStringList argumentos(int argc, char **argv) {
    QStringList lista;
    for (int i = 0; i < argc; ++i)
        lista << QString::fromLocal8Bit(argv[i]);
    return lista;
}

int falha(bool semJanela, const QString &texto) {
    if (semJanela)
        std::fprintf(stderr, "visualizador: %s\n", qPrintable(texto));
    else
        QMessageBox::warning(nullptr, QStringLiteral("Visualizador"), texto);
    return 1;
}

} // namespace

int main(int argc, char **argv) {
    QCommandLineParser opcoes;
    opcoes.setApplicationDescription(
        QStringLiteral("Mostra um relatório em texto (Windows-1252), imprime ou grava em PDF."));
    const QCommandLineOption ajuda = opcoes.addHelpOption();
    const QCommandLineOption pdf(QStringLiteral("pdf"), QStringLiteral("Grava o relatório em PDF e termina."),
                                 QStringLiteral("saida.pdf"));
    opcoes.addOption(pdf);
    opcoes.addPositionalArgument(QStringLiteral("arquivo"), QStringLiteral("O relatório."));
    opcoes.addPositionalArgument(QStringLiteral("colunas"),
                                 QStringLiteral("Colunas de uma linha; sem ele, a linha mais larga."),
                                 QStringLiteral("[colunas]"));

    // Writing a PDF needs fonts but no screen: scripts and tests may run it without a display.
    const bool analisado = opcoes.parse(argumentos(argc, argv));
    const bool semJanela = !analisado || opcoes.isSet(pdf) || opcoes.isSet(ajuda);
    if (semJanela && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("visualizador"));
    opcoes.process(app);

    const QStringList posicionais = opcoes.positionalArguments();
    if (posicionais.isEmpty() || posicionais.size() > 2)
        return falha(semJanela, QStringLiteral("Uso: visualizador [--pdf saida.pdf] arquivo [colunas]"));
    const QString arquivo = posicionais[0];

    const auto paginas = lePaginas(arquivo);
    if (!paginas)
        return falha(semJanela, QStringLiteral("Não foi possível abrir \"%1\".").arg(arquivo));

    int colunas = std::max(colunasMinimas, larguraMaxima(*paginas));
    if (posicionais.size() == 2) {
        bool ok = false;
        colunas = posicionais[1].toInt(&ok);
        if (!ok || colunas <= 0)
            return falha(semJanela,
                         QStringLiteral("Número de colunas inválido: \"%1\".").arg(posicionais[1]));
    }

    if (semJanela) {
        const QString saida = opcoes.value(pdf);
        if (!salvaPdf(*paginas, colunas, saida, QFileInfo(arquivo).fileName())) {
            std::fprintf(stderr, "visualizador: não foi possível gravar \"%s\"\n", qPrintable(saida));
            return 2;
        }
        return 0;
    }

    JanelaVisualizador janela(arquivo, *paginas, colunas);
    // Without a window manager maximising does nothing; the screen's size is the next best thing.
    janela.resize(janela.screen()->availableSize());
    janela.showMaximized();
    return app.exec();
}
