#include "db/Connection.h"
#include "reports/URelBoletos.h"
#include "retorno/ArquivoRetorno.h"
#include "tests/app/JanelaDeTeste.h"
#include "tests/reconexao/ServidorProprio.h"
#include "tests/retorno/LojaDeTitulos.h"
#include "util/Clock.h"
#include "util/Erro.h"

#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTest>
#include <QThread>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace {

const QString Perdida = QStringLiteral("A conexão com o banco de dados foi perdida");

class Reconexao : public testing::Test {
protected:
    void SetUp() override {
        if (!servidor.valido())
            GTEST_SKIP()
                << "MYSQL_UNIX_PORT must name a server of these tests' own (a folder named reconexao)";
        c.configura(QString(), banco.nome(), BancoDeTeste::senhaPadrao());
    }

    qint64 idDe(Connection &conexao) {
        return conexao.abre(QStringLiteral("select connection_id()")).valor(0, 0).inteiroLongo();
    }

    // Kills a session from the test's other connection and waits until the server has let it go.
    void mata(qint64 id) {
        Connection &outra = banco.conexao();
        outra.executa(QStringLiteral("kill %1").arg(id));
        for (int i = 0; i < 100; ++i) {
            if (outra
                    .abre(
                        QStringLiteral("select id from information_schema.processlist where id = %1").arg(id))
                    .vazio())
                return;
            QThread::msleep(20);
        }
        FAIL() << "session " << id << " still there";
    }

    qint64 lancamentos() {
        return banco.conexao().abre(QStringLiteral("select count(*) from nlanc")).valor(0, 0).inteiroLongo();
    }

    // The database lives through the server's restarts; the server is started again before it is dropped.
    BancoDeTeste banco;
    ServidorProprio servidor;
    Connection c;
};

// Text in double quotes and loose grouping must keep working after a reconnection, even when the
// server's own mode would refuse them.
TEST_F(Reconexao, ConsultaDepoisDeKillReconectaComOMesmoModoSql) {
    banco.conexao().executa(QStringLiteral("set global sql_mode = 'ANSI_QUOTES,ONLY_FULL_GROUP_BY'"));
    const auto restaura =
        qScopeGuard([&] { banco.conexao().executa(QStringLiteral("set global sql_mode = default")); });
    const QString modo = c.abre(QStringLiteral("select @@session.sql_mode")).valor(0, 0).texto();
    const qint64 id = idDe(c);

    mata(id);

    EXPECT_NE(idDe(c), id);
    EXPECT_EQ(c.abre(QStringLiteral("select @@session.sql_mode")).valor(0, 0).texto(), modo);
    EXPECT_EQ(c.abre(QStringLiteral("select \"N\" as marcado")).valor(0, 0).texto(), QStringLiteral("N"));
}

// A statement that never reached the server (the session was gone before it was sent) runs on the new one.
TEST_F(Reconexao, AlteracaoDepoisDeKillRodaNaNovaConexao) {
    mata(idDe(c));
    EXPECT_EQ(c.executa(QStringLiteral("insert into nlanc () values ()")), 1);
    EXPECT_EQ(lancamentos(), 1);
}

// After a pause the connection is checked before a change is sent, so a session gone in the meantime
// (over TCP the first write to it would seem to go through) costs the change nothing.
TEST_F(Reconexao, AlteracaoDepoisDeUmaPausaConfirmaAConexaoAntes) {
    mata(idDe(c));
    QThread::msleep(1100);
    EXPECT_EQ(c.executa(QStringLiteral("insert into nlanc () values ()")), 1);
    EXPECT_EQ(lancamentos(), 1);
}

// A change cut while the server ran it is never sent again: the operator learns the connection was lost
// and that the change may not have been made.
TEST_F(Reconexao, AlteracaoCortadaNaoSeRepete) {
    const qint64 id = idDe(c);
    std::thread assassino([&] {
        QThread::msleep(300);
        Connection outra;
        outra.configura(QString(), banco.nome(), BancoDeTeste::senhaPadrao());
        outra.executa(QStringLiteral("kill %1").arg(id));
    });
    try {
        c.executa(QStringLiteral("insert into nlanc (nlanc_id) select null from (select sleep(5)) as s"));
        ADD_FAILURE() << "the insert ran to its end";
    } catch (const Erro &e) {
        EXPECT_TRUE(e.texto().startsWith(Perdida)) << e.what();
        EXPECT_TRUE(e.texto().contains(QStringLiteral("não se sabe se a alteração foi gravada"))) << e.what();
        EXPECT_TRUE(e.texto().contains(QStringLiteral("Lost connection"))) << e.what();
    }
    assassino.join();
    EXPECT_EQ(lancamentos(), 0);

    // The next statement connects again and runs.
    EXPECT_EQ(c.executa(QStringLiteral("insert into nlanc () values ()")), 1);
    EXPECT_EQ(lancamentos(), 1);
}

// Inside a transaction nothing is reopened: the server has undone it, and going on in a fresh auto-commit
// session would write half of it. A change and a query both stop there.
TEST_F(Reconexao, TransacaoPerdidaChegaAoChamador) {
    const std::function<void()> passos[] = {
        [&] { c.executa(QStringLiteral("insert into nlanc () values ()")); },
        [&] { c.abre(QStringLiteral("select count(*) from nlanc")); }};
    for (const auto &passo : passos) {
        c.executa(QStringLiteral("start transaction"));
        c.executa(QStringLiteral("insert into nlanc () values ()"));
        ASSERT_TRUE(c.emTransacao());
        mata(idDe(c));
        try {
            passo();
            ADD_FAILURE() << "went on after the transaction was lost";
        } catch (const Erro &e) {
            EXPECT_TRUE(e.texto().startsWith(Perdida + QStringLiteral(" no meio da operação"))) << e.what();
        }
        EXPECT_FALSE(c.emTransacao());
    }
    EXPECT_EQ(lancamentos(), 0);
    // The caller's rollback and what follows run on a new session.
    c.executa(QStringLiteral("rollback"));
    EXPECT_EQ(c.executa(QStringLiteral("insert into nlanc () values ()")), 1);
    EXPECT_EQ(lancamentos(), 1);
}

TEST_F(Reconexao, ServidorParadoDizQueNaoReconectouEDepoisVolta) {
    idDe(c);
    servidor.para();
    try {
        c.abre(QStringLiteral("select 1"));
        ADD_FAILURE() << "no error with the server stopped";
    } catch (const Erro &e) {
        EXPECT_TRUE(e.texto().startsWith(Perdida + QStringLiteral(" e não pôde ser restabelecida.")))
            << e.what();
        EXPECT_TRUE(e.texto().contains(QStringLiteral("Motivo: "))) << e.what();
    }
    servidor.inicia();
    EXPECT_EQ(c.abre(QStringLiteral("select 1")).linhas(), 1);
}

// The operator lists, the server restarts, the operator lists again: the second listing works.
TEST_F(Reconexao, ServidorReiniciadoAProximaListagemFunciona) {
    banco.empresa(1);
    banco.cliente(1);
    banco.receber();
    MensagensGravadas mensagens;
    PastaDoPrograma programa;
    programa.iniPara(banco);
    bool ok = false;
    auto janela = programa.inicia(&ok);
    ASSERT_TRUE(ok) << mensagens.mostradas.join('\n').toStdString();
    const auto lista = [&] {
        QTest::mouseClick(janela->tabExporta->sbListarFunc, Qt::LeftButton);
        return janela->tabExporta->dbFuncs->model()->rowCount();
    };
    ASSERT_EQ(lista(), 1);

    servidor.reinicia();

    EXPECT_EQ(lista(), 1);
    EXPECT_TRUE(mensagens.mostradas.isEmpty()) << mensagens.mostradas.join('\n').toStdString();
}

// The report dialog shows why the statement failed, in the operator's language, after its fixed text.
TEST_F(Reconexao, RelatorioComServidorParadoMostraOMotivo) {
    MensagensGravadas mensagens;
    TFRelBoletos dialogo{c};
    idDe(c);
    servidor.para();

    QTest::mouseClick(dialogo.btnOK, Qt::LeftButton);

    ASSERT_EQ(mensagens.mostradas.size(), 1);
    EXPECT_TRUE(mensagens.mostradas[0].startsWith(
        QStringLiteral("mensagem: Erro ao executar SQL.\n") + Perdida +
        QStringLiteral(" e não pôde ser restabelecida.\nMotivo: Can't connect to local server")))
        << mensagens.mostradas[0].toStdString();
    EXPECT_TRUE(dialogo.btnOK->isEnabled());
}

// The server stops while row 15 of a settlement is half done. Once it is back, rows 1 to 14 are settled and
// recorded and row 15 neither; loaded and processed again, the store ends as one clean settlement.
TEST_F(Reconexao, ServidorParadoNoMeioDaBaixaERefeitaIgualAUmaBaixaLimpa) {
    constexpr int documentos = 40;
    const QByteArray impressao = ImpressaoDoArquivo("retorno de 40 títulos");
    Clock::fixar(loja::Agora);
    const auto solta = qScopeGuard([] { Clock::fixar(std::nullopt); });
    const QString limpa = loja::BaixaLimpa(documentos, impressao);
    loja::Prepara(banco, documentos);
    loja::CortaERefaz(
        c, banco.nome(), documentos, 15, impressao, [this](Connection &, qint64) { servidor.para(); },
        [this] { servidor.inicia(); }, limpa);
}

TEST_F(Reconexao, ServidorParadoNoInicioVaiParaORegistro) {
    MensagensGravadas mensagens;
    PastaDoPrograma programa;
    programa.iniPara(banco);
    servidor.para();

    bool ok = true;
    programa.inicia(&ok);

    EXPECT_FALSE(ok);
    EXPECT_EQ(
        mensagens.mostradas,
        QStringList{QStringLiteral("aviso: É necessário que o Bolix esteja instalado neste computador.")});
    const QStringList registro = programa.registroDeFalhas();
    ASSERT_EQ(registro.size(), 1);
    EXPECT_TRUE(
        registro[0].contains(QStringLiteral(" conexão com o banco de dados: Can't connect to local server "
                                            "through socket")))
        << registro[0].toStdString();
}

} // namespace
