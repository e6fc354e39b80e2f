#include "Exemplos.h"

#include "bolix/core/ErroBolix.h"
#include "bolix/impresso/ImpressaoBoletos.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bolix;

namespace {

// Fonts need a QGuiApplication: without one the batch is refused plainly, before any file exists.
TEST(SemAplicacaoGrafica, RecusaComMensagemESemArquivo) {
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
        try {
            imprimeBoletos(exemplos::contaBancoDoBrasil(), docs, o, QDate(2025, 11, 20));
            FAIL() << "printed without a graphical application";
        } catch (const ErroBolix &e) {
            EXPECT_TRUE(e.texto().contains(u"QGuiApplication")) << e.what();
        }
        EXPECT_TRUE(QDir(pasta.path()).isEmpty());
        // An empty batch needs nothing.
        EXPECT_EQ(imprimeBoletos(exemplos::contaBancoDoBrasil(), {}, o, QDate(2025, 11, 20)), QString());
    }
}

} // namespace
