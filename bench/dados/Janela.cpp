#include "bench/dados/Janela.h"

#include "util/Regional.h"

#include <QApplication>
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
