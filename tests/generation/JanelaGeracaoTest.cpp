// "Gerar Arquivo" in the window: the run's controls, its progress, nothing else started and no closing
// while it runs, everything back once it ends.
#include "tests/app/JanelaDeTeste.h"

#include "config/IniFile.h"
#include "tests/support/LeituraPdf.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// Looks at the window when the run asks whether to write the remittance, half-way through.
class MensagensNoMeio : public MensagensGravadas {
public:
    std::function<void()> noMeio;
    Resposta pergunta(const QString &texto) override {
        if (noMeio)
            noMeio();
        return MensagensGravadas::pergunta(texto);
    }
};

class JanelaGeracao : public testing::Test {
protected:
    BancoDeTeste banco;
    MensagensNoMeio mensagens;
    PastaDoPrograma programa;
    std::unique_ptr<TFRuvenal> janela;

    void SetUp() override {
        const QDate hoje = QDate::currentDate();
        banco.empresa(1);
        for (int c : {1, 2}) {
            banco.cliente(c, {{"cpf", "12345678909"}, {"uf", "SP"}, {"cep", "13010-000"}});
            banco.receber({{"clientes_id", c}, {"datahora", QDateTime(hoje, QTime(10, 0))}});
        }
        QFile bolix(QDir(programa.caminho()).filePath(QStringLiteral("bolix.ini")));
        ASSERT_TRUE(bolix.open(QIODevice::WriteOnly));
        bolix.write("[Bolix]\r\nbanco=001\r\ncarteira=17\r\ntamanho_convenio=7\r\nnome_beneficiario=LOJA\r\n"
                    "inscricao_beneficiario=12345678000195\r\nimprimir=N\r\n");
        qputenv("BOLIX_INI", bolix.fileName().toLocal8Bit());
        programa.iniPara(
            banco, QStringLiteral("[Ruvenal]\ncod_empresa=1\nbanco=11\nconfigurado=1\nnum_agencia=1584\n"
                                  "conta_corrente=210169\nidentificacao_empresa=1234567\n"
                                  "endereco_destino=%1\n")
                       .arg(programa.caminho()));
        programa.iniciaEMostra(janela, mensagens);
    }
    void TearDown() override { qunsetenv("BOLIX_INI"); }
};

TEST_F(JanelaGeracao, GeraComOsBotoesDesabilitadosEOsDevolveNoFim) {
    QTest::mouseClick(janela->tabExporta->sbListarFunc, Qt::LeftButton);
    QTest::keyClick(janela->tabExporta->dbFuncs, Qt::Key_F6);
    janela->tabExporta->dbFuncs->setCurrentIndex(janela->tabExporta->dbFuncs->model()->index(1, 0));
    bool visto = false;
    mensagens.noMeio = [&] {
        visto = true;
        for (QWidget *w : std::initializer_list<QWidget *>{
                 janela->tabExporta->bGerar, janela->tabExporta->sbListarFunc, janela->tabExporta->bConfig,
                 janela->tabExporta->Button1, janela->tabImportarRet->butLerArquivo})
            EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        EXPECT_TRUE(janela->tabExporta->pbGeracao->isVisible());
        EXPECT_EQ(janela->tabExporta->pbGeracao->value(), 2);
        EXPECT_EQ(janela->tabExporta->pbGeracao->maximum(), 2);
        EXPECT_FALSE(janela->close());
    };

    QTest::mouseClick(janela->tabExporta->bGerar, Qt::LeftButton);

    EXPECT_TRUE(visto);
    const QString remessa = QDir(programa.caminho()).filePath(QStringLiteral("remessa.rem"));
    EXPECT_TRUE(QFile::exists(remessa));
    EXPECT_EQ(mensagens.mostradas.last(),
              QStringLiteral("mensagem: Arquivo de Remessa gerado: 2 títulos gravados em ") + remessa);
    EXPECT_EQ(janela->camposGeracao().CodigosMarcados, (QList<qint64>{1, 2}));
    EXPECT_EQ(janela->windowTitle(), QStringLiteral("Ruvenal 1.0.0.34 - 11 "));
    EXPECT_FALSE(janela->tabExporta->pbGeracao->isVisible());
    EXPECT_TRUE(janela->tabExporta->bGerar->isEnabled());
    EXPECT_TRUE(janela->tabExporta->sbListarFunc->isEnabled());
    // The grid kept its row.
    EXPECT_EQ(janela->tabExporta->dbFuncs->currentIndex().row(), 1);
}

// Two runs for the same two clients, then the "2ª via" tab: the list shows each nosso número as printed and
// finds one by it typed with punctuation; the four boletos print again into one file, in the listed order;
// each client's two boletos, of two runs, into one file of their own.
TEST_F(JanelaGeracao, SegundaViaDeDuasRodadasNaAba) {
    for (int rodada = 0; rodada < 2; ++rodada) {
        QTest::mouseClick(janela->tabExporta->sbListarFunc, Qt::LeftButton);
        QTest::keyClick(janela->tabExporta->dbFuncs, Qt::Key_F6);
        QTest::mouseClick(janela->tabExporta->bGerar, Qt::LeftButton);
        ASSERT_TRUE(
            mensagens.mostradas.last().startsWith(QStringLiteral("mensagem: Arquivo de Remessa gerado: 2")))
            << mensagens.mostradas.join(u'|').toStdString();
    }
    TabSegundaVia *aba = janela->tabSegundaVia;
    janela->pcPrincipal->setCurrentWidget(aba);
    QTest::mouseClick(aba->bPesquisar, Qt::LeftButton);
    QAbstractItemModel *m = aba->dbBoletos->model();
    ASSERT_EQ(m->rowCount(), 4);
    QStringList nossos;
    for (int l = 0; l < 4; ++l)
        nossos << m->index(l, 4).data().toString();
    // Newest first; bank 001 with a seven-digit convênio prints it before the sequence, which started at 1.
    EXPECT_EQ(nossos, (QStringList{"12345670000000004", "12345670000000003", "12345670000000002",
                                   "12345670000000001"}));

    aba->edNossoNumero->setText(QStringLiteral("1234567.0000000003"));
    QTest::mouseClick(aba->bPesquisar, Qt::LeftButton);
    ASSERT_EQ(m->rowCount(), 1);
    EXPECT_EQ(m->index(0, 4).data().toString(), nossos[1]);

    aba->edNossoNumero->clear();
    QTest::mouseClick(aba->bPesquisar, Qt::LeftButton);
    for (int l = 0; l < 4; ++l)
        m->setData(m->index(l, 0), Qt::Checked, Qt::CheckStateRole);
    QTemporaryDir pdfs;
    aba->edPasta->setText(pdfs.path());
    QTest::mouseClick(aba->bImprimir, Qt::LeftButton);
    QStringList arquivos = QDir(pdfs.path()).entryList({QStringLiteral("*.pdf")});
    ASSERT_EQ(arquivos.size(), 1) << mensagens.mostradas.last().toStdString();
    const QString todos = QDir(pdfs.path()).filePath(arquivos[0]);
    ASSERT_EQ(leitura::paginas(todos), 4);
    for (int p = 1; p <= 4; ++p)
        EXPECT_TRUE(leitura::texto(todos, p).contains(nossos[p - 1])) << p;

    QFile::remove(todos);
    QTest::mouseClick(aba->bSalvarPorCliente, Qt::LeftButton);
    arquivos = QDir(pdfs.path()).entryList({QStringLiteral("*.pdf")});
    EXPECT_EQ(arquivos, (QStringList{"1_12345678909.pdf", "2_12345678909.pdf"}));
    for (const QString &a : arquivos)
        EXPECT_EQ(leitura::paginas(QDir(pdfs.path()).filePath(a)), 2) << a.toStdString();
}

TEST_F(JanelaGeracao, ErroDepoisDaContaDevolveAJanela) {
    QTest::mouseClick(janela->tabExporta->sbListarFunc, Qt::LeftButton);
    QTest::keyClick(janela->tabExporta->dbFuncs, Qt::Key_F6);
    // A file where the printed boletos' folder should be makes printing fail after the numbers were written.
    janela->tabExporta->cbImprimir->setChecked(true);
    janela->tabExporta->DirFinal->setText(
        QDir(programa.caminho()).filePath(QStringLiteral("sistema_zel.ini/x")));

    QTest::mouseClick(janela->tabExporta->bGerar, Qt::LeftButton);

    ASSERT_FALSE(mensagens.mostradas.isEmpty());
    EXPECT_TRUE(mensagens.mostradas.last().startsWith(QStringLiteral("erro: ")))
        << mensagens.mostradas.last().toStdString();
    EXPECT_FALSE(janela->tabExporta->pbGeracao->isVisible());
    EXPECT_TRUE(janela->tabExporta->bGerar->isEnabled());
    EXPECT_TRUE(janela->close());
}

// The cedente dialog's confirmation sets the component's account up; closing it otherwise does not.
TEST_F(JanelaGeracao, ConfiguracoesConfirmadasConfiguramAConta) {
    const IniFile ini(QDir(programa.caminho()).filePath(QStringLiteral("sistema_zel.ini")));
    const auto fechaDialogo = [](bool confirma) {
        QTimer::singleShot(0, [confirma] {
            auto *dialogo = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialogo, nullptr);
            confirma ? dialogo->accept() : dialogo->reject();
        });
    };
    fechaDialogo(false);
    QTest::mouseClick(janela->tabExporta->bConfig, Qt::LeftButton);
    EXPECT_EQ(ini.lerTexto(QStringLiteral("Ruvenal"), QStringLiteral("OutroDadoConfiguracao1"),
                           QStringLiteral("-")),
              QStringLiteral("-"));

    janela->setWindowTitle(QString());
    fechaDialogo(true);
    QTest::mouseClick(janela->tabExporta->bConfig, Qt::LeftButton);
    EXPECT_EQ(ini.lerTexto(QStringLiteral("Ruvenal"), QStringLiteral("OutroDadoConfiguracao1"),
                           QStringLiteral("-")),
              QStringLiteral("A"));
    EXPECT_EQ(ini.lerTexto(QStringLiteral("Ruvenal"), QStringLiteral("num_agencia"), QString()),
              QStringLiteral("1584-9"));
    EXPECT_EQ(janela->windowTitle(), QStringLiteral("Ruvenal 1.0.0.34 - 11 "));
}

} // namespace
