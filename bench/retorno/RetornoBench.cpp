// "Ler Arquivo" of a boleto return with 20,000 paid titles (two receivables each) and "Processar" of a
// direct-debit return with 5,000 paid debits over 10,000 receivables, on the large database (22,500
// clients, 500,000 receivables), each clicked in the started window. Beside each, its floor: the requests
// that the click sent (for "Processar", the record of each settled row included), taken from the server's
// general log of a first run, replayed through the client library alone in the same process. Each at a
// round trip (the argument, in ms) of 0, the server's own socket, and of 1 and 20 through a delaying
// proxy, window and floor alike; counters: the round trips of the click per title and, for "Processar",
// the longest the progress bar stood still. Medians of single runs. Needs MYSQL_UNIX_PORT.
#include "app/TabExporta.h"
#include "app/TabImportar.h"
#include "app/TabSegundaVia.h"
#include "app/UGeraBoletoBancos.h"
#include "bench/dados/Arquivo.h"
#include "bench/dados/BaseGrande.h"
#include "bench/dados/Janela.h"
#include "bench/dados/SoServidor.h"
#include "bench/rede/ProxyLento.h"
#include "boleto/ObjetoBolix.h"
#include "db/Connection.h"
#include "forms/CamposArquivo.h"
#include "tests/support/MensagensGravadas.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>

namespace {

const QString banco = QStringLiteral("ruvenal_bench_retorno");
constexpr int Clientes = 22500;
constexpr int Receber = 500000;
// Receivables 1 to 40,000 carry the documents 1 to 20,000, two each; 40,001 to 50,000 the debits 20,001 to
// 25,000, two each.
constexpr int Titulos = 20000;
constexpr int Debitos = 5000;
constexpr int PrimeiroDebito = 2 * Titulos + 1;
constexpr int UltimoDebito = PrimeiroDebito + 2 * Debitos - 1;

Connection &servidor() {
    static Connection c;
    static bool pronta = false;
    if (!pronta) {
        c.configura(QString(), QString(), senhaPadrao());
        pronta = true;
    }
    return c;
}

void preparaBase() {
    garanteBaseGrande(banco, Clientes, Receber);
    Connection &c = servidor();
    c.executa(QStringLiteral("use ") + banco);
    // The charges as the generation run leaves them: document numbers and debit identifiers, open
    // receivables of one unit.
    c.executa(
        QStringLiteral("update receber set numero_documento = lpad(ceil(receber_id / 2), 10, '0'), "
                       "apagado = 'N', quantidade = 1, amort = 0, valortotal = valor where receber_id <= %1")
            .arg(2 * Titulos));
    c.executa(QStringLiteral("update receber set lojas_leram2 = lpad(ceil(receber_id / 2), 8, '0'), "
                             "apagado = 'N', quantidade = 1 where receber_id between %1 and %2")
                  .arg(PrimeiroDebito)
                  .arg(UltimoDebito));
}

// Back to the state before a settlement: the debits' receivables open, no movements, no balances, no
// record of the settlement (the next loading creates its table again).
void desfazBaixa() {
    Connection &c = servidor();
    c.executa(QStringLiteral("drop table if exists ruvenal_baixas"));
    c.executa(QStringLiteral("update receber set amort = 0, valortotal = valor, lojas_leram = null, "
                             "dtalteracao = null where receber_id between %1 and %2")
                  .arg(PrimeiroDebito)
                  .arg(UltimoDebito));
    c.executa(QStringLiteral("delete from movment"));
    // From the same first number each time, which the replayed requests check.
    c.executa(QStringLiteral("truncate table nlanc"));
    c.executa(QStringLiteral("update clientes set saldomes = 0, lojas_leram = null, lojas_leram2 = null "
                             "where saldomes <> 0"));
}

QString linhaDebito(int chave, qint64 centavos) {
    return (QStringLiteral("F ") + QStringLiteral("%1").arg(chave, 8, 10, QLatin1Char('0')) +
            QString(42, u' ') + QStringLiteral("%1").arg(centavos, 15, 10, QLatin1Char('0')) +
            QStringLiteral("00"))
        .leftJustified(150);
}

// Each debit pays its two receivables in full.
QByteArray retornoDebito() {
    const ResultSet r = servidor().abre(
        QStringLiteral(
            "select lojas_leram2, round(sum(valor) * 100) from receber where receber_id between %1 and "
            "%2 group by lojas_leram2 order by lojas_leram2")
            .arg(PrimeiroDebito)
            .arg(UltimoDebito));
    QStringList linhas{
        (QStringLiteral("A2") + QString(79, u' ') + QStringLiteral("DEBITO AUTOMATICO")).leftJustified(150)};
    for (int l = 0; l < r.linhas(); ++l)
        linhas << linhaDebito(r.valor(l, 0).inteiro(), r.valor(l, 1).inteiroLongo());
    linhas << QStringLiteral("Z").leftJustified(150);
    return (linhas.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

// The remittance of the 20,000 documents through the component, answered by the bank simulator.
void retornoBoleto(const QString &pasta) {
    const boleto::ObjetoBolix bolix = boleto::ObjetoBolix::cria(pasta);
    for (auto [membro, valor] : {std::pair{"CodigoAgencia", "1584"},
                                 {"NumeroContaCorrente", "210169"},
                                 {"CodigoCedente", "1234567"},
                                 {"OutroDadoConfiguracao1", "A"},
                                 {"InicioNossoNumero", "0000000000"},
                                 {"FimNossoNumero", "9999999999"}})
        bolix.set(QLatin1String(membro), QString::fromLatin1(valor));
    bolix.call(QStringLiteral("ConfiguraContaCorrente"));
    const ResultSet r =
        servidor().abre(QStringLiteral("select numero_documento, sum(valor) from receber where "
                                       "receber_id <= %1 group by numero_documento")
                            .arg(2 * Titulos));
    const QString vencimento = QDate::currentDate().addDays(10).toString(QStringLiteral("dd/MM/yyyy"));
    for (int l = 0; l < r.linhas(); ++l) {
        const boleto::ObjetoBolix doc(bolix.call(QStringLiteral("DocumentosCobranca.Add")).toObject());
        const QString numero = r.valor(l, 0).texto();
        doc.set(QStringLiteral("NumeroDocumento"), numero);
        doc.set(QStringLiteral("NossoNumero"), numero);
        doc.set(QStringLiteral("NomeSacado"), QStringLiteral("CLIENTE ") + numero);
        doc.set(QStringLiteral("CPFSacado"), QStringLiteral("123.456.789-09"));
        doc.set(QStringLiteral("EnderecoSacado"), QStringLiteral("RUA UM 10"));
        doc.set(QStringLiteral("CidadeSacado"), QStringLiteral("SAO PAULO"));
        doc.set(QStringLiteral("EstadoSacado"), QStringLiteral("SP"));
        doc.set(QStringLiteral("CepSacado"), QStringLiteral("01000000"));
        doc.set(QStringLiteral("DataDocumento"), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
        doc.set(QStringLiteral("DataVencimento"), vencimento);
        doc.set(QStringLiteral("ValorDocumento"), r.valor(l, 1).dinheiro().toCurrency());
    }
    bolix.set(QStringLiteral("ArquivoRemessa.Diretorio"), pasta);
    bolix.set(QStringLiteral("ArquivoRemessa.Arquivo"), QStringLiteral("remessa.rem"));
    bolix.set(QStringLiteral("ArquivoRemessa.Sequencia"), 1);
    bolix.call(QStringLiteral("GravaArquivoRemessa"));
    QProcess simulador;
    simulador.start(QStringLiteral(RUVENAL_SIMULADOR), {QDir(pasta).filePath(QStringLiteral("remessa.rem")),
                                                        QDir(pasta).filePath(QStringLiteral("CB.ret"))});
    if (!simulador.waitForFinished(600000) || simulador.exitCode() != 0)
        qFatal("simulador_banco: %s", simulador.readAllStandardError().constData());
}

// The started window of an installation of Banco do Brasil over the large database.
struct Programa {
    Programa() {
        const QString p = pasta.path();
        gravaArquivoDoBench(
            QDir(p).filePath(QStringLiteral("bolix.ini")),
            "[Bolix]\r\nbanco=001\r\ncarteira=17\r\ntamanho_convenio=7\r\nnome_beneficiario=LOJA MODELO "
            "LTDA\r\n"
            "inscricao_beneficiario=12345678000195\r\nimprimir=N\r\n");
        qputenv("BOLIX_INI", QDir(p).filePath(QStringLiteral("bolix.ini")).toLocal8Bit());
        registraBolix(p, RUVENAL_PLUGIN);
        std::fprintf(stderr, "writing the 20,000-title return...\n");
        retornoBoleto(p);
        gravaArquivoDoBench(QDir(p).filePath(QStringLiteral("debito.ret")), retornoDebito());
        janela = janelaNaTela(p, banco, RUVENAL_PLUGIN,
                              "banco=11\r\nnum_agencia=1584\r\nconta_corrente=210169\r\n"
                              "identificacao_empresa=1234567\r\nnossonumero=1\r\n",
                              mensagens);
        janela->pcPrincipal->setCurrentWidget(janela->tabImportarRet);
    }
    void le(const char *arquivo) {
        janela->tabImportarRet->fnLocalLeitura->setText(QDir(pasta.path()).filePath(QLatin1String(arquivo)));
        janela->tabImportarRet->butLerArquivo->click();
    }
    int linhas() const { return janela->tabImportarRet->dbLista->model()->rowCount(); }
    // The window's connection from now on: across a network of this round trip. Returns the host.
    QString rede(int ms) {
        const QString host = HostComIdaEVolta(ms);
        janela->contexto().conexao().fecha();
        janela->contexto().conexao().configura(host, banco, senhaPadrao());
        return host;
    }

    QTemporaryDir pasta;
    MensagensGravadas mensagens;
    std::unique_ptr<TFRuvenal> janela;
};

// Made on first use, gone before the application object.
std::unique_ptr<Programa> &instalado() {
    static std::unique_ptr<Programa> p;
    return p;
}

Programa &programa() {
    if (!instalado())
        instalado() = std::make_unique<Programa>();
    return *instalado();
}

// Seconds of processor time this thread has used: unlike the elapsed time, it barely moves with the load
// of the rest of the machine, so it tells the client's own work apart from waiting for the server.
double cpuDaThread() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Each run measures the window and the floor, alternating which goes first, both across the network of the
// benchmark's argument; `titulos` is what the click works through.
template <typename Clique, typename Prepara>
void mede(benchmark::State &state, const QList<QByteArray> &comandos, Clique clique, Prepara prepara,
          int titulos) {
    Programa &p = programa();
    const QString host = p.rede(int(state.range(0)));
    SoServidor soServidor(banco, host);
    static int vez = 0;
    const bool servidorPrimeiro = vez++ % 2 == 0;
    double piso = 0, janela = 0, cpuPiso = 0, cpuJanela = 0;
    qint64 idas = 0;
    const auto medePiso = [&] {
        prepara();
        const double cpu = cpuDaThread();
        piso = soServidor.cronometra(comandos);
        cpuPiso = cpuDaThread() - cpu;
    };
    for (auto _ : state) {
        if (servidorPrimeiro)
            medePiso();
        prepara();
        const double cpu = cpuDaThread();
        const qint64 pedidos = p.janela->contexto().conexao().pedidos();
        QElapsedTimer t;
        t.start();
        clique();
        QApplication::processEvents();
        janela = double(t.nsecsElapsed()) / 1e9;
        cpuJanela = cpuDaThread() - cpu;
        idas = p.janela->contexto().conexao().pedidos() - pedidos;
        state.SetIterationTime(janela);
        if (!servidorPrimeiro)
            medePiso();
    }
    state.counters["piso_ms"] = piso * 1000;
    state.counters["razao"] = janela / piso;
    state.counters["cpu_piso_ms"] = cpuPiso * 1000;
    state.counters["cpu_janela_ms"] = cpuJanela * 1000;
    state.counters["comandos"] = double(comandos.size());
    state.counters["idas_por_titulo"] = double(idas) / titulos;
}

void LerArquivoBoleto(benchmark::State &state) {
    Programa &p = programa();
    static const QList<QByteArray> comandos =
        RequisicoesDoClique([&] { p.le("CB.ret"); }, "Select Sum(valortotal)");
    mede(
        state, comandos, [&] { p.le("CB.ret"); }, [] {}, Titulos);
    state.counters["linhas"] = p.linhas();
}

void ProcessarDebitos(benchmark::State &state) {
    Programa &p = programa();
    const auto carrega = [&] {
        desfazBaixa();
        p.le("debito.ret");
    };
    // The longest the progress bar stood still during the click, its start and end included.
    QElapsedTimer relogio;
    qint64 ultima = 0, maiorPausa = 0;
    const auto anda = [&] {
        if (!relogio.isValid())
            return; // loading the list
        maiorPausa = std::max(maiorPausa, relogio.elapsed() - ultima);
        ultima = relogio.elapsed();
    };
    const auto processa = [&] {
        relogio.start();
        ultima = maiorPausa = 0;
        p.janela->tabImportarRet->butProcessar->click();
        anda();
        relogio.invalidate();
    };
    const QMetaObject::Connection observa =
        QObject::connect(p.janela->tabImportarRet->pbRetorno, &QProgressBar::valueChanged, anda);
    p.rede(0);
    carrega();
    static const QList<QByteArray> comandos = RequisicoesDoClique(processa, "Update receber set valor");
    mede(state, comandos, processa, carrega, Debitos);
    QObject::disconnect(observa);
    state.counters["linhas"] = p.linhas();
    state.counters["movimentos"] =
        double(servidor().abre(QStringLiteral("select count(*) from movment")).valor(0, 0).inteiroLongo());
    state.counters["maior_pausa_ms"] = double(maiorPausa);
}

} // namespace

BENCHMARK(LerArquivoBoleto)->Apply(EmCadaIdaEVolta);
BENCHMARK(ProcessarDebitos)->Apply(EmCadaIdaEVolta);

int main(int argc, char **argv) {
    return rodaBenchmarksDaJanela(argc, argv, preparaBase, [] { instalado().reset(); });
}
