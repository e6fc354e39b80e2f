// A large store's batch of boletos printed to PDF.

#include "Exemplos.h"

#include "bolix/impresso/ImpressaoBoletos.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace bolix;

namespace {

const QDate hoje(2025, 11, 20);

// The shared test payer, varied per document so no two pages are alike.
QList<Documento> documentos(int quantidade) {
    QList<Documento> docs;
    docs.reserve(quantidade);
    for (int i = 0; i < quantidade; ++i) {
        Documento d =
            exemplos::documento(QString::number(i + 1).rightJustified(10, u'0'), QString::number(i + 1));
        d.nomeSacado += QStringLiteral(" %1").arg(i);
        d.valorDocumento += i * 100;
        d.valorJurosDiaAtraso = 3'300;
        d.valorMultaAtraso = i % 2 ? 20'000 : 0;
        d.instrucoesCaixa = QStringLiteral("Não receber após 30 dias do vencimento.");
        d.demonstrativo = QStringLiteral("Compras do mês<br>Parcela 1 de 1<br>");
        docs.append(d);
    }
    return docs;
}

void MilBoletosEmPdf(benchmark::State &state) {
    ContaConfigurada c = exemplos::contaBancoDoBrasil();
    c.localPagamento =
        QStringLiteral("Até o vencimento pagável em qualquer banco do sistema de compensação.");
    const QList<Documento> docs = documentos(1'000);
    QTemporaryDir pasta;
    OpcoesImpressao opcoes;
    opcoes.pasta = pasta.path();
    opcoes.arquivoLogotipo = pasta.filePath(QStringLiteral("001.png"));
    QImage logo(600, 160, QImage::Format_RGB32);
    logo.fill(Qt::darkYellow);
    logo.save(opcoes.arquivoLogotipo);
    for (auto _ : state) {
        const QString pdf = imprimeBoletos(c, docs, opcoes, hoje);
        state.PauseTiming();
        state.counters["bytes"] = static_cast<double>(QFileInfo(pdf).size());
        QFile::remove(pdf);
        state.ResumeTiming();
    }
}
BENCHMARK(MilBoletosEmPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

} // namespace

// Fonts need a graphical application; offscreen keeps the print dialog away.
int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
