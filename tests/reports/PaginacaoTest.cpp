#include "reports/ClassImpressao.h"

#include "util/Clock.h"
#include "util/Erro.h"
#include "util/Regional.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString ff = QStringLiteral("\f");
const QString topo = QStringLiteral("\r\n"); // saved as the two empty lines at the top

// The page header at 09/12/2026 10:30 with "Pagina n" right-aligned in the given width.
QString cabecalhoPagina(int pagina, int largura = 100) {
    const QString numero = QStringLiteral("Pagina %1").arg(pagina);
    return "  Data/Hora 09/12/2026 10:30" + QString(largura - numero.size(), u' ') + numero;
}

QStringList linhas(int de, int ate) {
    QStringList l;
    for (int i = de; i <= ate; ++i)
        l << QStringLiteral("linha %1").arg(i);
    return l;
}

class Paginacao : public testing::Test {
protected:
    void SetUp() override {
        Regional::definir(Regional::brasileiro());
        Clock::fixar(QDateTime(QDate(2026, 12, 9), QTime(10, 30, 59)));
    }
    void TearDown() override { Clock::fixar(std::nullopt); }

    void escreveCorpo(const QStringList &corpo) {
        for (const QString &l : corpo)
            impres.Escreve(l, 1);
    }
    QStringList monta() {
        impres.MontaRelatorio();
        return impres.Corpo().Linhas();
    }

    TImpres impres;
};

TEST_F(Paginacao, BodyOf200LinesWithSettingsAsCreated) {
    escreveCorpo(linhas(1, 200));
    const QStringList esperado = QStringList{topo, cabecalhoPagina(1)} + linhas(1, 66) +
                                 QStringList{ff, cabecalhoPagina(2)} + linhas(67, 130) +
                                 QStringList{ff, cabecalhoPagina(3)} + linhas(131, 194) +
                                 QStringList{ff, cabecalhoPagina(4)} + linhas(195, 200);
    EXPECT_EQ(monta(), esperado);
    EXPECT_EQ(cabecalhoPagina(1).size(), 128);
}

TEST_F(Paginacao, FormFeedInBodyBreaksThePage) {
    // A form feed alone, or with only blanks and controls around it, adds nothing but the break.
    escreveCorpo({"antes", ff, "  \f\t", "\fdepois", "meio\fda linha"});
    QStringList esperado;
    esperado << topo << cabecalhoPagina(1) << "antes";
    esperado << ff << cabecalhoPagina(2);
    esperado << ff << cabecalhoPagina(3);
    esperado << ff << cabecalhoPagina(4) << "depois";
    esperado << ff << cabecalhoPagina(5) << "meioda linha";
    EXPECT_EQ(monta(), esperado);
}

TEST_F(Paginacao, WithoutPageHeaderBlocksStartTheFileAndBreaksAreFormFeedsAlone) {
    impres.SetImprimeDataPagina(false);
    impres.SetLinhasPorPagina(4);
    impres.Titulo().Add("titulo");
    impres.EscreveCabecalho("cabecalho", 1);
    escreveCorpo(linhas(1, 5));
    // The line that reaches the limit still lands on the page: five lines, then the break.
    EXPECT_EQ(monta(), (QStringList{"titulo", "cabecalho"} + linhas(1, 3) + QStringList{ff} + linhas(4, 5)));
}

TEST_F(Paginacao, RepeatedBlocksFollowEveryLaterPageHeader) {
    impres.SetLinhasPorPagina(6);
    impres.SetRepeteTitulo(true);
    impres.SetRepeteCabecalho(true);
    impres.SetLargura(130); // first page number in 104 characters
    impres.Titulo().Add("titulo");
    impres.EscreveCabecalho("cabecalho", 1);
    escreveCorpo(linhas(1, 5));
    const QStringList esperado = QStringList{topo, cabecalhoPagina(1, 104), "titulo", "cabecalho"} +
                                 linhas(1, 4) +
                                 QStringList{ff, cabecalhoPagina(2), "titulo", "cabecalho", "linha 5"};
    EXPECT_EQ(monta(), esperado);
}

TEST_F(Paginacao, RepeatIsSkippedForEmptyBlocks) {
    impres.SetLinhasPorPagina(4);
    impres.SetRepeteTitulo(true);
    impres.SetRepeteCabecalho(true);
    impres.EscreveCabecalho("cabecalho", 1);
    escreveCorpo(linhas(1, 3));
    EXPECT_EQ(monta(), (QStringList{topo, cabecalhoPagina(1), "cabecalho"} + linhas(1, 3) +
                        QStringList{ff, cabecalhoPagina(2), "cabecalho"}));
}

// A page shorter than the lines a break adds itself: every page takes its top lines and one body line,
// instead of breaking inside the break without end.
TEST_F(Paginacao, PageShorterThanItsTopLinesTakesOneBodyLineEach) {
    const struct {
        int linhasPorPagina;
        bool dataPagina;
        bool repeteCabecalho;
        QStringList esperado;
    } casos[] = {
        {1, true, false,
         QStringList{topo, cabecalhoPagina(1), "linha 1", ff, cabecalhoPagina(2), "linha 2", ff,
                     cabecalhoPagina(3)}},
        {0, false, false, QStringList{"cabecalho", ff, "linha 1", ff, "linha 2", ff}},
        {1, false, true, QStringList{"cabecalho", "linha 1", ff, "cabecalho", "linha 2", ff, "cabecalho"}},
    };
    for (const auto &c : casos) {
        TImpres impres;
        impres.SetLinhasPorPagina(c.linhasPorPagina);
        impres.SetImprimeDataPagina(c.dataPagina);
        impres.SetRepeteCabecalho(c.repeteCabecalho);
        if (!c.dataPagina)
            impres.EscreveCabecalho("cabecalho", 1);
        impres.Escreve("linha 1", 1);
        impres.Escreve("linha 2", 1);
        impres.MontaRelatorio();
        EXPECT_EQ(impres.Corpo().Linhas(), c.esperado) << c.linhasPorPagina;
    }
}

class Visualiza : public Paginacao {
protected:
    void SetUp() override {
        Paginacao::SetUp();
        ASSERT_TRUE(dir.isValid());
        impres.SetIniciador([this](const QString &programa, const QStringList &argumentos) {
            iniciados << (QStringList{programa} + argumentos);
            return true;
        });
    }
    QTemporaryDir dir;
    QList<QStringList> iniciados;
};

TEST_F(Visualiza, SavesWindows1252WithCrLfAndStartsTheViewerBesideTheProgram) {
    impres.EscreveCabecalho("RELATÓRIO", 3);
    impres.Escreve("preço €", 3);
    impres.Escreve(ff, 1);
    const QString arquivo = dir.filePath("Relatorio.txt");
    QFile::remove(arquivo);
    QFile antigo(arquivo);
    ASSERT_TRUE(antigo.open(QIODevice::WriteOnly));
    antigo.write(QByteArray(5000, 'x')); // an older, longer report is replaced whole
    antigo.close();

    impres.Visualiza(arquivo);

    QFile salvo(arquivo);
    ASSERT_TRUE(salvo.open(QIODevice::ReadOnly));
    const QByteArray cab1 = cabecalhoPagina(1).toLatin1(), cab2 = cabecalhoPagina(2).toLatin1();
    EXPECT_EQ(salvo.readAll(),
              "\r\n\r\n" + cab1 + "\r\n  RELAT\xD3RIO\r\n  pre\xE7o \x80\r\n\f\r\n" + cab2 + "\r\n");

    const QString programa = QDir(QCoreApplication::applicationDirPath()).filePath("visualizador");
    ASSERT_EQ(iniciados.size(), 1);
    EXPECT_TRUE(iniciados[0][0].startsWith(programa)) << iniciados[0][0].toStdString();
    EXPECT_EQ(iniciados[0].mid(1), (QStringList{QFileInfo(arquivo).absoluteFilePath(), "132"}));
}

TEST_F(Visualiza, FileThatCannotBeWrittenFailsAndStartsNoViewer) {
    impres.Escreve("linha", 1);
    EXPECT_THROW(impres.Visualiza(dir.filePath("sem-pasta/Relatorio.txt")), Erro);
    EXPECT_TRUE(iniciados.isEmpty());
}

} // namespace
