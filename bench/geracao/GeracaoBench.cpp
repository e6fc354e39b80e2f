// "Gerar Arquivo" for 2,000 marked clients of one company on a generated database (bank 001, no printing,
// remittance written): the time from the click to the remittance message, beside the floor measured in the
// same process: the requests the click sent (taken from the server's general log of a first run, less the
// record of issued boletos and its table's creation) replayed through the client library alone, plus the
// component's typed core building and writing the same documents alone. Each at a round trip (the
// argument, in ms) of 0, the server's own socket, and of 1 and 20 through a delaying proxy, window and
// floor alike; counters: the click's round trips per client and the longest the progress bar stood still.
// Medians of single runs. Needs MYSQL_UNIX_PORT; the database is generated once and kept.
#include "app/TabExporta.h"
#include "app/TabImportar.h"
#include "app/TabSegundaVia.h"
#include "app/UGeraBoletoBancos.h"
#include "bench/dados/Arquivo.h"
#include "bench/dados/BaseGrande.h"
#include "bench/dados/SoServidor.h"
#include "bench/rede/ProxyLento.h"
#include "bolix/core/Configuracao.h"
#include "bolix/core/cnab/Remessa.h"
#include "db/Connection.h"
#include "generation/Documentos.h"
#include "tests/bolix/Exemplos.h"
#include "tests/support/MensagensGravadas.h"
#include "util/Regional.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <benchmark/benchmark.h>

namespace {

const QString banco = QStringLiteral("ruvenal_bench_geracao");
// All in company 1; about 2,200 clients have open receivables in the period.
constexpr int Clientes = 2400;
constexpr int Receber = 60000;
constexpr int Marcados = 2000;

// The started window over the generated database, its period covering every sale, the first 2,000 clients
// of its listing marked.
struct Programa {
    Programa() {
        const QByteArray dir = pasta.path().toUtf8();
        gravaArquivoDoBench(arquivo("automation.ini"),
                            "[ProgIDs]\r\nBolix.ContaCorrente=" RUVENAL_PLUGIN "\r\n");
        gravaArquivoDoBench(
            arquivo("bolix.ini"),
            "[Bolix]\r\nbanco=001\r\ncarteira=17\r\ntamanho_convenio=7\r\n"
            "nome_beneficiario=LOJA\r\ninscricao_beneficiario=12345678000195\r\nimprimir=N\r\n");
        qputenv("BOLIX_INI", arquivo("bolix.ini").toLocal8Bit());
        gravaArquivoDoBench(arquivo("sistema_zel.ini"),
                            "[ip]\r\ndatabase=" + banco.toUtf8() +
                                "\r\nlocal=\r\n[FilialMatriz]\r\nCodFisica=1\r\nCodLogica=1\r\n"
                                "[Ruvenal]\r\ncod_empresa=1\r\nbanco=11\r\ncarteira=17\r\n"
                                "configurado=1\r\nnum_agencia=1584\r\nconta_corrente=210169\r\n"
                                "identificacao_empresa=1234567\r\nnossonumero=1\r\n"
                                "endereco_destino=" +
                                dir + "\r\n");
        janela = std::make_unique<TFRuvenal>(pasta.path());
        if (!janela->FormCreate())
            qFatal("start-up failed: %s", qPrintable(mensagens.mostradas.join('\n')));
        janela->show();
        janela->tabExporta->dtDataInicial->setDate(QDate::currentDate().addDays(-800));
        janela->tabExporta->dtDataFinal->setDate(QDate::currentDate());
        janela->tabExporta->sbListarFunc->click();
        ResultSet &lista = *janela->tabExporta->QListaFunc();
        if (lista.linhas() < Marcados)
            qFatal("only %d clients listed", lista.linhas());
        for (int i = 0; i < Marcados; ++i)
            lista.define(i, lista.indice("marcado"), QStringLiteral("S"));
    }
    QString arquivo(const char *nome) const { return QDir(pasta.path()).filePath(QLatin1String(nome)); }
    Connection &conexao() { return janela->contexto().conexao(); }
    // The window's connection from now on: across a network of this round trip. Returns the host.
    QString rede(int ms) {
        const QString host = HostComIdaEVolta(ms);
        conexao().fecha();
        conexao().configura(host, banco, senhaPadrao());
        return host;
    }

    QTemporaryDir pasta;
    MensagensGravadas mensagens;
    std::unique_ptr<TFRuvenal> janela;
};

Programa &programa() {
    static Programa p;
    return p;
}

// The requests of a click, less those that record the issued boletos or create their table: the floor.
const QList<QByteArray> &requisicoesDoPiso() {
    static const QList<QByteArray> piso = [] {
        programa().rede(0);
        QList<QByteArray> r = RequisicoesDoClique([] { programa().janela->tabExporta->bGerar->click(); },
                                                  "update receber set numero_documento");
        r.removeIf([](const QByteArray &requisicao) {
            const QByteArray texto = requisicao.trimmed().toLower();
            return texto.startsWith("insert into ruvenal_boletos") || texto.startsWith("create table");
        });
        return r;
    }();
    return piso;
}

// The component's core alone: the same account and documents, typed, and the same remittance written.
void documentosNoNucleo(const ResultSet &lista, const QString &pasta, int sequencia) {
    // The run's account: Banco do Brasil, agency 1584, account 210169, convênio 1234567.
    bolix::Conta conta = exemplos::conta(exemplos::exemploBanco("BB7"));
    const bolix::ContaConfigurada configurada =
        bolix::configuraConta(conta, bolix::lerConfiguracao(qEnvironmentVariable("BOLIX_INI")));
    QList<bolix::Documento> docs;
    const QDate hoje = QDate::currentDate();
    for (int i = 0; i < Marcados; ++i) {
        bolix::Documento d;
        d.numeroDocumento = NumeroDocumento(lista.valor(i, "numlanc").texto());
        d.nomeSacado = lista.valor(i, "nome").texto();
        const QString cgc = lista.valor(i, "cgc").texto();
        (cgc.size() > 11 ? d.cnpjSacado : d.cpfSacado) = cgc;
        d.enderecoSacado = lista.valor(i, "endereco").texto() + u' ' + lista.valor(i, "numero1").texto();
        d.bairroSacado = lista.valor(i, "bairro").texto();
        d.cidadeSacado = lista.valor(i, "cidade").texto();
        d.estadoSacado = lista.valor(i, "uf").texto();
        d.cepSacado = lista.valor(i, "cep").texto();
        d.dataDocumento = d.dataProcessamento = hoje;
        d.dataVencimento = hoje;
        d.valorDocumento = lista.valor(i, "totalcomjuros").dinheiro().unidades();
        d.tipoDocumentoCobranca = QStringLiteral("RC");
        d.nossoNumero = QStringLiteral("%1").arg(i + 1, 10, 10, QLatin1Char('0'));
        docs << d;
    }
    bolix::gravaArquivoRemessa(configurada, docs,
                               {pasta, QStringLiteral("piso.rem"), QStringLiteral("FEBRABAN240"), sequencia},
                               QDateTime::currentDateTime());
}

// Each repetition runs the window and the floor, in alternating order so that neither always finds the
// server's caches warmer; the run's time is the window's, the counters give the floor and the ratio.
void GeracaoPorCliente(benchmark::State &state) {
    Programa &p = programa();
    TFRuvenal &j = *p.janela;
    const QList<QByteArray> &sql = requisicoesDoPiso();
    const QString host = p.rede(int(state.range(0)));
    SoServidor servidor(banco, host);
    double sqlSo = 0, nucleoSo = 0, rodada = 0;
    qint64 idas = 0;
    static int vez = 0;
    const bool pisoPrimeiro = vez++ % 2 == 0;
    const auto mede = [&] {
        sqlSo = servidor.cronometra(sql);
        QElapsedTimer t;
        t.start();
        documentosNoNucleo(*j.tabExporta->QListaFunc(), p.pasta.path(), vez);
        nucleoSo = double(t.nsecsElapsed()) / 1e9;
    };
    // The longest the progress bar stood still during the click, its start and end included.
    QElapsedTimer relogio;
    qint64 ultima = 0, maiorPausa = 0;
    const auto anda = [&] {
        if (relogio.isValid()) {
            maiorPausa = std::max(maiorPausa, relogio.elapsed() - ultima);
            ultima = relogio.elapsed();
        }
    };
    const QMetaObject::Connection observa =
        QObject::connect(j.tabExporta->pbGeracao, &QProgressBar::valueChanged, anda);
    for (auto _ : state) {
        if (pisoPrimeiro)
            mede();
        p.mensagens.mostradas.clear();
        const qint64 pedidos = p.conexao().pedidos();
        ultima = maiorPausa = 0;
        relogio.start();
        j.tabExporta->bGerar->click();
        anda();
        rodada = double(relogio.nsecsElapsed()) / 1e9;
        relogio.invalidate();
        idas = p.conexao().pedidos() - pedidos;
        state.SetIterationTime(rodada);
        if (!pisoPrimeiro)
            mede();
    }
    QObject::disconnect(observa);
    state.counters["sql_ms"] = sqlSo * 1000;
    state.counters["nucleo_ms"] = nucleoSo * 1000;
    state.counters["piso_ms"] = (sqlSo + nucleoSo) * 1000;
    state.counters["razao"] = rodada / (sqlSo + nucleoSo);
    state.counters["requisicoes_piso"] = double(sql.size());
    state.counters["idas_por_cliente"] = double(idas) / Marcados;
    state.counters["maior_pausa_ms"] = double(maiorPausa);
    if (p.mensagens.mostradas.isEmpty() || !p.mensagens.mostradas.last().startsWith(
                                               QStringLiteral("mensagem: Arquivo de Remessa gerado: 2000 ")))
        state.SkipWithError(qPrintable(p.mensagens.mostradas.join('\n')));
}

} // namespace

BENCHMARK(GeracaoPorCliente)->Apply(EmCadaIdaEVolta);

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Regional::definir(Regional::brasileiro());
    garanteBaseGrande(banco, Clientes, Receber, 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The window goes while the application still exists.
    programa().janela.reset();
}
