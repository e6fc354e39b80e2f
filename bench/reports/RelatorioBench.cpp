// A printed-boletos report of 100,000 rows formatted, laid out, paginated and saved; the viewer is not
// started.

#include "reports/ClassImpressao.h"
#include "reports/RelatorioBoletos.h"
#include "util/Regional.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void RelatorioGrande(benchmark::State &state) {
    const int linhas = static_cast<int>(state.range(0));
    const QDateTime datahora(QDate(2026, 12, 9), QTime(10, 30));
    const QString nome = QStringLiteral("JOSÉ DA SILVA ÇÃO COMÉRCIO DE ALIMENTOS LTDA ME");
    QTemporaryDir dir;
    const QString arquivo = dir.filePath("Relatorio.txt");
    for (auto _ : state) {
        TImpres impres;
        impres.SetIniciador([](const QString &, const QStringList &) { return true; });
        for (int i = 0; i < 6; ++i)
            impres.EscreveCabecalho(impres.CompletaDireita("-", 127, "-"), 3);
        Money soma;
        for (int i = 0; i < linhas; ++i) {
            const Money valor = Money::deCentavos(123456 + i);
            soma += valor;
            impres.Escreve(
                LinhaBoleto(QString::number(100000 + i), QString::number(500000 + i), datahora, valor, nome),
                3);
        }
        impres.Escreve(LinhaTotalBoletos(linhas, soma), 3);
        impres.Visualiza(arquivo);
    }
    state.SetItemsProcessed(state.iterations() * linhas);
}

BENCHMARK(RelatorioGrande)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

// Visualiza looks for the viewer in the program's folder, which needs the application object.
int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    Regional::definir(Regional::brasileiro());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
