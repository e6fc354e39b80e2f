#include "selection/Marcacao.h"
#include "db/ResultSet.h"
#include "selection/Listagem.h"
#include "selection/Totais.h"
#include "util/Regional.h"

#include <gtest/gtest.h>

namespace {

struct CasoConta {
    const char *agencia;
    const char *cc;
    bool valida;
};
void PrintTo(const CasoConta &c, std::ostream *os) {
    *os << '"' << c.agencia << "\" / \"" << c.cc << '"';
}

class Conta : public testing::TestWithParam<CasoConta> {};

TEST_P(Conta, DigitosNaoZeroEmAgenciaEConta) {
    EXPECT_EQ(ContaCorrenteValida(QString::fromUtf8(GetParam().agencia), QString::fromUtf8(GetParam().cc)),
              GetParam().valida);
}

INSTANTIATE_TEST_SUITE_P(Casos, Conta,
                         testing::Values(CasoConta{"12-3", "45.678-9", true}, CasoConta{"0012", "1", true},
                                         CasoConta{"0000", "12345", false}, CasoConta{"1234", "000-0", false},
                                         CasoConta{"", "12345", false}, CasoConta{"1234", "", false},
                                         CasoConta{"ab", "12345", false}, CasoConta{"1234", "x-y", false},
                                         // More digits than 64 bits hold still count as a number.
                                         CasoConta{"1", "0000000000000000000000001", true}));

// A per-client result as listed: TOTAL, fine, interest, marks and bank data.
ResultSet clientes(
    std::initializer_list<std::tuple<const char *, const char *, const char *, const char *, const char *>>
        linhas) {
    ResultSet r({{QStringLiteral("TOTAL"), TipoCampo::Decimal},
                 {QStringLiteral("multa"), TipoCampo::Decimal},
                 {QStringLiteral("juros"), TipoCampo::Decimal},
                 {QStringLiteral("marcado"), TipoCampo::Texto, 1},
                 {QStringLiteral("agencia"), TipoCampo::Texto, 5},
                 {QStringLiteral("cc"), TipoCampo::Texto, 15}});
    for (const auto &[total, multa, juros, agencia, cc] : linhas) {
        r.acrescenta();
        r.define("TOTAL", QString::fromLatin1(total));
        if (multa)
            r.define("multa", QString::fromLatin1(multa));
        if (juros)
            r.define("juros", QString::fromLatin1(juros));
        r.define("marcado", QStringLiteral("N"));
        r.define("agencia", QString::fromLatin1(agencia));
        r.define("cc", QString::fromLatin1(cc));
    }
    acrescentaTotalComJuros(r);
    return r;
}

QString marcas(const ResultSet &r) {
    QString m;
    for (int l = 0; l < r.linhas(); ++l)
        m += r.valor(l, "marcado").texto();
    return m;
}

TEST(Marcacao, F5AlternaERecusaContaInvalidaSoComDebito) {
    ResultSet r = clientes({{"10", "0", "0", "0000", "123"}, {"20", "0", "0", "1", "1"}});
    EXPECT_EQ(alternaMarca(r, 0, true), Marca::Recusou);
    EXPECT_EQ(marcas(r), QStringLiteral("NN"));
    EXPECT_EQ(alternaMarca(r, 0, false), Marca::Marcou);
    // Unmarking never asks for the account.
    EXPECT_EQ(alternaMarca(r, 0, true), Marca::Desmarcou);
    EXPECT_EQ(alternaMarca(r, 1, true), Marca::Marcou);
    EXPECT_EQ(marcas(r), QStringLiteral("NS"));
}

TEST(Marcacao, F6DeixaDesmarcadasAsContasInvalidasComDebitoEF7DesmarcaTudo) {
    ResultSet r =
        clientes({{"10", "0", "0", "1", "1"}, {"20", "0", "0", "0", "1"}, {"30", "0", "0", "1", "1"}});
    alternaMarca(r, 1, false);
    marcaTodas(r, true);
    EXPECT_EQ(marcas(r), QStringLiteral("SNS"));
    marcaTodas(r, false);
    EXPECT_EQ(marcas(r), QStringLiteral("SSS"));
    desmarcaTodas(r);
    EXPECT_EQ(marcas(r), QStringLiteral("NNN"));
}

TEST(Marcacao, PorEmpresaSemDadosBancarios) {
    ResultSet r(
        {{QStringLiteral("TOTAL"), TipoCampo::Decimal}, {QStringLiteral("marcado"), TipoCampo::Texto, 1}});
    r.acrescenta();
    r.define("TOTAL", QStringLiteral("1.5"));
    r.define("marcado", QStringLiteral("N"));
    marcaTodas(r, false);
    EXPECT_EQ(marcas(r), QStringLiteral("S"));
    EXPECT_EQ(somaTotais(r, "TOTAL").marcado, Money::deUnidades(15000));
}

TEST(Totais, ComJurosSomaMultaEJurosFaltandoContamZero) {
    Regional::definir(Regional::brasileiro());
    ResultSet r = clientes({{"1000.10", "20.002", "3.0001", "1", "1"},
                            {"234.46", nullptr, nullptr, "1", "1"},
                            {"0.01", "0", "0", "1", "1"}});
    EXPECT_EQ(r.valor(0, "totalcomjuros").dinheiro(), Money::deUnidades(10231021));
    EXPECT_EQ(r.valor(1, "totalcomjuros").dinheiro(), Money::deCentavos(23446));
    alternaMarca(r, 1, false);
    alternaMarca(r, 2, false);
    const Totais t = somaTotais(r, "totalcomjuros");
    EXPECT_EQ(textoTotal(t.geral), QStringLiteral("R$ 1.257,57"));
    EXPECT_EQ(textoTotal(t.marcado), QStringLiteral("R$ 234,47"));
}

struct CasoCor {
    bool marcada, invalida, atual;
    CorDaLinha cor;
};

TEST(CorDaLinha, AtualSobreContaInvalidaSobreMarcada) {
    const CasoCor casos[] = {
        {false, false, false, CorDaLinha::Normal},      {true, false, false, CorDaLinha::Marcada},
        {true, true, false, CorDaLinha::ContaInvalida}, {false, true, false, CorDaLinha::ContaInvalida},
        {true, true, true, CorDaLinha::Atual},          {true, false, true, CorDaLinha::Atual}};
    for (const CasoCor &c : casos)
        EXPECT_EQ(corDaLinha(c.marcada, c.invalida, c.atual), c.cor) << c.marcada << c.invalida << c.atual;
}

TEST(Listagem, ColunaDeDataEFiltroFilialSemBanco) {
    EXPECT_EQ(CampoDataDe(QStringLiteral("Venda")), QStringLiteral("datahora"));
    EXPECT_EQ(CampoDataDe(QStringLiteral("Vencimento")), QStringLiteral("vencimento"));
    EXPECT_EQ(CampoDataDe(QStringLiteral("venda")), QStringLiteral("vencimento"));
    EXPECT_TRUE(FiltroFilial(1, 2));
    EXPECT_FALSE(FiltroFilial(3, 3));
}

} // namespace
