#include "Exemplos.h"

#include "bolix/impresso/ImpressaoBoletos.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bolix;

namespace {

// The PDF needs neither fonts of the platform nor a display: a service without a graphical application
// writes the batch all the same, and never offers the print dialog.
TEST(SemAplicacaoGrafica, GravaOPdfSemOferecerImpressora) {
    for (const bool comNucleo : {false, true}) {
        SCOPED_TRACE(comNucleo);
        int argc = 1;
        char nome[] = "teste";
        char *argv[] = {nome, nullptr};
        std::optional<QCoreApplication> app;
        if (comNucleo)
            app.emplace(argc, argv);
        QTemporaryDir pasta;
        OpcoesImpressao o;
        o.pasta = pasta.path();
        const QList<Documento> docs = {
            exemplos::documento(QStringLiteral("0000004711"), QStringLiteral("89"))};
        const QString pdf = imprimeBoletos(exemplos::contaBancoDoBrasil(), docs, o, QDate(2025, 11, 20));
        QFile arquivo(pdf);
        ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly)) << pdf.toStdString();
        const QByteArray bytes = arquivo.readAll();
        EXPECT_TRUE(bytes.startsWith("%PDF-1.4\n"));
        EXPECT_TRUE(bytes.endsWith("%%EOF\n"));
        EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files).size(), 1);
    }
}

} // namespace
