#include "db/Connection.h"
#include "tests/support/BancoDeTeste.h"
#include "util/Erro.h"
#include "util/Rotinas.h"

#include <gtest/gtest.h>

namespace {

QString primeiro(Connection &c, const QString &sql) {
    return c.abre(sql).valor(0, 0).texto();
}

TEST(Conexao, OPadraoDecifradoEhASenhaDoServidor) {
    BancoDeTeste banco;
    const QByteArray senha =
        CifraBytes(QStringLiteral("D"), QStringLiteral("7C05E19B3A62F0D84E21"), QStringLiteral("QRX"));
    ASSERT_EQ(senha, BancoDeTeste::senhaPadrao());

    // As start-up connects with no configuration file: empty host, the database, the deciphered text.
    Connection c;
    c.configura(QString(), banco.nome(), senha);
    EXPECT_FALSE(c.conectada());
    EXPECT_EQ(primeiro(c, QStringLiteral("select current_user()")), QStringLiteral("root@localhost"));
    EXPECT_TRUE(c.conectada());
    EXPECT_EQ(primeiro(c, QStringLiteral("select database()")), banco.nome());
    EXPECT_EQ(primeiro(c, QStringLiteral("select @@autocommit")), QStringLiteral("1"));
    EXPECT_EQ(primeiro(c, QStringLiteral("select @@character_set_client")), QStringLiteral("utf8mb4"));
}

TEST(Conexao, FalhaDeConexaoTrazOTextoDoServidor) {
    Connection c;
    c.configura(QString(), QString(), QByteArrayLiteral("errada"));
    try {
        c.conecta();
        FAIL() << "connected with a wrong password";
    } catch (const Erro &e) {
        EXPECT_TRUE(e.texto().contains(QStringLiteral("Access denied for user 'root'@'localhost'")))
            << e.what();
    }
    EXPECT_FALSE(c.conectada());
}

struct CasoModo {
    const char *servidor;
    const char *sessao;
};
void PrintTo(const CasoModo &c, std::ostream *os) {
    *os << '"' << c.servidor << '"';
}

class ModoSql : public testing::TestWithParam<CasoModo> {};

TEST_P(ModoSql, TiraAspasDuplasComoIdentificadorEAgrupamentoEstrito) {
    EXPECT_EQ(Connection::modoSqlPermissivo(QString::fromLatin1(GetParam().servidor)),
              QString::fromLatin1(GetParam().sessao));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ModoSql,
    testing::Values(
        CasoModo{"STRICT_TRANS_TABLES,ERROR_FOR_DIVISION_BY_ZERO,NO_AUTO_CREATE_USER,NO_ENGINE_SUBSTITUTION",
                 "STRICT_TRANS_TABLES,ERROR_FOR_DIVISION_BY_ZERO,NO_AUTO_CREATE_USER,NO_ENGINE_SUBSTITUTION"},
        CasoModo{"ONLY_FULL_GROUP_BY,STRICT_TRANS_TABLES,ANSI_QUOTES", "STRICT_TRANS_TABLES"},
        // A composite mode shows expanded, with its own name, which would bring ANSI_QUOTES back.
        CasoModo{"REAL_AS_FLOAT,PIPES_AS_CONCAT,ANSI_QUOTES,IGNORE_SPACE,ONLY_FULL_GROUP_BY,ANSI",
                 "REAL_AS_FLOAT,PIPES_AS_CONCAT,IGNORE_SPACE"},
        CasoModo{"", ""}));

TEST(Conexao, SessaoAceitaTextoEntreAspasDuplasEAgrupamentoLivre) {
    BancoDeTeste banco;
    Connection &c = banco.conexao();
    EXPECT_EQ(primeiro(c, QStringLiteral("select @@session.sql_mode")),
              Connection::modoSqlPermissivo(primeiro(c, QStringLiteral("select @@global.sql_mode"))));
    banco.cliente(1, {{"empresa_id", 1}});
    banco.cliente(2, {{"empresa_id", 1}});
    // A column that is neither grouped nor summed, as the listings read it.
    const ResultSet rs =
        c.abre(QStringLiteral("select empresa_id, nome, \"N\" as marcado from clientes group by "
                              "empresa_id"));
    ASSERT_EQ(rs.linhas(), 1);
    EXPECT_EQ(rs.valor(0, "marcado").texto(), QStringLiteral("N"));
}

TEST(Conexao, ErroDoServidorChegaComSeuTexto) {
    BancoDeTeste banco;
    try {
        banco.conexao().executa(QStringLiteral("update naoexiste set x = 1"));
        FAIL() << "no error";
    } catch (const Erro &e) {
        EXPECT_EQ(e.texto(), QStringLiteral("Table '%1.naoexiste' doesn't exist").arg(banco.nome()));
    }
    // The connection stays usable after a failed statement.
    EXPECT_EQ(banco.conexao().abre(QStringLiteral("select 1")).linhas(), 1);
}

// Several statements in one request: each answer in order, a semicolon inside a text is no end of
// statement, and an error stops the request at the statement it names, the connection going on.
TEST(Conexao, LoteLidoEmOrdemParaNoComandoQueFalha) {
    BancoDeTeste banco;
    Connection &c = banco.conexao();
    const qint64 antes = c.pedidos();
    const std::vector<ResultSet> r =
        c.abreLote({QStringLiteral("select 1"), QStringLiteral("select 2 union select 3"),
                    QStringLiteral("select \"a;b\"")});
    EXPECT_EQ(c.pedidos(), antes + 1);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].valor(0, 0).texto(), QStringLiteral("1"));
    EXPECT_EQ(r[1].linhas(), 2);
    EXPECT_EQ(r[2].valor(0, 0).texto(), QStringLiteral("a;b"));
    try {
        c.executaLote({QStringLiteral("insert into nlanc () values ()"),
                       QStringLiteral("insert into naoexiste values (1)"),
                       QStringLiteral("insert into nlanc () values ()")});
        FAIL() << "no error";
    } catch (const ErroNoLote &e) {
        EXPECT_EQ(e.comando, 1);
        EXPECT_FALSE(e.conexaoPerdida);
        EXPECT_EQ(e.texto(), QStringLiteral("Table '%1.naoexiste' doesn't exist").arg(banco.nome()));
    }
    EXPECT_EQ(primeiro(c, QStringLiteral("select count(*) from nlanc")), QStringLiteral("1"));
}

TEST(Conexao, UltimoIdEhONumeroQueOInsertGerou) {
    BancoDeTeste banco;
    Connection &c = banco.conexao();
    c.executa(QStringLiteral("insert into nlanc () values ()"));
    const qint64 primeiroId = c.ultimoId();
    c.executa(QStringLiteral("insert into nlanc () values ()"));
    EXPECT_EQ(c.ultimoId(), primeiroId + 1);
    EXPECT_EQ(c.abre(QStringLiteral("select max(nlanc_id) from nlanc")).valor(0, 0).inteiroLongo(),
              c.ultimoId());
}

TEST(Conexao, ExecutaDizQuantasLinhasMudou) {
    BancoDeTeste banco;
    for (int i = 0; i < 3; ++i)
        banco.receber({{"lojas_leram2", "00001234"}});
    banco.receber({{"lojas_leram2", "00009999"}});
    EXPECT_EQ(banco.conexao().executa(
                  QStringLiteral("update receber set lojas_leram2 = \"\" where lojas_leram2 = \"00001234\"")),
              3);
}

// Escaped text between double or single quotes reads back as it was, whether it needed escaping or not.
TEST(Conexao, TextoEscapadoVoltaComoEra) {
    BancoDeTeste banco;
    Connection &c = banco.conexao();
    for (const QString &texto : {QStringLiteral("0000001234"), QStringLiteral(""), QStringLiteral("a\"b"),
                                 QStringLiteral("a'b"), QStringLiteral("c:\\pasta"), QStringLiteral("x\r\ny"),
                                 QStringLiteral("fim\x1a"), QStringLiteral("ação \" or 1=1 -- ")}) {
        SCOPED_TRACE(texto.toStdString());
        const QString escapado = c.escapa(texto);
        EXPECT_EQ(primeiro(c, QStringLiteral("select \"%1\"").arg(escapado)), texto);
        EXPECT_EQ(primeiro(c, QStringLiteral("select '%1'").arg(escapado)), texto);
    }
}

TEST(Conexao, EsperaAcompanhaCadaComandoMesmoQuandoFalha) {
    BancoDeTeste banco;
    Connection &c = banco.conexao();
    QList<bool> avisos;
    c.defineEspera([&](bool emExecucao) { avisos << emExecucao; });
    c.abre(QStringLiteral("select 1"));
    EXPECT_THROW(c.executa(QStringLiteral("select * from naoexiste")), Erro);
    EXPECT_EQ(avisos, (QList<bool>{true, false, true, false}));
    // The database is dropped after avisos has gone.
    c.defineEspera({});
}

} // namespace
