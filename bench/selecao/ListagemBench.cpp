// The per-client listing of one company with 22,500 clients over 500,000 receivables: the time from the
// click on the list button to the totals shown and painted, beside the server's time for the same
// statement read by the client library alone; then scrolling the 20,250 listed rows a page at a time.
// Medians of single runs. Needs MYSQL_UNIX_PORT; the database is generated once and kept.
#include "app/TabExporta.h"
#include "app/TabImportar.h"
#include "app/TabSegundaVia.h"
#include "app/UGeraBoletoBancos.h"
#include "bench/dados/BaseGrande.h"
#include "bench/dados/Janela.h"
#include "db/Connection.h"
#include "selection/Listagem.h"
#include "tests/support/MensagensGravadas.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWindow>
#include <benchmark/benchmark.h>

namespace {

const QString banco = QStringLiteral("ruvenal_bench_selecao");
// Every tenth client has only settled receivables, so 22,500 clients list 20,250 rows.
constexpr int Clientes = 22500;
constexpr int Receber = 500000;

// Every client in company 1, so that its listing has one row per client.
void preparaBase() {
    garanteBaseGrande(banco, Clientes, Receber, 1);
}

// The started window of an installation over the large database, its period covering every sale.
struct Programa {
    Programa() {
        janela = janelaNaTela(pasta.path(), banco, RUVENAL_PLUGIN, {}, mensagens);
        janela->tabExporta->dtDataInicial->setDate(QDate::currentDate().addDays(-800));
        janela->tabExporta->dtDataFinal->setDate(QDate::currentDate());
    }
    // The statement the window sends for this listing.
    QString comando(Connection &c) const {
        const Periodo p{QStringLiteral("datahora"), janela->tabExporta->dtDataInicial->date(),
                        janela->tabExporta->dtDataFinal->date(), janela->tabExporta->dtHoraInicial->text(),
                        janela->tabExporta->dtHoraFinal->text()};
        return sqlListaClientes(c, p, 1, false, {});
    }

    QTemporaryDir pasta;
    MensagensGravadas mensagens;
    std::unique_ptr<TFRuvenal> janela;
};

// Made on first use and destroyed by main while the application object still exists: a window
// destroyed after it (as a function's static would be, at exit) crashes.
std::unique_ptr<Programa> programaAtual;

Programa &programa() {
    if (!programaAtual)
        programaAtual = std::make_unique<Programa>();
    return *programaAtual;
}

// Each run lists twice, the server alone and the window, so that both see the same load; the run's
// time is the window's, the counters give the server's and the ratio.
void ListagemPorCliente(benchmark::State &state) {
    TFRuvenal &j = *programa().janela;
    Connection escapa;
    escapa.configura(QString(), banco, senhaPadrao());
    cronometraContraServidor(state, banco, programa().comando(escapa).toUtf8(),
                             [&j] { j.tabExporta->sbListarFunc->click(); });
    state.counters["linhas"] = j.tabExporta->dbFuncs->model()->rowCount();
    if (!programa().mensagens.mostradas.isEmpty())
        state.SkipWithError(qPrintable(programa().mensagens.mostradas.join('\n')));
}

// One page down and its repaint, through the whole listing.
void Rolagem(benchmark::State &state) {
    TFRuvenal &j = *programa().janela;
    if (j.tabExporta->dbFuncs->model()->rowCount() == 0)
        j.tabExporta->sbListarFunc->click();
    QScrollBar *barra = j.tabExporta->dbFuncs->verticalScrollBar();
    for (auto _ : state) {
        const int proxima = barra->value() + barra->pageStep();
        barra->setValue(proxima > barra->maximum() ? 0 : proxima);
        j.tabExporta->dbFuncs->viewport()->repaint();
    }
    state.counters["linhas"] = j.tabExporta->dbFuncs->model()->rowCount();
}

} // namespace

BENCHMARK(ListagemPorCliente)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1)->Repetitions(10);
BENCHMARK(Rolagem)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv) {
    return rodaBenchmarksDaJanela(argc, argv, preparaBase, [] { programaAtual.reset(); });
}
