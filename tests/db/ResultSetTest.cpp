#include "db/ResultSet.h"
#include "tests/support/BancoDeTeste.h"
#include "tests/support/ErroDe.h"
#include "util/Erro.h"

#include <gtest/gtest.h>

namespace {

Valor de(const char *texto) {
    return Valor(texto, int(strlen(texto)));
}

TEST(Valor, NuloEVazioLemZeroMasNuloSeDistingue) {
    const Valor nulo, vazio = de("");
    EXPECT_TRUE(nulo.nulo());
    EXPECT_FALSE(vazio.nulo());
    for (const Valor &v : {nulo, vazio}) {
        EXPECT_EQ(v.inteiro(), 0);
        EXPECT_EQ(v.inteiroLongo(), 0);
        EXPECT_EQ(v.real(), 0.0);
        EXPECT_EQ(v.dinheiro(), Money());
        EXPECT_FALSE(v.data().isValid());
        EXPECT_FALSE(v.dataHora().isValid());
        EXPECT_TRUE(v.texto().isEmpty());
        EXPECT_FALSE(v.logico());
    }
    EXPECT_TRUE(nulo.texto().isNull());
    EXPECT_FALSE(vazio.texto().isNull());
}

struct CasoDinheiro {
    const char *texto;
    std::int64_t unidades;
};
void PrintTo(const CasoDinheiro &c, std::ostream *os) {
    *os << c.texto;
}

class DinheiroDoTexto : public testing::TestWithParam<CasoDinheiro> {};

TEST_P(DinheiroDoTexto, DezMilesimosArredondados) {
    EXPECT_EQ(de(GetParam().texto).dinheiro().unidades(), GetParam().unidades) << GetParam().texto;
}

INSTANTIATE_TEST_SUITE_P(Casos, DinheiroDoTexto,
                         testing::Values(CasoDinheiro{"12", 120000}, CasoDinheiro{"10.1250", 101250},
                                         CasoDinheiro{"-0.5", -5000}, CasoDinheiro{".5", 5000},
                                         CasoDinheiro{"0.30000000000000004", 3000},
                                         CasoDinheiro{"2.00005", 20001}, CasoDinheiro{"-2.00005", -20001},
                                         CasoDinheiro{"2.00004999", 20000}, CasoDinheiro{"1e3", 10000000},
                                         CasoDinheiro{"99999999999999.9999", 999999999999999999},
                                         // Fifteen integer digits and more convert exactly to the edges.
                                         CasoDinheiro{"123456789012345.6789", 1234567890123456789},
                                         CasoDinheiro{"922337203685477.5807", INT64_MAX},
                                         CasoDinheiro{"-922337203685477.5808", INT64_MIN},
                                         CasoDinheiro{"000000000000000000001.5", 15000}));

TEST(Valor, DinheiroForaDaFaixaERecusado) {
    for (const char *texto : {"922337203685477.5808", "922337203685478", "-922337203685477.58085",
                              "1000000000000000000000", "1e300", "-1e16"})
        EXPECT_TRUE(erroDoPrograma([&] {
                        de(texto).dinheiro();
                    }).endsWith("ultrapassa o limite dos valores monetários."))
            << texto;
}

TEST(Valor, NumerosDatasELogicos) {
    EXPECT_EQ(de("-42").inteiro(), -42);
    EXPECT_EQ(de(" 7 ").inteiro(), 7);
    EXPECT_EQ(de("2.5").inteiro(), 3); // a decimal read as a whole number rounds
    EXPECT_EQ(de("9007199254740993").inteiroLongo(), 9007199254740993);
    EXPECT_DOUBLE_EQ(de("33.3333").real(), 33.3333);
    EXPECT_THROW(de("abc").inteiro(), Erro);
    EXPECT_THROW(de("1x").real(), Erro);
    EXPECT_EQ(de("2024-02-29").data(), QDate(2024, 2, 29));
    EXPECT_EQ(de("2024-02-29 13:05:09.250").dataHora(), QDateTime(QDate(2024, 2, 29), QTime(13, 5, 9)));
    EXPECT_EQ(de("2024-02-29").dataHora(), QDateTime(QDate(2024, 2, 29), QTime(0, 0)));
    EXPECT_FALSE(de("0000-00-00").data().isValid());
    EXPECT_FALSE(de("0000-00-00 00:00:00").dataHora().isValid());
    EXPECT_TRUE(de("S").logico());
    EXPECT_TRUE(de("1").logico());
    EXPECT_FALSE(de("N").logico());
    EXPECT_FALSE(de("0").logico());
}

TEST(ResultSet, LeCamposDoServidorComTiposENomesSemCaixa) {
    BancoDeTeste banco;
    banco.cliente(
        7, {{"nome", "Maria"}, {"chapa", qint64(9007199254740993)}, {"cgc", ""}, {"cpf", ValorDeTeste()}});
    banco.receber({{"clientes_id", 7},
                   {"valortotal", Money::deUnidades(1001250)},
                   {"quantidade", ValorDeTeste()},
                   {"datahora", QDateTime(QDate(2024, 1, 31), QTime(8, 30))},
                   {"dtalteracao", QDate()}});
    const ResultSet rs = banco.conexao().abre(QStringLiteral(
        "select clientes.nome, clientes.chapa, clientes.cgc, clientes.cpf, receber.valortotal, "
        "receber.quantidade, "
        "receber.datahora, receber.vencimento, receber.dtalteracao, Sum(receber.valortotal) * 1e0 as TOTAL "
        "from receber join clientes on (clientes.clientes_id = receber.clientes_id) group by "
        "clientes.clientes_id"));
    ASSERT_EQ(rs.linhas(), 1);
    const struct {
        const char *nome;
        TipoCampo tipo;
    } campos[] = {{"nome", TipoCampo::Texto},         {"chapa", TipoCampo::InteiroLongo},
                  {"valortotal", TipoCampo::Decimal}, {"quantidade", TipoCampo::Inteiro},
                  {"datahora", TipoCampo::DataHora},  {"vencimento", TipoCampo::Data},
                  {"TOTAL", TipoCampo::Real}};
    for (const auto &c : campos)
        EXPECT_EQ(rs.campo(rs.indice(c.nome)).tipo, c.tipo) << c.nome;
    EXPECT_EQ(rs.campo(rs.indice("nome")).tamanho, 50);

    EXPECT_EQ(rs.valor(0, "NOME").texto(), QStringLiteral("Maria"));
    EXPECT_EQ(rs.valor(0, "Chapa").inteiroLongo(), 9007199254740993);
    EXPECT_FALSE(rs.valor(0, "cgc").nulo());
    EXPECT_TRUE(rs.valor(0, "cpf").nulo());
    EXPECT_EQ(rs.valor(0, "valortotal").dinheiro(), Money::deUnidades(1001250));
    EXPECT_EQ(rs.valor(0, "total").dinheiro(), Money::deUnidades(1001250));
    EXPECT_TRUE(rs.valor(0, "quantidade").nulo());
    EXPECT_EQ(rs.valor(0, "quantidade").inteiro(), 0);
    EXPECT_EQ(rs.valor(0, "datahora").dataHora(), QDateTime(QDate(2024, 1, 31), QTime(8, 30)));
    EXPECT_EQ(rs.valor(0, "vencimento").data(), QDate::currentDate());
    EXPECT_FALSE(rs.valor(0, "dtalteracao").nulo());
    EXPECT_FALSE(rs.valor(0, "dtalteracao").data().isValid());
    EXPECT_EQ(rs.procura("naoexiste"), -1);
    EXPECT_THROW(rs.indice("naoexiste"), Erro);
}

TEST(ResultSet, PercorreEEditaEmMemoriaSemTocarNoBanco) {
    BancoDeTeste banco;
    for (int id = 1; id <= 3; ++id)
        banco.cliente(id);
    ResultSet rs = banco.conexao().abre(
        QStringLiteral("select clientes_id, nome, \"N\" as marcado from clientes order by clientes_id"));
    rs.acrescentaCampo({QStringLiteral("totalcomjuros"), TipoCampo::Decimal});

    QList<int> ids;
    for (rs.primeiro(); !rs.fim(); rs.proximo()) {
        ids << rs.valor("clientes_id").inteiro();
        EXPECT_TRUE(rs.valor("totalcomjuros").nulo());
        rs.define("totalcomjuros", Money::deCentavos(100 * rs.valor("clientes_id").inteiro()));
    }
    EXPECT_EQ(ids, (QList<int>{1, 2, 3}));
    EXPECT_THROW(rs.valor("nome"), Erro); // past the last row

    ASSERT_TRUE(rs.localiza("clientes_id", QStringLiteral("02")));
    EXPECT_EQ(rs.linha(), 1);
    rs.define("marcado", "S");
    rs.define("nome", QStringLiteral("Um nome bem mais comprido que o anterior"));
    EXPECT_FALSE(rs.localiza("clientes_id", QStringLiteral("9")));
    EXPECT_FALSE(rs.localiza("nome", QStringLiteral("cliente 3")));
    EXPECT_EQ(rs.linha(), 1);

    const char *marcas[] = {"N", "S", "N"};
    for (int l = 0; l < 3; ++l) {
        EXPECT_EQ(rs.valor(l, "marcado").texto(), QString::fromLatin1(marcas[l]));
        EXPECT_EQ(rs.valor(l, "totalcomjuros").dinheiro(), Money::deCentavos(100 * (l + 1)));
    }
    EXPECT_EQ(rs.valor(1, "nome").texto(), QStringLiteral("Um nome bem mais comprido que o anterior"));
    EXPECT_EQ(rs.valor(2, "nome").texto(), QStringLiteral("Cliente 3"));
    rs.vaiPara(0);
    rs.defineNulo("nome");
    EXPECT_TRUE(rs.valor(0, "nome").nulo());

    EXPECT_EQ(banco.conexao()
                  .abre(QStringLiteral("select nome from clientes where clientes_id = 2"))
                  .valor(0, 0)
                  .texto(),
              QStringLiteral("Cliente 2"));
}

TEST(ResultSet, TabelaEmMemoriaCortaTextoNoTamanhoDoCampo) {
    ResultSet t({{QStringLiteral("codigo"), TipoCampo::Inteiro},
                 {QStringLiteral("nome"), TipoCampo::Texto, 5},
                 {QStringLiteral("datavenc"), TipoCampo::DataHora},
                 {QStringLiteral("cliente"), TipoCampo::Logico}});
    EXPECT_TRUE(t.vazio());
    EXPECT_TRUE(t.fim());
    t.acrescenta();
    t.define("codigo", 12);
    t.define("nome", QStringLiteral("Joãozinho"));
    t.define("cliente", true);
    t.acrescenta();
    t.define("datavenc", QDateTime(QDate(2024, 3, 1), QTime(9, 0)));
    EXPECT_EQ(t.linhas(), 2);
    EXPECT_EQ(t.linha(), 1);
    EXPECT_EQ(t.valor(0, "nome").texto(), QStringLiteral("Joãoz"));
    EXPECT_EQ(t.valor(0, "codigo").inteiro(), 12);
    EXPECT_TRUE(t.valor(0, "cliente").logico());
    EXPECT_TRUE(t.valor(0, "datavenc").nulo());
    EXPECT_TRUE(t.valor(1, "codigo").nulo());
    EXPECT_EQ(t.valor(1, "codigo").inteiro(), 0);
    EXPECT_EQ(t.valor(1, "datavenc").dataHora(), QDateTime(QDate(2024, 3, 1), QTime(9, 0)));
}

} // namespace
