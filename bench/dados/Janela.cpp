#include "bench/dados/Janela.h"

#include "bench/dados/SoServidor.h"
#include "util/Regional.h"

#include <QApplication>
#include <QElapsedTimer>
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
