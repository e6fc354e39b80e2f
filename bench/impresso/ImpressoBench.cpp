// A large store's batch of boletos printed to PDF, by our writer and, for comparison, by Qt's
// (QPdfWriter under the painter that serves the printer), in one run on the same pages.

#include "Exemplos.h"

#include "bench/dados/Memoria.h"

#include "bolix/core/Boleto.h"
#include "bolix/core/pix/BrCode.h"
#include "bolix/impresso/ConteudoBoleto.h"
#include "bolix/impresso/ImpressaoBoletos.h"
#include "bolix/impresso/PinturaBoleto.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPdfWriter>
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

// One batch: the account, its documents (with the bank's Pix QR when asked) and the print settings with
// the bank's logo.
struct Lote {
    ContaConfigurada conta = exemplos::contaBancoDoBrasil();
    QList<Documento> docs = documentos(1'000);
    QTemporaryDir pasta;
    OpcoesImpressao opcoes;

    explicit Lote(bool comPix = false) {
        for (qsizetype i = 0; comPix && i < docs.size(); ++i)
            docs[i].pixCopiaECola = brCodeDaLocation(
                QStringLiteral("pix.example.com/qr/v2/cobv/%1").arg(i, 32, 10, QLatin1Char('0')),
                QStringLiteral("LOJA EXEMPLO LTDA"), QStringLiteral("CURITIBA"));
        conta.localPagamento =
            QStringLiteral("Até o vencimento pagável em qualquer banco do sistema de compensação.");
        opcoes.pasta = pasta.path();
        opcoes.impressora = false;
        opcoes.arquivoLogotipo = pasta.filePath(QStringLiteral("001.png"));
        QImage logo(600, 160, QImage::Format_RGB32);
        logo.fill(Qt::darkYellow);
        logo.save(opcoes.arquivoLogotipo);
    }
};

// `grava` writes the batch to a PDF and returns its path.
template <typename Gravacao> void mede(benchmark::State &state, Gravacao grava, bool comPix = false) {
    const Lote lote(comPix);
    recomecaPicoDeMemoria();
    for (auto _ : state) {
        const QString pdf = grava(lote);
        state.PauseTiming();
        state.counters["bytes"] = static_cast<double>(QFileInfo(pdf).size());
        QFile::remove(pdf);
        state.ResumeTiming();
    }
    state.counters["picoKB"] = picoDeMemoriaKb();
}

void MilBoletosEmPdf(benchmark::State &state) {
    mede(state, [](const Lote &l) { return imprimeBoletos(l.conta, l.docs, l.opcoes, hoje); });
}

// The same batch, each boleto with its Pix QR: to stay within 1.5 times the batch without.
void MilBoletosComPixEmPdf(benchmark::State &state) {
    mede(
        state, [](const Lote &l) { return imprimeBoletos(l.conta, l.docs, l.opcoes, hoje); }, true);
}

// The same pages through QPdfWriter, the writer the batch used before ours.
void MilBoletosEmPdfDoQt(benchmark::State &state) {
    mede(state, [](const Lote &l) {
        QList<ConteudoBoleto> paginas;
        for (const Documento &d : l.docs)
            paginas.append(conteudoBoleto(l.conta, d, calculaBoleto(l.conta, d)));
        const QImage logo(l.opcoes.arquivoLogotipo);
        const QString caminho = l.pasta.filePath(QStringLiteral("qt.pdf"));
        QPdfWriter pdf(caminho);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        pdf.setResolution(1200);
        desenhaBoletos(pdf, paginas, logo, l.opcoes.margemSuperior);
        return caminho;
    });
}

BENCHMARK(MilBoletosEmPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);
BENCHMARK(MilBoletosComPixEmPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);
BENCHMARK(MilBoletosEmPdfDoQt)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

} // namespace

// Qt's writer needs fonts, so a graphical application; offscreen keeps the print dialog away.
int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
