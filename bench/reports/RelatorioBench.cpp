// A report of 100,000 rows laid out, paginated and saved; the viewer is not started.

#include "reports/ClassImpressao.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void RelatorioGrande(benchmark::State &state) {
    const int linhas = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    const QString arquivo = dir.filePath("Relatorio.txt");
    for (auto _ : state) {
        TImpres impres;
        impres.SetIniciador([](const QString &, const QStringList &) { return true; });
        for (int i = 0; i < 6; ++i)
            impres.EscreveCabecalho(impres.CompletaDireita("-", 127, "-"), 3);
        for (int i = 0; i < linhas; ++i)
            impres.Escreve(QString::asprintf("%12d %12d   09/12/2026 %13s  %-40s", 100000 + i, 500000 + i,
                                             "1.234,56", "JOSÉ DA SILVA ÇÃO COMÉRCIO DE ALIMENTOS LT"),
                           3);
        impres.Visualiza(arquivo);
    }
    state.SetItemsProcessed(state.iterations() * linhas);
}

BENCHMARK(RelatorioGrande)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
