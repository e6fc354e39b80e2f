#include "retorno/ListaOcorrencias.h"

#include "tests/retorno/RetornoDeTeste.h"
#include "tests/support/BancoDeTeste.h"
#include "util/Erro.h"
#include "util/Regional.h"

#include <gtest/gtest.h>

namespace {

class ListaNoBanco : public testing::Test {
protected:
    void SetUp() override {
        banco.empresa(1);
        for (int c = 1; c <= 3; ++c)
            banco.cliente(c);
    }
    ListaRetorno boletos(std::initializer_list<std::pair<const char *, qint64>> pagos) {
        std::vector<Ocorrencia> o;
        for (const auto &[doc, centavos] : pagos)
            o.push_back(
                {QString::fromLatin1(doc), Money::deCentavos(centavos), 0, QStringLiteral("ocorrência")});
        return ListaOcorrencias(banco.conexao(), ModoRetorno::Boleto, o);
    }

    BancoDeTeste banco;
};

TEST(SqlPesquisaDeb, CincoLinhasPorModo) {
    EXPECT_EQ(
        sqlPesquisaDeb(ModoRetorno::Boleto, QStringLiteral("0000000012")),
        QStringLiteral("Select Sum(valortotal) as total, clientes.clientes_id, clientes.nome, "
                       "empresa.empresa_id, empresa.nome as nempresa, receber.tipo from receber\n"
                       "left join clientes on (clientes.clientes_id = receber.clientes_id)\n"
                       "left join empresa on (empresa.empresa_id = clientes.empresa_id)\n"
                       "where receber.numero_documento = \"0000000012\"\n"
                       "group by clientes.clientes_id, clientes.nome, empresa.empresa_id, empresa.nome"));
    EXPECT_TRUE(sqlPesquisaDeb(ModoRetorno::Debito, QStringLiteral("00000012"))
                    .contains(QStringLiteral("\nwhere receber.lojas_leram2 = \"00000012\"\n")));
}

TEST_F(ListaNoBanco, ChaveDeTresClientesDaUmaLinhaComASoma) {
    for (int c : {2, 1, 3})
        banco.receber({{"clientes_id", c}, {"valortotal", c * 10}, {"numero_documento", "0000000001"}});
    // Deleted or zero-quantity receivables count in the sum too.
    banco.receber(
        {{"clientes_id", 1}, {"valortotal", 5}, {"numero_documento", "0000000001"}, {"apagado", "S"}});
    const ListaRetorno l = boletos({{"0000000001", 7000}});
    ASSERT_EQ(l.QListaTemp.linhas(), 1);
    const ResultSet &t = l.QListaTemp;
    EXPECT_EQ(t.valor(0, "valortotal").dinheiro(), Money::deCentavos(6500));
    EXPECT_EQ(t.valor(0, "debito").dinheiro(), Money::deCentavos(7000));
    EXPECT_EQ(t.valor(0, "codigo").inteiro(), 1);
    EXPECT_EQ(t.valor(0, "nome").texto(), QStringLiteral("Cliente 1"));
    EXPECT_TRUE(t.valor(0, "cliente").logico());
    EXPECT_EQ(t.valor(0, "codID").inteiroLongo(), 1);
    EXPECT_TRUE(t.valor(0, "CodOcorrencia").nulo());
    EXPECT_TRUE(t.valor(0, "MotivoOcorrencia").nulo());
    EXPECT_TRUE(t.valor(0, "datavenc").nulo());
}

TEST_F(ListaNoBanco, CobrancaDaEmpresaMostraAEmpresaCortadaEm50) {
    const QString nome60 = QStringLiteral("E").repeated(60);
    banco.empresa(2, {{"nome", nome60}});
    banco.cliente(9, {{"empresa_id", 2}});
    banco.receber({{"clientes_id", 9}, {"tipo", 99}, {"numero_documento", "0000000002"}});
    const ListaRetorno l = boletos({{"0000000002", 100}});
    ASSERT_EQ(l.QListaTemp.linhas(), 1);
    EXPECT_EQ(l.QListaTemp.valor(0, "nome").texto(), nome60.left(50));
    EXPECT_EQ(l.QListaTemp.valor(0, "codigo").inteiro(), 2);
    EXPECT_FALSE(l.QListaTemp.valor(0, "cliente").logico());
}

TEST_F(ListaNoBanco, DocumentoJaBaixadoListaComZeroEDesconhecidoNao) {
    banco.receber({{"amort", 100}, {"valortotal", 0}, {"numero_documento", "0000000003"}});
    const ListaRetorno l = boletos({{"0000000003", 100}, {"0000000099", 100}});
    ASSERT_EQ(l.QListaTemp.linhas(), 1);
    EXPECT_EQ(l.QListaTemp.valor(0, "valortotal").dinheiro(), Money());
    EXPECT_EQ(l.QListaTemp.valor(0, "codID").inteiroLongo(), 3);
}

// A payment that no receivable carries is not listed but reported, to be placed by hand. An empty
// document number matches nothing, not even a receivable that was never charged.
TEST_F(ListaNoBanco, PagamentoSemContaOuSemNumeroEhRelatado) {
    Regional::definir(Regional::brasileiro());
    banco.receber({{"numero_documento", "0000000003"}});
    banco.receber({{"numero_documento", ""}});
    std::vector<Ocorrencia> o{
        {QStringLiteral("0000000003"), Money::deCentavos(100), 0, {}},
        {QString(),
         Money::deCentavos(12345),
         0,
         {},
         QStringLiteral("20251210"),
         Money::deCentavos(12595),
         QStringLiteral("12345670000000041")},
        {QStringLiteral("0000000099"), Money::deCentavos(300), 0, {}, {}, Money::deCentavos(550), {}}};
    for (int i = 0; i < 30; ++i)
        o.push_back({QStringLiteral("77%1").arg(i), Money(), 0, {}, {}, Money(), {}});
    const ListaRetorno l = ListaOcorrencias(banco.conexao(), ModoRetorno::Boleto, o);
    ASSERT_EQ(l.QListaTemp.linhas(), 1);
    ASSERT_EQ(l.naoEncontrados.size(), 32u);
    const QStringList m = MensagemPagamentosNaoEncontrados(l).split(u'\r');
    ASSERT_EQ(m.size(), 32);
    EXPECT_EQ(m[0],
              QStringLiteral("32 pagamento(s) do arquivo não corresponde(m) a nenhuma conta a receber e "
                             "não foram listados. Dê a baixa destes manualmente:"));
    EXPECT_EQ(m[1], QStringLiteral("Nosso número 12345670000000041: R$ 123,45 em 10/12/2025"));
    EXPECT_EQ(m[2], QStringLiteral("Documento 0000000099: R$ 3,00"));
    EXPECT_EQ(m[31], QStringLiteral("... e mais 2."));
    EXPECT_TRUE(MensagemPagamentosNaoEncontrados(boletos({{"0000000003", 100}})).isEmpty());
}

TEST_F(ListaNoBanco, ChaveComAspasNaoEscapaDaComparacao) {
    banco.receber({{"numero_documento", "0000000004"}});
    EXPECT_EQ(boletos({{"x\" or \"x\"=\"x", 100}}).QListaTemp.linhas(), 0);
}

TEST_F(ListaNoBanco, ChaveQueNaoENumeroFalhaQuandoEncontraContas) {
    banco.receber({{"numero_documento", "12AB"}});
    try {
        boletos({{"0000000077", 100}, {"12AB", 100}});
        FAIL() << "sem erro";
    } catch (const Erro &e) {
        EXPECT_EQ(e.texto(),
                  QStringLiteral(
                      "Arquivo retorno, ocorrência: \"12AB\" não é um número válido para o campo codID."));
    }
}

TEST_F(ListaNoBanco, DebitoPelasOitoPosicoesComTotaisECodigos) {
    banco.receber({{"clientes_id", 1}, {"valortotal", 100}, {"lojas_leram2", "00001234"}});
    banco.receber({{"clientes_id", 2}, {"valortotal", 50}, {"lojas_leram2", "00001235"}});
    // Compared as text: without its zeros the identifier is another one.
    banco.receber({{"clientes_id", 3}, {"valortotal", 70}, {"lojas_leram2", "1236"}});
    const QStringList linhas =
        RetornoDebito({LinhaDebito("00001234", 10000, "00"), LinhaDebito("00001235", 5000, "01"),
                       LinhaDebito("00001236", 7000, "00")});
    const ListaRetorno l = ListaOcorrencias(banco.conexao(), ModoRetorno::Debito,
                                            OcorrenciasDebito(linhas, Money::deCentavos(250)));
    const ResultSet &t = l.QListaTemp;
    ASSERT_EQ(t.linhas(), 2);
    EXPECT_EQ(t.valor(0, "codID").inteiroLongo(), 1234);
    EXPECT_EQ(t.valor(0, "CodOcorrencia").inteiro(), 0);
    EXPECT_EQ(t.valor(0, "MotivoOcorrencia").texto(), QStringLiteral("Débito efetuado."));
    EXPECT_EQ(t.valor(1, "CodOcorrencia").inteiro(), 1);
    EXPECT_EQ(t.valor(1, "MotivoOcorrencia").texto(),
              QStringLiteral("Débito não efetuado - Insuficiência de fundos."));
    EXPECT_EQ(l.totalDebitado, Money::deCentavos(9750));
    EXPECT_EQ(l.totalNaoDebitado, Money::deCentavos(4750));
    EXPECT_EQ(l.registros, 2);
    EXPECT_EQ(l.modo, ModoRetorno::Debito);
}

TEST_F(ListaNoBanco, ProgressoContaCadaOcorrencia) {
    std::vector<std::pair<qint64, qint64>> vistos;
    ListaOcorrencias(banco.conexao(), ModoRetorno::Boleto,
                     {{"1", Money(), 0, {}}, {"2", Money(), 0, {}}, {"3", Money(), 0, {}}},
                     [&](qint64 feitas, qint64 total) { vistos.emplace_back(feitas, total); });
    ASSERT_FALSE(vistos.empty());
    EXPECT_EQ(vistos.back(), std::make_pair(qint64(3), qint64(3)));
}

TEST(ChaveDaLinha, DezDigitosNoBoletoOitoNoDebito) {
    EXPECT_EQ(ChaveDaLinha(ModoRetorno::Boleto, 1234), QStringLiteral("0000001234"));
    EXPECT_EQ(ChaveDaLinha(ModoRetorno::Boleto, 12345678901), QStringLiteral("12345678901"));
    EXPECT_EQ(ChaveDaLinha(ModoRetorno::Debito, 1234), QStringLiteral("00001234"));
}

TEST(CorDaOcorrencia, ImparesAzuisRecusadasVermelhasBaixadasVerdesSelecionadaPorCima) {
    EXPECT_EQ(CorDaOcorrencia(0, 0, false, false), CorOcorrencia::Impar);
    EXPECT_EQ(CorDaOcorrencia(1, 0, false, false), CorOcorrencia::Normal);
    EXPECT_EQ(CorDaOcorrencia(1, 1, false, false), CorOcorrencia::NaoDebitado);
    EXPECT_EQ(CorDaOcorrencia(0, 99, false, false), CorOcorrencia::NaoDebitado);
    EXPECT_EQ(CorDaOcorrencia(0, 0, true, false), CorOcorrencia::JaBaixada);
    EXPECT_EQ(CorDaOcorrencia(1, 1, true, false), CorOcorrencia::JaBaixada);
    EXPECT_EQ(CorDaOcorrencia(1, 1, true, true), CorOcorrencia::Selecionada);
}

} // namespace
