// The "2ª via" tab's listing over 100,000 issued boletos of 22,500 clients, filtered by a client code that
// also matches other clients' names: the time from the click on "Pesquisar" to the rows painted, beside the
// server's time for the same statement read by the client library alone. Medians of single runs. Needs
// MYSQL_UNIX_PORT; the database is generated once and kept.
#include "app/TabSegundaVia.h"
#include "app/UGeraBoletoBancos.h"
#include "bench/dados/Arquivo.h"
#include "bench/dados/BaseGrande.h"
#include "bench/dados/Janela.h"
#include "db/Connection.h"
#include "generation/BoletosEmitidos.h"
#include "generation/SegundaVia.h"
#include "retorno/BaixasRegistradas.h"
#include "tests/support/MensagensGravadas.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QWindow>
#include <benchmark/benchmark.h>

namespace {

const QString banco = QStringLiteral("ruvenal_bench_segundavia");
constexpr int Clientes = 22500;
constexpr int Boletos = 100000;
// A code, and a part of some clients' names: the filter that cannot use an index.
const QString FiltroCliente = QStringLiteral("1234");

// One boleto per receivable, its number written back; every third one settled through a return.
void preparaBase() {
    garanteBaseGrande(banco, Clientes, Boletos, 1);
    Connection c;
    c.configura(QString(), banco, senhaPadrao());
    c.executa(sqlCriaBoletosEmitidos());
    c.executa(sqlCriaBaixasRegistradas());
    if (c.abre(QStringLiteral("select count(*) from ruvenal_boletos")).valor(0, 0).inteiro() == Boletos)
        return;
    c.executa(QStringLiteral("truncate ruvenal_boletos"));
    c.executa(QStringLiteral("truncate ruvenal_baixas"));
    c.executa(QStringLiteral(
        "insert into ruvenal_boletos (tipo_sacado, codigo, banco, carteira, agencia, conta, convenio, "
        "nosso_numero, numero_documento, valor, vencimento, emissao, processamento, nome_sacado, cpf_sacado, "
        "endereco_sacado, sequencia_remessa, emitido_em, filial_id, num_caixa) select 'C', r.clientes_id, "
        "'001', '17', '1584', '210169', '1234567', concat('1234567', lpad(r.receber_id, 10, '0')), "
        "lpad(r.receber_id, 10, '0'), r.valortotal + 1, date(r.datahora) + interval 10 day, "
        "date(r.datahora), "
        "date(r.datahora), k.nome, k.cpf, k.endereco, 1 + r.receber_id div 100, r.datahora, 1, 1 from "
        "receber "
        "r join clientes k on k.clientes_id = r.clientes_id order by r.receber_id"));
    c.executa(QStringLiteral("update receber set numero_documento = lpad(receber_id, 10, '0')"));
    c.executa(QStringLiteral(
        "insert into ruvenal_baixas select 'B', numero_documento, '20260101', valor, 'B', '', emitido_em + "
        "interval 1 day, 1, 1 from ruvenal_boletos where boleto_id mod 3 = 0"));
}

struct Programa {
    Programa() {
        janela = janelaNaTela(pasta.path(), banco, RUVENAL_PLUGIN, {}, mensagens);
        janela->pcPrincipal->setCurrentWidget(janela->tabSegundaVia);
        janela->tabSegundaVia->edCliente->setText(FiltroCliente);
    }

    QTemporaryDir pasta;
    MensagensGravadas mensagens;
    std::unique_ptr<TFRuvenal> janela;
};

std::unique_ptr<Programa> programaAtual;

Programa &programa() {
    if (!programaAtual)
        programaAtual = std::make_unique<Programa>();
    return *programaAtual;
}

// Each run lists twice, the server alone and the window, alternating which goes first.
void ListagemPorCliente(benchmark::State &state) {
    TabSegundaVia &aba = *programa().janela->tabSegundaVia;
    Connection escapa;
    escapa.configura(QString(), banco, senhaPadrao());
    FiltroBoletos filtro;
    filtro.cliente = FiltroCliente;
    cronometraContraServidor(state, banco, sqlListaBoletosEmitidos(escapa, filtro).toUtf8(),
                             [&aba] { aba.bPesquisar->click(); });
    state.counters["linhas"] = aba.dbBoletos->model()->rowCount();
    if (!programa().mensagens.mostradas.isEmpty())
        state.SkipWithError(qPrintable(programa().mensagens.mostradas.join('\n')));
}

} // namespace

BENCHMARK(ListagemPorCliente)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1)->Repetitions(10);

int main(int argc, char **argv) {
    return rodaBenchmarksDaJanela(argc, argv, preparaBase, [] { programaAtual.reset(); });
}
