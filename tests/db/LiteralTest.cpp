#include "db/Literal.h"
#include "tests/support/BancoDeTeste.h"
#include "util/Erro.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

struct CasoLiteral {
    const char *caso;
    QString literal;
    const char *esperado;
};
void PrintTo(const CasoLiteral &c, std::ostream *os) {
    *os << c.caso;
}

class Literais : public testing::TestWithParam<CasoLiteral> {};

TEST_P(Literais, FormaUnica) {
    EXPECT_EQ(GetParam().literal, QString::fromUtf8(GetParam().esperado));
}

const QDate bissexto(2024, 2, 29);

INSTANTIATE_TEST_SUITE_P(
    Casos, Literais,
    testing::Values(
        CasoLiteral{"inteiro_zero", Literal(0), "0"}, CasoLiteral{"inteiro_negativo", Literal(-17), "-17"},
        CasoLiteral{"inteiro_longo", Literal(qint64(123456789012345)), "123456789012345"},
        CasoLiteral{"real_inteiro", Literal(100.0), "100"}, CasoLiteral{"real", Literal(12.5), "12.5"},
        CasoLiteral{"real_binario", Literal(0.1 + 0.2), "0.3"},
        CasoLiteral{"real_15_digitos", Literal(1.0 / 3), "0.333333333333333"},
        CasoLiteral{"real_15_digitos_arredonda", Literal(-2.0 / 3 * 100), "-66.6666666666667"},
        CasoLiteral{"real_pequeno_sem_expoente", Literal(1e-05), "0.00001"},
        CasoLiteral{"real_pequeno_negativo", Literal(-1.5e-07), "-0.00000015"},
        CasoLiteral{"real_pequeno_15_digitos", Literal(1.0 / 3 * 1e-6), "0.000000333333333333333"},
        CasoLiteral{"real_menor_sem_expoente", Literal(0.0001), "0.0001"},
        CasoLiteral{"real_grande_sem_expoente", Literal(123456789012345678.0), "123456789012346000"},
        CasoLiteral{"real_16_digitos", Literal(1e15), "1000000000000000"},
        CasoLiteral{"real_15_digitos_inteiros", Literal(999999999999999.0), "999999999999999"},
        CasoLiteral{"dinheiro", Literal(Money::deUnidades(333333)), "33.3333"},
        CasoLiteral{"dinheiro_minimo", Literal(Money::deUnidades(-1)), "-0.0001"},
        CasoLiteral{"dinheiro_inteiro", Literal(Money::deCentavos(10000)), "100"},
        CasoLiteral{"dinheiro_zero", Literal(Money()), "0"},
        CasoLiteral{"data", Literal(bissexto), "'2024-02-29'"},
        CasoLiteral{"data_zero", Literal(QDate()), "'0000-00-00'"},
        CasoLiteral{"data_ano_de_tres_digitos", Literal(QDate(999, 1, 5)), "'0999-01-05'"},
        CasoLiteral{"momento_ano_de_cinco_digitos", Literal(QDateTime(QDate(10000, 12, 31), QTime(9, 8, 7))),
                    "'10000-12-31 09:08:07'"},
        CasoLiteral{"momento_meia_noite", Literal(QDateTime(bissexto, QTime(0, 0))), "'2024-02-29'"},
        CasoLiteral{"momento_segundos_truncados", Literal(QDateTime(bissexto, QTime(13, 5, 9, 999))),
                    "'2024-02-29 13:05:09'"},
        CasoLiteral{"momento_um_segundo", Literal(QDateTime(bissexto, QTime(0, 0, 1))),
                    "'2024-02-29 00:00:01'"},
        CasoLiteral{"momento_zero", Literal(QDateTime()), "'0000-00-00'"},
        CasoLiteral{"vazio_inteiro", Literal(std::optional<int>()), "NULL"},
        CasoLiteral{"opcional_dinheiro", Literal(std::optional<Money>(Money::deCentavos(150))), "1.5"},
        CasoLiteral{"vazio_data", Literal(std::optional<QDate>()), "NULL"}));

TEST(LiteralTexto, EscapaComoOClienteEntreAspasSimples) {
    BancoDeTeste banco;
    Connection &c = banco.conexao();
    const struct {
        QString texto;
        QString esperado;
    } casos[] = {
        {QString(), QStringLiteral("''")},
        {QStringLiteral("O'Brien"), QStringLiteral("'O\\'Brien'")},
        {QStringLiteral("diz \"sim\""), QStringLiteral("'diz \\\"sim\\\"'")},
        {QStringLiteral("C:\\remessa"), QStringLiteral("'C:\\\\remessa'")},
        {QString::fromUtf8("a\0b\nc\rd\x1a", 8), QStringLiteral("'a\\0b\\nc\\rd\\Z'")},
        {QStringLiteral("Ação"), QStringLiteral("'Ação'")},
    };
    for (const auto &caso : casos)
        EXPECT_EQ(Literal(c, caso.texto), caso.esperado) << caso.texto.toStdString();
    EXPECT_EQ(Literal(c, std::optional<QString>()), QStringLiteral("NULL"));
}

// Whatever a literal holds, the server reads back the same value.
TEST(LiteralTexto, VoltaIgualDeUmaColunaLatin1) {
    BancoDeTeste banco;
    Connection &c = banco.conexao();
    const QString textos[] = {
        QStringLiteral("O'Brien \"aspas\" \\barra\\ ;--"),
        QString::fromUtf8("linha\nnova\rretorno\x1a"
                          "fim\0nulo",
                          28),
        // Windows-1252 beyond Latin-1: the server's latin1 is that code page.
        QStringLiteral("João Ção “citação” ‘x’ € – — … Š œ Ÿ ™ •"),
    };
    int id = 0;
    for (const QString &t : textos) {
        ++id;
        c.executa(QStringLiteral("insert into clientes (clientes_id, nome, endereco) values (%1, %2, %2)")
                      .arg(id)
                      .arg(Literal(c, t)));
        const ResultSet rs =
            c.abre(QStringLiteral("select endereco from clientes where clientes_id = %1").arg(id));
        EXPECT_EQ(rs.valor(0, 0).texto(), t);
    }
    // Stored as single Windows-1252 bytes, not as UTF-8.
    const ResultSet hex = c.abre(QStringLiteral("select hex(nome) from clientes where clientes_id = 3"));
    EXPECT_EQ(
        hex.valor(0, 0).texto(),
        QStringLiteral("4A6FE36F20C7E36F209363697461E7E36F94209178922080209620972085208A209C209F20992095"));
}

// The server reads at most 65 digits of a decimal literal and silently takes 65 nines for more.
TEST(LiteralNumero, SemLiteralForaDoAlcanceDoServidor) {
    EXPECT_THROW(Literal(std::numeric_limits<double>::infinity()), Erro);
    EXPECT_THROW(Literal(std::numeric_limits<double>::quiet_NaN()), Erro);
    EXPECT_THROW(Literal(1e65), Erro);
    EXPECT_THROW(Literal(-std::numeric_limits<double>::max()), Erro);
    EXPECT_EQ(Literal(9.99999999999999e64).size(), 65);
}

// Values that the general format would write with an exponent find their row on the server.
TEST(LiteralNumero, ValoresExtremosAchamSuaLinha) {
    BancoDeTeste banco;
    Connection &c = banco.conexao();
    const double valores[] = {1e-05, -1.5e-07, 123456789012345678.0, 1e15, 2.5};
    c.executa(QStringLiteral("create temporary table extremos (id int, x double)"));
    int id = 0;
    for (const double v : valores)
        c.executa(QStringLiteral("insert into extremos values (%1, %2)").arg(++id).arg(Literal(v)));
    id = 0;
    for (const double v : valores) {
        const ResultSet rs =
            c.abre(QStringLiteral("select id, x from extremos where x = %1").arg(Literal(v)));
        ASSERT_EQ(rs.linhas(), 1) << Literal(v).toStdString();
        EXPECT_EQ(rs.valor(0, "id").inteiro(), ++id);
        EXPECT_EQ(Literal(rs.valor(0, "x").real()), Literal(v));
    }
}

TEST(LiteralNumeroEData, ServidorLeOMesmoValor) {
    BancoDeTeste banco;
    Connection &c = banco.conexao();
    const Money dinheiro = Money::deUnidades(-1234567891234);
    const double real = 2.0 / 3;
    const QDateTime momento(QDate(1999, 12, 31), QTime(23, 59, 58));
    const ResultSet rs = c.abre(
        QStringLiteral("select %1 as d, %2 as r, cast(%3 as datetime) as m, "
                       "cast(%4 as date) as dt, %5 as n")
            .arg(Literal(dinheiro), Literal(real), Literal(momento), Literal(momento.date()), LiteralNulo()));
    EXPECT_EQ(rs.valor(0, "d").dinheiro(), dinheiro);
    EXPECT_DOUBLE_EQ(rs.valor(0, "r").real(), real);
    EXPECT_EQ(rs.valor(0, "m").dataHora(), momento);
    EXPECT_EQ(rs.valor(0, "dt").data(), momento.date());
    EXPECT_TRUE(rs.valor(0, "n").nulo());
}

} // namespace
