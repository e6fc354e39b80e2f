#include "selection/Listagem.h"
#include "db/ResultSet.h"
#include "tests/support/BancoDeTeste.h"
#include "util/Erro.h"
#include "util/Regional.h"

#include <gtest/gtest.h>
#include <map>

namespace {

// The listings on the test server, with dates relative to the server's own today.
class ListagemNoBanco : public testing::Test {
protected:
    void SetUp() override {
        Regional::definir(Regional::brasileiro());
        hoje = banco.conexao().abre(QStringLiteral("select curdate()")).valor(0, 0).data();
        ASSERT_TRUE(hoje.isValid());
    }

    Periodo periodo(const QString &campo = QStringLiteral("datahora")) const {
        return {campo, hoje.addDays(-30), hoje, QStringLiteral("00:00:00"), QStringLiteral("23:59:59")};
    }
    // A receivable of a client, sold today and due `diasParaVencer` from today.
    void recebe(int cliente, int valor, int diasParaVencer, int filial = 1) {
        banco.receber({{"filial_id", filial},
                       {"clientes_id", cliente},
                       {"valor", valor},
                       {"valortotal", valor},
                       {"datahora", QDateTime(hoje, QTime(10, 0))},
                       {"vencimento", hoje.addDays(diasParaVencer)}});
    }
    ResultSet clientes(int empresa, bool agrupar = false, std::optional<int> filial = {}) {
        return banco.conexao().abre(sqlListaClientes(banco.conexao(), periodo(), empresa, agrupar, filial));
    }
    ResultSet empresas(std::optional<int> filial = {}) {
        return banco.conexao().abre(sqlListaEmpresas(banco.conexao(), periodo(), filial));
    }
    // Field values by row, keyed by another field.
    static std::map<QString, QString> porChave(const ResultSet &r, const char *chave, const char *campo) {
        std::map<QString, QString> m;
        for (int l = 0; l < r.linhas(); ++l)
            m[r.valor(l, chave).texto()] = r.valor(l, campo).texto();
        return m;
    }

    BancoDeTeste banco;
    QDate hoje;
};

struct CasoJuros {
    const char *nome;
    int diasjur;
    const char *cobraJuros;
    int diasParaVencer;
    qint64 multaCentavos;
    qint64 jurosCentavos;
};
void PrintTo(const CasoJuros &c, std::ostream *os) {
    *os << c.nome;
}

class MultaEJuros : public ListagemNoBanco, public testing::WithParamInterface<CasoJuros> {};

// Company: 2 % fine, 0.5 % a day; the client's own rates, 10 % and 1 % a day, when it pays its own.
TEST_P(MultaEJuros, ContamDoFimDaCarencia) {
    const CasoJuros &c = GetParam();
    banco.empresa(1, {{"diasjur", c.diasjur}, {"multa", 2}, {"jurosdia", 0.5}});
    banco.cliente(1, {{"cobra_juros", c.cobraJuros}, {"multa", 10}, {"juros", 1}});
    recebe(1, 100, c.diasParaVencer);
    const ResultSet r = clientes(1);
    ASSERT_EQ(r.linhas(), 1);
    EXPECT_EQ(r.valor(0, "TOTAL").dinheiro(), Money::deCentavos(10000));
    EXPECT_EQ(r.valor(0, "multa").dinheiro(), Money::deCentavos(c.multaCentavos));
    EXPECT_EQ(r.valor(0, "juros").dinheiro(), Money::deCentavos(c.jurosCentavos));
}

INSTANTIATE_TEST_SUITE_P(Casos, MultaEJuros,
                         testing::Values(CasoJuros{"VenceuOntemSemCarencia", 0, "N", -1, 200, 50},
                                         CasoJuros{"VenceuOntemComUmDiaDeCarencia", 1, "N", -1, 0, 0},
                                         CasoJuros{"CarenciaDeDoisDiasVencidaHaDois", 2, "N", -4, 200, 100},
                                         CasoJuros{"VenceHoje", 0, "N", 0, 0, 0},
                                         CasoJuros{"TaxasDoCliente", 0, "S", -3, 1000, 300}),
                         [](const auto &info) { return std::string(info.param.nome); });

TEST_F(ListagemNoBanco, ClienteSemEmpresaNaoTemMultaNemJuros) {
    banco.cliente(1, {{"empresa_id", 7}});
    recebe(1, 100, -10);
    const ResultSet r = clientes(7);
    ASSERT_EQ(r.linhas(), 1);
    EXPECT_EQ(r.valor(0, "multa").dinheiro(), Money());
    EXPECT_TRUE(r.valor(0, "juros").nulo());
}

TEST_F(ListagemNoBanco, AgrupaPorClienteOuPorClienteEVencimento) {
    banco.empresa(1);
    banco.cliente(1);
    banco.cliente(2);
    recebe(1, 100, -5);
    recebe(1, 50, -5);
    recebe(1, 30, 10);
    recebe(2, 7, 10);

    const ResultSet porCliente = clientes(1, false);
    ASSERT_EQ(porCliente.linhas(), 2);
    EXPECT_EQ(porChave(porCliente, "clientes_id", "TOTAL"),
              (std::map<QString, QString>{{"1", "180.0000"}, {"2", "7.0000"}}));
    EXPECT_EQ(porChave(porCliente, "clientes_id", "vencimento")["1"], hoje.toString(u"dd/MM/yyyy"));

    const ResultSet porVencimento = clientes(1, true);
    ASSERT_EQ(porVencimento.linhas(), 3);
    std::map<QString, QString> doCliente1;
    for (int l = 0; l < porVencimento.linhas(); ++l)
        if (porVencimento.valor(l, "clientes_id").inteiro() == 1)
            doCliente1[porVencimento.valor(l, "vencimento").texto()] =
                porVencimento.valor(l, "TOTAL").texto();
    EXPECT_EQ(doCliente1,
              (std::map<QString, QString>{{hoje.addDays(-5).toString(u"dd/MM/yyyy"), "150.0000"},
                                          {hoje.addDays(10).toString(u"dd/MM/yyyy"), "30.0000"}}));
}

TEST_F(ListagemNoBanco, ApagadasQuitadasESemQuantidadeNuncaSaoListadas) {
    banco.empresa(1);
    banco.cliente(1);
    banco.cliente(2);
    recebe(1, 100, 0);
    // Client 2 has only closed rows and is not listed at all.
    const QDateTime vendida(hoje, QTime(9, 0));
    for (int cliente : {1, 2}) {
        banco.receber(
            {{"clientes_id", cliente}, {"valortotal", 1000}, {"datahora", vendida}, {"apagado", "S"}});
        banco.receber(
            {{"clientes_id", cliente}, {"valortotal", 1000}, {"datahora", vendida}, {"amort", 100}});
        banco.receber(
            {{"clientes_id", cliente}, {"valortotal", 1000}, {"datahora", vendida}, {"quantidade", 0}});
    }
    const ResultSet c = clientes(1);
    ASSERT_EQ(c.linhas(), 1);
    EXPECT_EQ(c.valor(0, "TOTAL").dinheiro(), Money::deCentavos(10000));
    const ResultSet e = empresas();
    ASSERT_EQ(e.linhas(), 1);
    EXPECT_EQ(e.valor(0, "TOTAL").dinheiro(), Money::deCentavos(10000));
}

TEST_F(ListagemNoBanco, CpfQuandoNaoHaCgc) {
    banco.empresa(1);
    banco.cliente(1, {{"cgc", ""}, {"cpf", "111.111.111-11"}});
    banco.cliente(2, {{"cgc", "22.222.222/0001-22"}, {"cpf", "222.222.222-22"}});
    banco.cliente(3, {{"cgc", ValorDeTeste()}, {"cpf", "333.333.333-33"}});
    for (int c = 1; c <= 3; ++c)
        recebe(c, 10, 0);
    EXPECT_EQ(porChave(clientes(1), "clientes_id", "cgc"),
              (std::map<QString, QString>{
                  {"1", "111.111.111-11"}, {"2", "22.222.222/0001-22"}, {"3", "333.333.333-33"}}));
}

TEST_F(ListagemNoBanco, PorEmpresaSomaOsClientesDeCadaEmpresa) {
    banco.empresa(1, {{"cgc", "11.111.111/0001-11"}, {"cidade", "SANTOS"}});
    banco.empresa(2);
    banco.cliente(1);
    banco.cliente(2);
    banco.cliente(3, {{"empresa_id", 2}});
    recebe(1, 100, -30);
    recebe(2, 50, 0);
    recebe(3, 30, 0);
    const ResultSet r = empresas();
    ASSERT_EQ(r.linhas(), 2);
    EXPECT_EQ(porChave(r, "empresa_id", "TOTAL"),
              (std::map<QString, QString>{{"1", "150.0000"}, {"2", "30.0000"}}));
    EXPECT_EQ(porChave(r, "empresa_id", "marcado")["1"], QStringLiteral("N"));
    EXPECT_EQ(porChave(r, "empresa_id", "cgc")["1"], QStringLiteral("11.111.111/0001-11"));
    EXPECT_EQ(porChave(r, "empresa_id", "cidade")["1"], QStringLiteral("SANTOS"));
}

struct CasoFilial {
    int atual;
    int logica;
    const char *unificado; // nullptr: the branch has no row
    bool filtra;
};
void PrintTo(const CasoFilial &c, std::ostream *os) {
    *os << c.atual << "->" << c.logica << " unificado " << (c.unificado ? c.unificado : "(sem linha)");
}

class FiltroDaFilial : public ListagemNoBanco, public testing::WithParamInterface<CasoFilial> {};

TEST_P(FiltroDaFilial, SoComFiliaisDiferentesENaoUnificado) {
    const CasoFilial &c = GetParam();
    if (c.unificado)
        banco.insere(QStringLiteral("filial"),
                     {{"filial_id", c.atual}, {"relreceberunificado", c.unificado}});
    const ResultSet filial = banco.conexao().abre(sqlFilial(c.atual));
    EXPECT_EQ(aplicaFiltroFilial(filial, c.atual, c.logica), c.filtra);
}

INSTANTIATE_TEST_SUITE_P(Casos, FiltroDaFilial,
                         testing::Values(CasoFilial{1, 1, "N", false}, CasoFilial{2, 1, "S", false},
                                         CasoFilial{2, 1, "s", false}, CasoFilial{2, 1, "N", true},
                                         CasoFilial{2, 1, "", true}, CasoFilial{2, 1, nullptr, true}));

TEST_F(ListagemNoBanco, FiltroRestringeAFilialLogica) {
    banco.empresa(1);
    banco.cliente(1);
    recebe(1, 100, 0, 1);
    recebe(1, 40, 0, 2);
    EXPECT_EQ(clientes(1).valor(0, "TOTAL").dinheiro(), Money::deCentavos(14000));
    EXPECT_EQ(clientes(1, false, 2).valor(0, "TOTAL").dinheiro(), Money::deCentavos(4000));
    EXPECT_EQ(empresas().valor(0, "TOTAL").dinheiro(), Money::deCentavos(14000));
    EXPECT_EQ(empresas(2).valor(0, "TOTAL").dinheiro(), Money::deCentavos(4000));
}

TEST_F(ListagemNoBanco, PeriodoNaColunaEscolhidaComAsHorasDigitadas) {
    banco.empresa(1);
    banco.cliente(1);
    const auto recebeEm = [&](int valor, QDateTime venda, QDate vencimento) {
        banco.receber({{"valortotal", valor}, {"datahora", venda}, {"vencimento", vencimento}});
    };
    recebeEm(1, QDateTime(hoje, QTime(23, 59, 59)), hoje.addDays(60));
    recebeEm(20, QDateTime(hoje.addDays(-31), QTime(12, 0)), hoje);
    recebeEm(300, QDateTime(hoje, QTime(7, 59, 59)), hoje.addDays(-60));
    Connection &c = banco.conexao();
    const auto total = [&](const Periodo &p) {
        const ResultSet r = c.abre(sqlListaClientes(c, p, 1, false, {}));
        return r.vazio() ? QString() : r.valor(0, "TOTAL").texto();
    };
    EXPECT_EQ(total(periodo()), QStringLiteral("301.0000"));
    EXPECT_EQ(total(periodo(QStringLiteral("vencimento"))), QStringLiteral("20.0000"));
    Periodo manha = periodo();
    manha.horaFinal = QStringLiteral("07:59:59");
    manha.dataInicial = hoje;
    EXPECT_EQ(total(manha), QStringLiteral("300.0000"));
}

TEST_F(ListagemNoBanco, HoraInvalidaNuncaChegaAoServidor) {
    for (const char *hora : {"25:00:00", "::", "1a:00:00", "10:00:00\" or \"1"}) {
        Periodo p = periodo();
        p.horaFinal = QString::fromLatin1(hora);
        try {
            sqlListaEmpresas(banco.conexao(), p, {});
            ADD_FAILURE() << hora;
        } catch (const Erro &e) {
            EXPECT_TRUE(e.texto().startsWith(QStringLiteral("Incorrect datetime value: '"))) << e.what();
        }
    }
}

} // namespace
