// Remittance writing and return loading at the sizes a large store reaches.

#include "bench/dados/Arquivo.h"
#include "bench/dados/Memoria.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/cnab/Registro.h"
#include "bolix/core/cnab/Remessa.h"
#include "bolix/core/cnab/Retorno.h"
#include "bolix/simulador/Simulador.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace bolix;

namespace {

const QDateTime geracao(QDate(2025, 11, 20), QTime(10, 30, 15));

// One account per bank, with what each bank's settings need.
struct ContaDoBanco {
    const char *banco, *carteira, *agencia, *conta, *cedente, *transmissao;
    int layout = 240;
};

const ContaDoBanco contas[] = {
    {"001", "17", "1584", "210169", "1234567", ""},
    {"104", "", "0001", "123", "123456", ""},
    {"237", "09", "3380", "0012345", "", ""},
    {"356", "20", "0501", "6703255", "", ""},
    {"756", "1", "3069", "12345-6", "0123456", ""},
    {"341", "109", "0057", "12345", "", ""},
    {"033", "101", "4042", "013000123", "0282033", "404200000282033"},
    {"748", "1", "0165", "00623-8", "00623", ""},
    {"041", "1", "1102", "0601234567", "9000150", ""},
};

// The CNAB 400 accounts: the same titles in the 400-column files, to compare the time per title.
const ContaDoBanco contas400[] = {
    {"237", "09", "3380", "0012345-6", "4567890", "", 400},
    {"341", "109", "0057", "12345", "", "", 400},
    {"033", "101", "4042", "013000123", "0282033", "17777751042700080112", 400},
    {"748", "1", "0165", "00623-8", "00623", "", 400},
    {"041", "1", "1102", "0601234567", "9000150", "", 400},
    {"756", "1", "3069", "12345-6", "0123456", "", 400},
    {"104", "", "0001", "123", "123456", "", 400},
    {"001", "17", "1584", "210169", "1234567", "", 400},
};

ContaConfigurada conta(const ContaDoBanco &b) {
    ConfiguracaoBolix cfg;
    cfg.banco = QString::fromLatin1(b.banco);
    cfg.carteira = QString::fromLatin1(b.carteira);
    cfg.layout = b.layout;
    cfg.tamanhoConvenio = 7;
    cfg.modalidade = QStringLiteral("01");
    cfg.tipoCobranca = QStringLiteral("5");
    cfg.posto = QStringLiteral("02");
    cfg.byteGeracao = 2;
    cfg.nomeBeneficiario = QStringLiteral("Loja Exemplo Ltda");
    cfg.inscricaoBeneficiario = QStringLiteral("12345678000195");
    Conta c;
    c.codigoAgencia = QString::fromLatin1(b.agencia);
    c.numeroContaCorrente = QString::fromLatin1(b.conta);
    c.codigoCedente = QString::fromLatin1(b.cedente);
    c.outroDadoConfiguracao2 = QString::fromLatin1(b.transmissao);
    c.inicioNossoNumero = QStringLiteral("0");
    return configuraConta(c, cfg);
}

// Every other title with a fine: in reais, or as a percentage for the CNAB 400 of the banks that take no
// other (every bank's CNAB 400 takes it).
QList<Documento> documentos(int quantidade, bool multaPercentual = false) {
    QList<Documento> docs;
    docs.reserve(quantidade);
    for (int i = 0; i < quantidade; ++i) {
        Documento d;
        d.numeroDocumento = QString::number(i + 1).rightJustified(10, u'0');
        // Within the narrowest sequence of the banks (Sicredi's five digits).
        d.nossoNumero = QString::number(i % 99'999 + 1);
        d.nomeSacado = QStringLiteral("José da Conceição %1").arg(i);
        d.cnpjSacado = QStringLiteral("11.222.333/0001-81");
        d.enderecoSacado = QStringLiteral("Rua das Acácias %1").arg(i);
        d.bairroSacado = QStringLiteral("Jardim São Luís");
        d.cidadeSacado = QStringLiteral("São Paulo");
        d.estadoSacado = QStringLiteral("SP");
        d.cepSacado = QStringLiteral("04913-010");
        d.dataDocumento = geracao.date();
        d.dataVencimento = QDate(2025, 12, 15);
        d.valorDocumento = 1'500'000 + i * 100;
        (multaPercentual ? d.percentualMultaAtraso : d.valorMultaAtraso) = i % 2 ? 20'000 : 0;
        d.tipoDocumentoCobranca = QStringLiteral("DM");
        docs.append(d);
    }
    return docs;
}

// Each benchmark runs once per bank, its argument the bank's row in `contas`.
void Remessa240De10000Titulos(benchmark::State &state) {
    const ContaConfigurada c = conta(contas[state.range(0)]);
    const QList<Documento> docs = documentos(10'000);
    QTemporaryDir dir;
    const ArquivoRemessa destino{dir.path(), QStringLiteral("remessa.rem"), QStringLiteral("FEBRABAN240"), 1};
    for (auto _ : state)
        benchmark::DoNotOptimize(gravaArquivoRemessa(c, docs, destino, geracao));
}
BENCHMARK(Remessa240De10000Titulos)
    ->DenseRange(0, std::size(contas) - 1)
    ->ArgName("banco")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The return is read from its file, as the component loads it.
void Retorno240De100000Titulos(benchmark::State &state) {
    QByteArray remessa;
    const ContaConfigurada c = conta(contas[state.range(0)]);
    for (const QByteArray &linha : remessa240(c, documentos(100'000), 1, geracao))
        remessa += linha + "\r\n";
    QTemporaryDir dir;
    const QString retorno = dir.filePath(QStringLiteral("retorno.ret"));
    gravaLinhas(retorno, simulador::retornoDaRemessa(remessa, {}, QDate(2025, 12, 10)));
    for (auto _ : state)
        benchmark::DoNotOptimize(leRetornoCobranca(retorno, c));
}
BENCHMARK(Retorno240De100000Titulos)
    ->DenseRange(0, std::size(contas) - 1)
    ->ArgName("banco")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void Remessa400De10000Titulos(benchmark::State &state) {
    const ContaConfigurada c = conta(contas400[state.range(0)]);
    const QList<Documento> docs = documentos(10'000, true);
    QTemporaryDir dir;
    const ArquivoRemessa destino{dir.path(), QStringLiteral("remessa.rem"), QStringLiteral("FEBRABAN240"), 1};
    for (auto _ : state)
        benchmark::DoNotOptimize(gravaArquivoRemessa(c, docs, destino, geracao));
}
BENCHMARK(Remessa400De10000Titulos)
    ->DenseRange(0, std::size(contas400) - 1)
    ->ArgName("banco")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Through the same entry as the component: the records' length picks the layout.
void Retorno400De100000Titulos(benchmark::State &state) {
    QByteArray remessa;
    const ContaConfigurada c = conta(contas400[state.range(0)]);
    for (const QByteArray &linha : remessa400(c, documentos(100'000, true), 1, geracao))
        remessa += linha + "\r\n";
    QTemporaryDir dir;
    const QString retorno = dir.filePath(QStringLiteral("retorno.ret"));
    gravaLinhas(retorno, simulador::retornoDaRemessa(remessa, {}, QDate(2025, 12, 10)));
    for (auto _ : state)
        benchmark::DoNotOptimize(leRetornoCobranca(retorno, c));
}
BENCHMARK(Retorno400De100000Titulos)
    ->DenseRange(0, std::size(contas400) - 1)
    ->ArgName("banco")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A return of 10 MiB of one-byte lines, refused at its first line: the memory the reading takes above what
// the process held before (`razao`, in times the file's size) is to stay under 10.
void RetornoDe10MiBDeLinhasCurtas(benchmark::State &state) {
    QTemporaryDir dir;
    const QString retorno = dir.filePath(QStringLiteral("retorno.ret"));
    const qsizetype tamanho = 10 * 1024 * 1024;
    {
        QByteArray linhas;
        linhas.reserve(tamanho);
        while (linhas.size() < tamanho)
            linhas += "1\n";
        gravaArquivoDoBench(retorno, linhas);
    }
    const ContaConfigurada c = conta(contas[0]);
    recomecaPicoDeMemoria();
    const double antes = memoriaKb("VmRSS");
    for (auto _ : state) {
        try {
            leRetornoCobranca(retorno, c);
            state.SkipWithError("a file of one-byte lines was read");
        } catch (const ErroBolix &) {
        }
    }
    state.counters["bytes"] = double(tamanho);
    state.counters["picoKB"] = picoDeMemoriaKb();
    state.counters["razao"] = (picoDeMemoriaKb() - antes) * 1024 / double(tamanho);
}
BENCHMARK(RetornoDe10MiBDeLinhasCurtas)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
