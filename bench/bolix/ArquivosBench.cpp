// Remittance writing and return loading at the sizes a large store reaches.

#include "bolix/core/Registro.h"
#include "bolix/core/Remessa.h"
#include "bolix/core/Retorno.h"
#include "bolix/simulador/Simulador.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace bolix;

namespace {

const QDateTime geracao(QDate(2025, 11, 20), QTime(10, 30, 15));

// Bradesco's CNAB 400 account: the same titles in the 400-column files, to compare the time per title.
ContaConfigurada contaBradesco400() {
    ConfiguracaoBolix cfg;
    cfg.banco = QStringLiteral("237");
    cfg.carteira = QStringLiteral("09");
    cfg.layout = 400;
    cfg.nomeBeneficiario = QStringLiteral("Loja Exemplo Ltda");
    cfg.inscricaoBeneficiario = QStringLiteral("12345678000195");
    Conta c;
    c.codigoAgencia = QStringLiteral("3380");
    c.numeroContaCorrente = QStringLiteral("0012345-6");
    c.codigoCedente = QStringLiteral("4567890");
    c.inicioNossoNumero = QStringLiteral("0");
    return configuraConta(c, cfg);
}

ContaConfigurada conta() {
    ConfiguracaoBolix cfg;
    cfg.banco = QStringLiteral("001");
    cfg.carteira = QStringLiteral("17");
    cfg.tamanhoConvenio = 7;
    cfg.nomeBeneficiario = QStringLiteral("Loja Exemplo Ltda");
    cfg.inscricaoBeneficiario = QStringLiteral("12345678000195");
    Conta c;
    c.codigoAgencia = QStringLiteral("1584");
    c.numeroContaCorrente = QStringLiteral("210169");
    c.codigoCedente = QStringLiteral("1234567");
    c.inicioNossoNumero = QStringLiteral("0");
    return configuraConta(c, cfg);
}

// Every other title with a fine: in reais, or as a percentage for Bradesco's CNAB 400, which takes no other.
QList<Documento> documentos(int quantidade, bool multaPercentual = false) {
    QList<Documento> docs;
    docs.reserve(quantidade);
    for (int i = 0; i < quantidade; ++i) {
        Documento d;
        d.numeroDocumento = QString::number(i + 1).rightJustified(10, u'0');
        d.nossoNumero = QString::number(i + 1);
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

void Remessa240De10000Titulos(benchmark::State &state) {
    const ContaConfigurada c = conta();
    const QList<Documento> docs = documentos(10'000);
    QTemporaryDir dir;
    const ArquivoRemessa destino{dir.path(), QStringLiteral("remessa.rem"), QStringLiteral("FEBRABAN240"), 1};
    for (auto _ : state)
        benchmark::DoNotOptimize(gravaArquivoRemessa(c, docs, destino, geracao));
}
BENCHMARK(Remessa240De10000Titulos)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The return is read from its file, as the component loads it.
void Retorno240De100000Titulos(benchmark::State &state) {
    QByteArray remessa;
    for (const QByteArray &linha : remessa240(conta(), documentos(100'000), 1, geracao))
        remessa += linha + "\r\n";
    QTemporaryDir dir;
    const QString retorno = dir.filePath(QStringLiteral("retorno.ret"));
    gravaLinhas(retorno, simulador::retornoDaRemessa(remessa, {}, QDate(2025, 12, 10)));
    for (auto _ : state)
        benchmark::DoNotOptimize(leRetorno240(retorno, conta()));
}
BENCHMARK(Retorno240De100000Titulos)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void Remessa400De10000Titulos(benchmark::State &state) {
    const ContaConfigurada c = contaBradesco400();
    const QList<Documento> docs = documentos(10'000, true);
    QTemporaryDir dir;
    const ArquivoRemessa destino{dir.path(), QStringLiteral("remessa.rem"), QStringLiteral("FEBRABAN240"), 1};
    for (auto _ : state)
        benchmark::DoNotOptimize(gravaArquivoRemessa(c, docs, destino, geracao));
}
BENCHMARK(Remessa400De10000Titulos)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Through the same entry as the component: the records' length picks the layout.
void Retorno400De100000Titulos(benchmark::State &state) {
    QByteArray remessa;
    for (const QByteArray &linha : remessa400(contaBradesco400(), documentos(100'000, true), 1, geracao))
        remessa += linha + "\r\n";
    QTemporaryDir dir;
    const QString retorno = dir.filePath(QStringLiteral("retorno.ret"));
    gravaLinhas(retorno, simulador::retornoDaRemessa(remessa, {}, QDate(2025, 12, 10)));
    const ContaConfigurada c = contaBradesco400();
    for (auto _ : state)
        benchmark::DoNotOptimize(leRetornoCobranca(retorno, c));
}
BENCHMARK(Retorno400De100000Titulos)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
