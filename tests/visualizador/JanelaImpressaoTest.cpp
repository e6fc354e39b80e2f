// The viewer on a real display (run under Xvfb): a report built by TImpres opens in the window, and the
// print action, answered in the system's print dialog with printing to a file, gives its pages as PDF.

#include "JanelaVisualizador.h"
#include "Paginas.h"
#include "RelatorioDeTeste.h"
#include "tests/support/LeituraPdf.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace visualizador;

namespace {

// Answers the modal print dialog the moment it shows, printing to the file; never to a real printer.
class Atendente {
public:
    explicit Atendente(const QString &pdf) {
        QObject::connect(&relogio_, &QTimer::timeout, [this, pdf] {
            auto *dialogo = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
            if (!dialogo)
                return;
            ++vezes;
            if (!dialogo->printer()->printerName().isEmpty()) {
                ADD_FAILURE() << "a real printer is installed; not printing on it";
                dialogo->reject();
                return;
            }
            dialogo->findChild<QLineEdit *>(QStringLiteral("filename"))->setText(pdf);
            dialogo->accept();
        });
        relogio_.start(100);
    }
    int vezes = 0;

private:
    QTimer relogio_;
};

class JanelaImpressao : public testing::Test {
protected:
    void SetUp() override {
        if (!leitura::disponivel())
            GTEST_SKIP() << "poppler-utils not installed";
        ASSERT_TRUE(dir.isValid());
        relatorio = std::make_unique<RelatorioDeTeste>(dir.filePath("Relatorio.txt"));
        ASSERT_EQ(relatorio->iniciado.size(), 3);
    }

    QTemporaryDir dir;
    std::unique_ptr<RelatorioDeTeste> relatorio;
};

TEST_F(JanelaImpressao, PrintActionPrintsTheReportPagesThroughThePrintDialog) {
    const auto paginas = lePaginas(relatorio->iniciado[1]);
    ASSERT_TRUE(paginas);
    JanelaVisualizador janela(relatorio->iniciado[1], *paginas, relatorio->iniciado[2].toInt());
    janela.showMaximized();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
    EXPECT_EQ(janela.folhas(), 4);

    QAction *imprimir = nullptr;
    for (QAction *acao : janela.findChildren<QAction *>())
        if (acao->text() == QStringLiteral("&Imprimir..."))
            imprimir = acao;
    ASSERT_NE(imprimir, nullptr);
    const QString pdf = dir.filePath("impresso.pdf");
    Atendente atendente(pdf);
    imprimir->trigger();

    EXPECT_EQ(atendente.vezes, 1);
    ASSERT_EQ(leitura::paginas(pdf), 4);
    EXPECT_EQ(leitura::linhas(pdf, 1), relatorio->pagina(1, 1, 66));
    EXPECT_EQ(leitura::linhas(pdf, 2), relatorio->pagina(2, 67, 130));
    EXPECT_EQ(leitura::linhas(pdf, 3), relatorio->pagina(3, 131, 194));
    EXPECT_EQ(leitura::linhas(pdf, 4), relatorio->pagina(4, 195, 200));
}

// The program itself, started as the builder starts it, opens its window over the whole screen.
TEST_F(JanelaImpressao, ProgramOpensTheReportInAWindowFillingTheScreen) {
    if (QStandardPaths::findExecutable("xwininfo").isEmpty())
        GTEST_SKIP() << "x11-utils not installed";
    QProcess programa;
    programa.start(relatorio->iniciado[0], relatorio->iniciado.mid(1));
    ASSERT_TRUE(programa.waitForStarted());

    const QString titulo = QStringLiteral("\"Relatorio.txt - Visualizador\"");
    const QRegularExpression tamanho(QRegularExpression::escape(titulo) + R"(.*\)\s+(\d+)x(\d+)\+)");
    QRegularExpressionMatch janela;
    for (QDeadlineTimer prazo(20000); !janela.hasMatch() && !prazo.hasExpired(); QTest::qWait(200))
        janela = tamanho.match(QString::fromUtf8(leitura::roda("xwininfo", {"-root", "-tree"})));
    const bool rodando = programa.state() == QProcess::Running;
    programa.kill();
    programa.waitForFinished();

    ASSERT_TRUE(janela.hasMatch()) << "no viewer window; stderr: " << programa.readAllStandardError().data();
    EXPECT_TRUE(rodando);
    const QSize tela = QApplication::primaryScreen()->availableSize();
    EXPECT_GE(janela.captured(1).toInt(), tela.width() * 9 / 10);
    EXPECT_GE(janela.captured(2).toInt(), tela.height() * 8 / 10);
}

} // namespace

int main(int argc, char **argv) {
    // A real display: the print dialog and the program's window need one.
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
