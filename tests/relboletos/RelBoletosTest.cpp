#include "reports/RelatorioBoletos.h"
#include "reports/URelBoletos.h"
#include "tests/support/BancoDeTeste.h"
#include "tests/support/DigitaData.h"
#include "tests/support/MensagensGravadas.h"
#include "util/Clock.h"
#include "util/Regional.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// Readable failures for texts.
void PrintTo(const QString &texto, std::ostream *os) {
    *os << '"' << texto.toStdString() << '"';
}

namespace {

const QDate Inicio(2026, 11, 2);
const QDate Fim(2026, 11, 6);

QStringList linhasDoArquivo(const QString &caminho) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return {QStringLiteral("<cannot read %1>").arg(caminho)};
    // Windows-1252 as written; the report's only accented letter is the same in Latin-1.
    return QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"));
}

class RelBoletosTest : public testing::Test {
protected:
    BancoDeTeste banco;
    MensagensGravadas mensagens;
    QTemporaryDir pasta;
    QString pastaAnterior = QDir::currentPath();
    TFRelBoletos dialogo{banco.conexao()};
    // What the viewer was asked to show, and whether the controls were disabled meanwhile.
    QStringList visualizados;
    bool habilitadosDuranteExecucao = false;

    void SetUp() override {
        Regional::definir(Regional::brasileiro());
        Clock::fixar(QDateTime(QDate(2026, 12, 9), QTime(10, 30, 59)));
        QDir::setCurrent(pasta.path());
        dialogo.defineIniciador([this](const QString &, const QStringList &argumentos) {
            visualizados << argumentos.join(QLatin1Char(' '));
            habilitadosDuranteExecucao = habilitadosDuranteExecucao || dialogo.btnOK->isEnabled() ||
                                         dialogo.btnFechar->isEnabled() || dialogo.dtInicial->isEnabled() ||
                                         dialogo.dtFinal->isEnabled();
            return true;
        });
        dialogo.show();
    }

    void TearDown() override {
        QDir::setCurrent(pastaAnterior);
        Clock::fixar(std::nullopt);
    }

    // One boleto per client: launch number 1000 + i, boleto 700000 + i, a date inside the period.
    void boletos(int quantidade) {
        for (int i = 1; i <= quantidade; ++i) {
            banco.cliente(i);
            banco.receber({{"clientes_id", i},
                           {"numlanc", 1000 + i},
                           {"lojas_leram2", QString::number(700000 + i)},
                           {"datahora", QDateTime(Inicio.addDays(i % 5), QTime(9, i % 60))},
                           {"valortotal", Money::deCentavos(12345 * i)}});
        }
    }

    void gera(QDate inicial, QDate final, OrdemBoletos ordem = OrdemBoletos::Cliente) {
        dialogo.dtInicial->setDate(inicial);
        dialogo.dtFinal->setDate(final);
        dialogo.ordem->button(int(ordem))->setChecked(true);
        QTest::mouseClick(dialogo.btnOK, Qt::LeftButton);
    }

    QString relatorio() const { return QDir(pasta.path()).filePath(QStringLiteral("Relatorio.txt")); }

    void confereComEsperado(const char *nome) {
        EXPECT_EQ(linhasDoArquivo(relatorio()),
                  linhasDoArquivo(QStringLiteral(RELBOLETOS_ESPERADO "/") + QLatin1String(nome)));
        EXPECT_EQ(visualizados, QStringList{relatorio() + QStringLiteral(" 132")});
        EXPECT_FALSE(habilitadosDuranteExecucao);
        EXPECT_TRUE(mensagens.mostradas.isEmpty())
            << mensagens.mostradas.join(QLatin1Char('\n')).toStdString();
        controlesHabilitados();
    }

    void controlesHabilitados() {
        EXPECT_TRUE(dialogo.btnOK->isEnabled() && dialogo.btnFechar->isEnabled() &&
                    dialogo.dtInicial->isEnabled() && dialogo.dtFinal->isEnabled());
    }
};

// Page 1 holds the header block and 60 lines: 57 rows, the hyphens and the closing line.
TEST_F(RelBoletosTest, CinquentaESeteBoletosCabemNaPrimeiraPagina) {
    boletos(57);
    gera(Inicio, Fim);
    confereComEsperado("relatorio_57.txt");
}

// The closing line is the last of page 1; the break still comes and leaves a page with its header alone.
TEST_F(RelBoletosTest, CinquentaEOitoBoletosDeixamUmaPaginaSoComCabecalho) {
    boletos(58);
    gera(Inicio, Fim);
    confereComEsperado("relatorio_58.txt");
}

TEST_F(RelBoletosTest, SessentaEUmBoletosPassamParaASegundaPagina) {
    boletos(61);
    gera(Inicio, Fim);
    confereComEsperado("relatorio_61.txt");
}

// One launch number is one row with the sum of its receivables; only boletos of the period, of type 0 or
// 99, with a launch number and a boleto number, are listed; an empty boleto number shows blank.
TEST_F(RelBoletosTest, PorNumeroDoBloquetoComOsFiltrosDaConsulta) {
    banco.cliente(1, {{"nome", "Cliente com um nome mais longo que a coluna"}});
    banco.cliente(2, {{"nome", "Érica"}});
    const QDateTime dia(Inicio, QTime(0, 0));
    const auto boleto = [&](int numlanc, const ValorDeTeste &bloqueto, QDateTime quando, double valor,
                            int tipo = 0, int cliente = 1) {
        banco.receber({{"clientes_id", cliente},
                       {"numlanc", numlanc},
                       {"lojas_leram2", bloqueto},
                       {"datahora", quando},
                       {"valortotal", valor},
                       {"tipo", tipo}});
    };
    boleto(10, "300", dia, 1234567.891);
    boleto(10, "300", dia, 0.119);
    boleto(11, "", dia.addSecs(3600), 50, 0, 2);
    boleto(12, "100", QDateTime(Inicio, QTime(23, 59, 59)), 7.5, 99, 2);
    boleto(13, "200", dia.addSecs(60), 0.004);
    boleto(14, ValorDeTeste(), dia, 1);                     // no boleto number
    boleto(0, "400", dia, 1);                               // no launch number
    boleto(15, "500", dia, 1, 5);                           // another type
    boleto(16, "600", dia.addSecs(-1), 1);                  // the day before
    boleto(17, "700", QDateTime(Inicio.addDays(1), {}), 1); // the day after
    gera(Inicio, Inicio, OrdemBoletos::NumeroBloqueto);
    confereComEsperado("relatorio_bloqueto.txt");
}

TEST_F(RelBoletosTest, PeriodoInvertidoNaoTemInformacao) {
    boletos(3);
    gera(Fim, Inicio);
    EXPECT_EQ(mensagens.mostradas,
              QStringList{QStringLiteral("mensagem: Sem informação para esta seleção.")});
    EXPECT_FALSE(QFile::exists(relatorio()));
    EXPECT_TRUE(visualizados.isEmpty());
    controlesHabilitados();
}

TEST_F(RelBoletosTest, ConsultaQueFalhaMostraErroDeSql) {
    banco.conexao().executa(QStringLiteral("drop table clientes"));
    gera(Inicio, Fim);
    // The fixed text, then the server's reason.
    EXPECT_EQ(mensagens.mostradas,
              QStringList{QStringLiteral("mensagem: Erro ao executar SQL.\nTable '%1.clientes' doesn't exist")
                              .arg(banco.nome())});
    EXPECT_FALSE(QFile::exists(relatorio()));
    controlesHabilitados();

    // The dialog stays usable.
    banco.conexao().executa(QStringLiteral("create table clientes (clientes_id int, nome varchar(50))"));
    gera(Inicio, Fim);
    EXPECT_EQ(mensagens.mostradas.last(), QStringLiteral("mensagem: Sem informação para esta seleção."));
}

TEST_F(RelBoletosTest, RelatorioQueNaoSeGravaMostraOErroSemVisualizar) {
    boletos(1);
    ASSERT_TRUE(QDir(pasta.path()).mkdir(QStringLiteral("Relatorio.txt")));
    gera(Inicio, Fim);
    ASSERT_EQ(mensagens.mostradas.size(), 1);
    EXPECT_TRUE(mensagens.mostradas[0].startsWith(QStringLiteral("erro: ")))
        << mensagens.mostradas[0].toStdString();
    EXPECT_TRUE(visualizados.isEmpty());
    controlesHabilitados();
}

TEST_F(RelBoletosTest, EnterNaDataInicialPassaParaAFinal) {
    boletos(1);
    dialogo.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialogo));
    dialogo.dtInicial->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), dialogo.dtFinal);
    EXPECT_FALSE(QFile::exists(relatorio()));
    EXPECT_TRUE(mensagens.mostradas.isEmpty());
}

TEST(SqlRelatorioBoletos, HoraComOSeparadorRegional) {
    Regional regional = Regional::brasileiro();
    regional.separadorHora = QStringLiteral(".");
    Regional::definir(regional);
    const QString sql = SqlRelatorioBoletos({QDate(2026, 1, 5), QDate(2026, 2, 28)}, OrdemBoletos::Data);
    const QStringList linhas = sql.split(QLatin1Char('\n'));
    ASSERT_EQ(linhas.size(), 22); // 21 lines, each followed by a line break
    EXPECT_EQ(linhas[17],
              QStringLiteral("  and datahora between \"2026-01-05 00.00.00\" and \"2026-02-28 23.59.59\""));
    EXPECT_EQ(linhas[20], QStringLiteral("Order by datahora"));
    EXPECT_EQ(SqlRelatorioBoletos({}, OrdemBoletos::Cliente).split(QLatin1Char('\n'))[20],
              QStringLiteral("Order by nome"));
    Regional::definir(Regional::brasileiro());
}

TEST_F(RelBoletosTest, DatasDigitadasSaoAsDoRelatorio) {
    boletos(3);
    dialogo.dtInicial->setDate(QDate(2026, 12, 9));
    // November has no 31st.
    digitaData(dialogo.dtInicial, -1, QStringLiteral("31112026"));
    EXPECT_EQ(mensagens.mostradas, QStringList{QStringLiteral("erro: '31/11/2026' não é uma data válida")});
    EXPECT_EQ(dialogo.dtInicial->date(), QDate(2026, 12, 9));
    digitaData(dialogo.dtInicial, -1, QStringLiteral("02112026"));
    digitaData(dialogo.dtFinal, 1, QStringLiteral("06112026"));
    EXPECT_EQ(dialogo.dtInicial->date(), Inicio);
    EXPECT_EQ(dialogo.dtFinal->date(), Fim);
    QTest::mouseClick(dialogo.btnOK, Qt::LeftButton);
    EXPECT_EQ(visualizados.size(), 1);
    EXPECT_EQ(mensagens.mostradas.size(), 1);
}

} // namespace
