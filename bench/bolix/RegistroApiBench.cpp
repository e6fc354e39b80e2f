// Registrations through Banco do Brasil's API against the simulator over TLS, the bank taking 50 ms per
// request and setting no limit: the run should take within 1.3 x n x 50 ms / requests in flight, and peak
// memory should not grow with n (compare the peak of separate runs with different n).

#include "bolix/api/RegistroEmLote.h"
#include "bolix/simulador/ServidorBancoDoBrasil.h"
#include "tests/bolix/BancoDoBrasilDoExemplo.h"
#include "tests/bolix/CertificadosDeTeste.h"
#include "tests/bolix/Exemplos.h"

#include <QCoreApplication>
#include <QFile>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

using namespace bolix;

namespace {

constexpr int atrasoMs = 50;
constexpr int simultaneas = 6;

void registra(benchmark::State &state) {
    const int n = int(state.range(0));
    CertificadosDeTeste certificados;
    simulador::OpcoesBancoDoBrasil o = opcoesBancoDoBrasilDoExemplo(certificados.servidor(false));
    o.atrasoMs = atrasoMs;
    simulador::ServidorBancoDoBrasil servidor(o);
    servidor.escuta();

    ContaConfigurada conta = exemplos::contaBancoDoBrasil();
    conta.configuracao.registroApi = true;
    conta.configuracao.variacao = QStringLiteral("035");
    ConfiguracaoApi &api = conta.configuracao.api;
    api.clientId = o.clientId;
    api.clientSecret = o.clientSecret;
    api.chaveAplicacao = o.chaveAplicacao;
    api.parametroChaveAplicacao = o.parametroChave;
    api.autoridades = certificados.ca();
    api.urlApi = servidor.urlApi();
    api.urlToken = servidor.urlToken();
    api.simultaneas = simultaneas;

    QList<Documento> docs;
    const QDate hoje = QDate::currentDate();
    for (int i = 1; i <= n; ++i) {
        Documento d = exemplos::documento(QString::number(i), QString::number(i));
        d.dataVencimento = hoje.addDays(10);
        docs << d;
    }
    for (auto _ : state) {
        api::BancoDoBrasilApi cliente(conta);
        api::DiarioRegistros diario(certificados.caminho(QStringLiteral("registros.jsonl")));
        const auto resultados = api::registraDocumentos(cliente, diario, docs, hoje);
        for (const auto &r : resultados)
            if (r.resultado.situacao != api::ResultadoRegistro::Situacao::Registrado)
                state.SkipWithError(api::textoDoRegistro(r).toStdString().c_str());
    }
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    state.counters["limite_s"] = 1.3 * n * atrasoMs / 1000.0 / simultaneas;
    state.counters["pico_MB"] = double(uso.ru_maxrss) / 1024.0;
}

BENCHMARK(registra)->Arg(200)->Arg(1000)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
