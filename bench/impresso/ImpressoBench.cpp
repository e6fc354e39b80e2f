// A large store's batch of boletos printed to PDF.

#include "bolix/impresso/ImpressaoBoletos.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace bolix;

namespace {

const QDate hoje(2025, 11, 20);

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
    c.localPagamento =
        QStringLiteral("Até o vencimento pagável em qualquer banco do sistema de compensação.");
    return configuraConta(c, cfg);
}

QList<Documento> documentos(int quantidade) {
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
        d.cepSacado = QStringLiteral("04913010");
        d.dataDocumento = hoje;
        d.dataProcessamento = hoje;
        d.dataVencimento = QDate(2025, 12, 15);
        d.valorDocumento = 1'500'000 + i * 100;
        d.valorJurosDiaAtraso = 3'300;
        d.valorMultaAtraso = i % 2 ? 20'000 : 0;
        d.tipoDocumentoCobranca = QStringLiteral("DM");
        d.instrucoesCaixa = QStringLiteral("Não receber após 30 dias do vencimento.");
        d.demonstrativo = QStringLiteral("Compras do mês<br>Parcela 1 de 1<br>");
        docs.append(d);
    }
    return docs;
}

void MilBoletosEmPdf(benchmark::State &state) {
    const ContaConfigurada c = conta();
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
