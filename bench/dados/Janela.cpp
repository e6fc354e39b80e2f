#include "bench/dados/Janela.h"

#include "app/UGeraBoletoBancos.h"
#include "bench/dados/Arquivo.h"
#include "bench/dados/SoServidor.h"
#include "tests/support/MensagensGravadas.h"
#include "util/Regional.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QWindow>
#include <benchmark/benchmark.h>

int rodaBenchmarksDaJanela(int argc, char **argv, const std::function<void()> &prepara,
                           const std::function<void()> &encerra) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Regional::definir(Regional::brasileiro());
    prepara();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    encerra();
    return 0;
}

void cronometraContraServidor(benchmark::State &state, const QString &banco, const QByteArray &sql,
                              const std::function<void()> &clique) {
    SoServidor servidor(banco);
    double soServidor = 0, naJanela = 0;
    static int vez = 0;
    const bool servidorPrimeiro = vez++ % 2 == 0;
    for (auto _ : state) {
        if (servidorPrimeiro)
            soServidor = servidor.cronometra({sql});
        QElapsedTimer t;
        t.start();
        clique();
        // Painted as the operator sees it.
        QApplication::processEvents();
        naJanela = double(t.nsecsElapsed()) / 1e9;
        state.SetIterationTime(naJanela);
        if (!servidorPrimeiro)
            soServidor = servidor.cronometra({sql});
    }
    state.counters["servidor_ms"] = soServidor * 1000;
    state.counters["razao"] = naJanela / soServidor;
}

void registraBolix(const QString &pasta, const QByteArray &plugin) {
    gravaArquivoDoBench(QDir(pasta).filePath(QStringLiteral("automation.ini")),
                        "[ProgIDs]\r\nBolix.ContaCorrente=" + plugin + "\r\n");
}

std::unique_ptr<TFRuvenal> janelaNaTela(const QString &pasta, const QString &banco, const QByteArray &plugin,
                                        const QByteArray &ruvenal, const MensagensGravadas &mensagens) {
    registraBolix(pasta, plugin);
    gravaArquivoDoBench(QDir(pasta).filePath(QStringLiteral("sistema_zel.ini")),
                        "[ip]\r\ndatabase=" + banco.toUtf8() +
                            "\r\nlocal=\r\n[Ruvenal]\r\ncod_empresa=1\r\n" + ruvenal);
    auto janela = std::make_unique<TFRuvenal>(pasta);
    if (!janela->FormCreate())
        qFatal("start-up failed: %s", qPrintable(mensagens.mostradas.join('\n')));
    janela->show();
    // Painting starts once the window is on screen.
    while (!janela->windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return janela;
}
