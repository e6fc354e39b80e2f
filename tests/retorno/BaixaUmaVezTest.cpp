// Every payment settled exactly once: the record kept with each row's settlement, a redo after an
// interruption, two stations on one file, the upgrade from the settled-files list of earlier versions.
#include "retorno/Baixa.h"
#include "retorno/BaixasRegistradas.h"
#include "tests/retorno/LojaDeTitulos.h"
#include "tests/retorno/RetornoDeTeste.h"
#include "tests/support/BancoDeTeste.h"
#include "util/Clock.h"
#include "util/Erro.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>

namespace {

constexpr int Documentos = 60;
const QByteArray Impressao = ImpressaoDoArquivo("retorno de 60 títulos");

class BaixaUmaVez : public testing::Test {
protected:
    void SetUp() override {
        Clock::fixar(loja::Agora);
        loja::Prepara(banco, Documentos);
    }
    void TearDown() override { Clock::fixar(std::nullopt); }

    ResultadoBaixa processa(Connection &conexao, ListaRetorno &l, const QByteArray &impressao = Impressao) {
        return ProcessaRetorno(conexao, estacao, l.QListaTemp, l.modo, impressao);
    }
    BancoDeTeste banco;
    EstadoPrograma estacao = loja::Estacao();
};

// The connection is killed while row 25 is half settled: rows 1 to 24 are settled and recorded, row 25
// neither. Loaded and processed again, the store ends as one clean settlement.
TEST_F(BaixaUmaVez, ConexaoDerrubadaNoMeioERefeitaIgualAUmaBaixaLimpa) {
    loja::CortaERefaz(
        banco.conexao(), banco.nome(), Documentos, 25, Impressao,
        [](Connection &outra, qint64 sessao) {
            outra.executa(QStringLiteral("kill connection %1").arg(sessao));
        },
        [] {}, loja::BaixaLimpa(Documentos, Impressao));
}

// Two stations load the file; one settles it, then the other, whose list still shows nothing settled:
// its inserts find every payment recorded and it settles nothing.
class DuasEstacoes : public BaixaUmaVez {
protected:
    void SetUp() override {
        BaixaUmaVez::SetUp();
        limpa = loja::BaixaLimpa(Documentos, Impressao);
        outra.configura(QString(), banco.nome(), BancoDeTeste::senhaPadrao());
        primeira = loja::Carrega(banco.conexao(), loja::Pagamentos(Documentos), Impressao);
        segunda = loja::Carrega(outra, loja::Pagamentos(Documentos), Impressao);
    }

    QString limpa;
    Connection outra;
    ListaRetorno primeira;
    ListaRetorno segunda;
};

TEST_F(DuasEstacoes, UmaDepoisDaOutra) {

    EXPECT_EQ(processa(banco.conexao(), primeira).baixadasAgora, Documentos);
    const ResultadoBaixa r = processa(outra, segunda);
    EXPECT_EQ(r.baixadasAgora, 0);
    EXPECT_EQ(r.baixadasAntes, Documentos);
    EXPECT_EQ(r.contas, 0);
    EXPECT_EQ(loja::Estado(banco.conexao()), limpa);
    // Its list now shows every row settled.
    for (int l = 0; l < segunda.QListaTemp.linhas(); ++l)
        EXPECT_TRUE(JaBaixada(segunda.QListaTemp, l)) << l;
}

// Both at once: each row is settled by whichever station records it first, never by both.
TEST_F(DuasEstacoes, AoMesmoTempo) {

    ResultadoBaixa a;
    std::thread estacaoA([&] { a = processa(banco.conexao(), primeira); });
    const ResultadoBaixa b = processa(outra, segunda);
    estacaoA.join();
    EXPECT_EQ(a.baixadasAgora + b.baixadasAgora, Documentos);
    EXPECT_EQ(a.baixadasAntes + b.baixadasAntes, Documentos);
    EXPECT_EQ(loja::Estado(banco.conexao()), limpa);
}

// The same payments in another file (a copy with another header) are the same payments.
TEST_F(BaixaUmaVez, OutroArquivoComOsMesmosPagamentosNaoBaixaDeNovo) {
    ListaRetorno l = loja::Carrega(banco.conexao(), loja::Pagamentos(Documentos), Impressao);
    processa(banco.conexao(), l);
    const QString depois = loja::Estado(banco.conexao());

    std::vector<Ocorrencia> pagamentos = loja::Pagamentos(Documentos);
    // Another day is another payment.
    pagamentos[0].data = QStringLiteral("20260315");
    const QByteArray outroArquivo = ImpressaoDoArquivo("cópia com outro cabeçalho");
    ListaRetorno copia = loja::Carrega(banco.conexao(), pagamentos, outroArquivo);
    int marcadas = 0;
    for (int i = 0; i < copia.QListaTemp.linhas(); ++i)
        marcadas += JaBaixada(copia.QListaTemp, i);
    EXPECT_EQ(marcadas, Documentos - 1);
    const ResultadoBaixa r = processa(banco.conexao(), copia, outroArquivo);
    EXPECT_EQ(r.baixadasAgora, 1);
    EXPECT_EQ(r.baixadasAntes, Documentos - 1);
    EXPECT_NE(loja::Estado(banco.conexao()), depois);
}

// A refused debit's release is recorded like a payment, keyed by the identifier and the debit's date.
TEST_F(BaixaUmaVez, DebitoRecusadoLiberadoFicaRegistrado) {
    banco.receber(
        {{"numero_documento", "0000001235"}, {"lojas_leram2", "00001235"}, {"datahora", loja::Agora}});
    QString recusado = LinhaDebito("00001235", 10000, "01");
    recusado.replace(44, 8, QStringLiteral("20260312"));
    const QStringList linhas = RetornoDebito({recusado});
    ListaRetorno l =
        ListaOcorrencias(banco.conexao(), ModoRetorno::Debito, OcorrenciasDebito(linhas, Money()));
    ASSERT_EQ(l.QListaTemp.linhas(), 1);
    // Another station's list of the same file, loaded before the release.
    ListaRetorno outra = l;
    const QByteArray impressao = ImpressaoDoArquivo(BytesDoRetorno(linhas));
    EXPECT_EQ(processa(banco.conexao(), l, impressao).recusados, 1);

    const ResultSet b =
        banco.conexao().abre(QStringLiteral("select tipo, chave, data_pagamento, valor_pago, situacao, "
                                            "impressao, filial_id, num_caixa from ruvenal_baixas"));
    ASSERT_EQ(b.linhas(), 1);
    EXPECT_EQ(b.valor(0, "tipo").texto(), QStringLiteral("D"));
    EXPECT_EQ(b.valor(0, "chave").texto(), QStringLiteral("00001235"));
    EXPECT_EQ(b.valor(0, "data_pagamento").texto(), QStringLiteral("20260312"));
    EXPECT_EQ(b.valor(0, "valor_pago").dinheiro(), Money());
    EXPECT_EQ(b.valor(0, "situacao").texto(), QStringLiteral("L"));
    EXPECT_EQ(b.valor(0, "impressao").texto().toLatin1(), impressao);
    EXPECT_EQ(b.valor(0, "filial_id").inteiro(), 2);
    EXPECT_EQ(b.valor(0, "num_caixa").inteiro(), 7);

    EXPECT_EQ(MarcaJaBaixadas(banco.conexao(), outra.QListaTemp, outra.modo, impressao), 1);
    const ResultadoBaixa r = processa(banco.conexao(), outra, impressao);
    EXPECT_EQ(r.recusados, 0);
    EXPECT_EQ(r.baixadasAntes, 1);
}

// The settled-files list of earlier versions: its files count as wholly settled, it is read once and no
// longer written. A record glued to a last line that had no line end is found as well.
TEST_F(BaixaUmaVez, ListaAntigaDeRetornosBaixadosEntraUmaVez) {
    QTemporaryDir pasta;
    const QString antiga = QDir(pasta.path()).filePath(QStringLiteral("retornos_baixados.txt"));
    const QByteArray outro = ImpressaoDoArquivo("outro retorno");
    QFile f(antiga);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(outro + " 2026-01-05 09:12:00 C:\\retornos\\CB0501.ret\r\n" + outro +
            " 2026-02-05 09:12:00 C:\\retornos\\CB0502.ret" + Impressao +
            " 2026-03-01 08:00:00 C:\\CB0301.ret\r\n");
    f.close();

    PreparaBaixasRegistradas(banco.conexao(), antiga);

    EXPECT_FALSE(QFile::exists(antiga));
    EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files).size(), 1);
    ListaRetorno l = loja::Carrega(banco.conexao(), loja::Pagamentos(Documentos), Impressao);
    const ResultadoBaixa r = processa(banco.conexao(), l);
    EXPECT_EQ(r.baixadasAgora, 0);
    EXPECT_EQ(r.baixadasAntes, Documentos);
    EXPECT_EQ(loja::Movimentados(banco.conexao()), QStringList());
    EXPECT_EQ(banco.conexao()
                  .abre(QStringLiteral("select count(*) from ruvenal_baixas where tipo = 'A'"))
                  .valor(0, 0)
                  .inteiro(),
              2);
    // Taken in already: a second loading finds nothing to read and changes nothing.
    PreparaBaixasRegistradas(banco.conexao(), antiga);
    EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files).size(), 1);
}

TEST(ListaAntiga, ImpressoesDeCadaRegistro) {
    const QByteArray a(64, 'a');
    const QByteArray b(64, 'b');
    EXPECT_EQ(ImpressoesDaListaAntiga(a + " 2026-01-05 09:12:00 C:\\a.ret\r\n" + b +
                                      " 2026-01-06 10:00:00 C:\\b c.ret"),
              (QList<QByteArray>{a, b}));
    // The second record written onto the first's line.
    EXPECT_EQ(ImpressoesDaListaAntiga(a + " 2026-01-05 09:12:00 C:\\a.ret" + b +
                                      " 2026-01-06 10:00:00 C:\\b.ret\r\n"),
              (QList<QByteArray>{a, b}));
    EXPECT_EQ(ImpressoesDaListaAntiga("linha qualquer\r\n"), QList<QByteArray>());
}

} // namespace
