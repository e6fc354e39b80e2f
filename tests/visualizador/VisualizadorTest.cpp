#include "Impressao.h"
#include "JanelaVisualizador.h"
#include "Paginas.h"
#include "RelatorioDeTeste.h"
#include "tests/support/LeituraPdf.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace visualizador;

namespace {

// A report as the builder writes it: Windows-1252, CR LF, a line holding only a form feed between pages.
const QByteArray relatorio = QByteArray("\r\n\r\n  Data/Hora 09/12/2026 10:00   Pagina 1\r\n") +
                             "  RELAT\xD3RIO DE BLOQUETOS IMPRESSOS\r\n" + "  pre\xE7o \x80 \x93" +
                             "aspas\x94\r\n" + "<" + QByteArray(130, '=') + ">" + "CORTADO\r\n" +
                             "\f\r\n  Data/Hora 09/12/2026 10:00   Pagina 2\r\n  segunda\r\n" +
                             "\f\r\n  Data/Hora 09/12/2026 10:00   Pagina 3\r\n  terceira\r\n";

// What a reader finds on each page: the lines with words, blanks collapsed.
const QList<QStringList> textoEsperado = {
    {"Data/Hora 09/12/2026 10:00 Pagina 1", "RELATÓRIO DE BLOQUETOS IMPRESSOS", "preço € “aspas”",
     "<" + QString(130, u'=') + ">"},
    {"Data/Hora 09/12/2026 10:00 Pagina 2", "segunda"},
    {"Data/Hora 09/12/2026 10:00 Pagina 3", "terceira"},
};

constexpr double larguraA4 = 595.28, margem = 28.35; // points

class VisualizadorPdf : public testing::Test {
protected:
    void SetUp() override {
        if (!leitura::disponivel())
            GTEST_SKIP() << "poppler-utils not installed";
        ASSERT_TRUE(dir.isValid());
    }

    QString caminho(const QString &nome) const { return dir.filePath(nome); }

    QString grava(const QByteArray &bytes) const {
        QFile f(caminho("Relatorio.txt"));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }

    static int visualizador(const QStringList &args) {
        int codigo = -1;
        leitura::roda(VISUALIZADOR_EXE, args, &codigo);
        return codigo;
    }

    void confereRelatorio(const QString &pdf) const {
        ASSERT_EQ(leitura::paginas(pdf), textoEsperado.size());
        for (int i = 0; i < textoEsperado.size(); ++i)
            EXPECT_EQ(leitura::linhas(pdf, i + 1), textoEsperado[i]) << "page " << i + 1;
    }

    QTemporaryDir dir;
};

TEST_F(VisualizadorPdf, EachReportPageBecomesOnePdfPage) {
    const QString pdf = caminho("saida.pdf");
    ASSERT_EQ(visualizador({"--pdf", pdf, grava(relatorio), "132"}), 0);
    confereRelatorio(pdf);
}

TEST_F(VisualizadorPdf, ColumnCountSpansThePrintableWidth) {
    const QString pdf = caminho("saida.pdf");
    ASSERT_EQ(visualizador({"--pdf", pdf, grava(relatorio), "132"}), 0);
    const QString caixas =
        QString::fromUtf8(leitura::roda("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"}));
    const auto m =
        QRegularExpression(R"re(xMin="([\d.]+)"[^>]*xMax="([\d.]+)"[^>]*>&lt;=+&gt;<)re").match(caixas);
    ASSERT_TRUE(m.hasMatch()) << caixas.toStdString();
    const double inicio = m.captured(1).toDouble(), fim = m.captured(2).toDouble();
    const double util = larguraA4 - 2 * margem;
    EXPECT_NEAR(inicio, margem, 0.5);
    EXPECT_LE(fim, larguraA4 - margem + 0.5);
    EXPECT_GE(fim - inicio, 0.98 * util);
}

TEST_F(VisualizadorPdf, PageLongerThanASheetContinuesWithoutLosingLines) {
    QByteArray bytes;
    QStringList linhas;
    for (int i = 1; i <= 250; ++i) {
        linhas << QStringLiteral("linha %1").arg(i);
        bytes += linhas.last().toLatin1() + "\r\n";
    }
    const QString pdf = caminho("longa.pdf");
    ASSERT_EQ(visualizador({"--pdf", pdf, grava(bytes + "\ffim\r\n"), "132"}), 0);
    const int n = leitura::paginas(pdf);
    ASSERT_GT(n, 2);
    QStringList lidas;
    for (int i = 1; i < n; ++i)
        lidas += leitura::linhas(pdf, i);
    EXPECT_EQ(lidas, linhas);
    EXPECT_EQ(leitura::linhas(pdf, n), QStringList{"fim"});
}

TEST_F(VisualizadorPdf, BadInputEndsWithFailure) {
    const QString pdf = caminho("saida.pdf");
    const QString arquivo = grava(relatorio);
    EXPECT_EQ(visualizador({"--pdf", pdf, caminho("nao-existe.txt"), "132"}), 1);
    EXPECT_EQ(visualizador({"--pdf", pdf, arquivo, "0"}), 1);
    EXPECT_EQ(visualizador({"--pdf", pdf, arquivo, "132x"}), 1);
    EXPECT_EQ(visualizador({"--pdf", caminho("sem-pasta/saida.pdf"), arquivo, "132"}), 2);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(VisualizadorPdf, WindowPreviewsAndPrintsTheSamePages) {
    const auto paginas = lePaginas(grava(relatorio));
    ASSERT_TRUE(paginas);
    JanelaVisualizador janela(caminho("Relatorio.txt"), *paginas, 132);
    EXPECT_EQ(janela.folhas(), textoEsperado.size());

    // What the print action does once the dialog is accepted with printing to a file.
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(caminho("impresso.pdf"));
    impressora.setPageLayout(layoutPadrao());
    ASSERT_TRUE(imprime(*paginas, 132, impressora));
    confereRelatorio(caminho("impresso.pdf"));
}

TEST_F(VisualizadorPdf, ShowsTheReportBuilderPagesAsBuilt) {
    const RelatorioDeTeste relatorio(caminho("Relatorio.txt"));

    // The viewer as the builder starts it, asked for a PDF instead of a window.
    ASSERT_EQ(relatorio.iniciado.size(), 3);
    const QString pdf = caminho("relatorio.pdf");
    int codigo = -1;
    leitura::roda(relatorio.iniciado[0], QStringList{"--pdf", pdf} + relatorio.iniciado.mid(1), &codigo);
    ASSERT_EQ(codigo, 0);
    ASSERT_EQ(leitura::paginas(pdf), 4);
    EXPECT_EQ(leitura::linhas(pdf, 1), relatorio.pagina(1, 1, 66));
    EXPECT_EQ(leitura::linhas(pdf, 2), relatorio.pagina(2, 67, 130));
    EXPECT_EQ(leitura::linhas(pdf, 4), relatorio.pagina(4, 195, 200));
}

} // namespace
