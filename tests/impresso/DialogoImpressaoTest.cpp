// The print dialog on a real display (run under Xvfb): answered by the test the moment it shows.

#include "Exemplos.h"
#include "tests/support/LeituraPdf.h"

#include "bolix/core/Boleto.h"
#include "bolix/impresso/ImpressaoBoletos.h"

#include <QApplication>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace bolix;

namespace {

// Watches for the modal print dialog and answers it; counts how often it showed.
class Atendente {
public:
    explicit Atendente(std::function<void(QPrintDialog &)> resposta) : resposta_(std::move(resposta)) {
        QObject::connect(&relogio_, &QTimer::timeout, [this] {
            if (auto *dialogo = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget())) {
                ++vezes;
                resposta_(*dialogo);
            }
        });
        relogio_.start(100);
    }
    int vezes = 0;

private:
    std::function<void(QPrintDialog &)> resposta_;
    QTimer relogio_;
};

// Only the dialog's own print-to-file is ever chosen: a real printer is refused, not used.
std::function<void(QPrintDialog &)> imprimeEmArquivo(const QString &arquivo) {
    return [arquivo](QPrintDialog &dialogo) {
        if (!dialogo.printer()->printerName().isEmpty()) {
            ADD_FAILURE() << "a real printer is installed; not printing on it";
            dialogo.reject();
            return;
        }
        dialogo.findChild<QLineEdit *>(QStringLiteral("filename"))->setText(arquivo);
        dialogo.accept();
    };
}

QList<Documento> doisDocumentos() {
    Documento segundo = exemplos::documento(QStringLiteral("0000004712"), QStringLiteral("90"));
    segundo.valorDocumento = 2'000'000;
    return {exemplos::documento(QStringLiteral("0000004711"), QStringLiteral("89")), segundo};
}

class DialogoImpressao : public testing::Test {
protected:
    OpcoesImpressao opcoes() const {
        OpcoesImpressao o;
        o.pasta = pasta_.filePath(QStringLiteral("lote"));
        return o;
    }
    QTemporaryDir pasta_;
    const ContaConfigurada conta_ = exemplos::contaBancoDoBrasil();
    const QDate hoje_{2025, 11, 20};
};

TEST_F(DialogoImpressao, AceitoImprimeAsMesmasPaginasDoPdf) {
    const QString impresso = pasta_.filePath(QStringLiteral("impressora.pdf"));
    Atendente atendente(imprimeEmArquivo(impresso));
    const QString pdf = imprimeBoletos(conta_, doisDocumentos(), opcoes(), hoje_);
    EXPECT_EQ(atendente.vezes, 1);
    ASSERT_EQ(leitura::paginas(impresso), 2);
    for (int pagina = 1; pagina <= 2; ++pagina) {
        SCOPED_TRACE(pagina);
        const Boleto b = calculaBoleto(conta_, doisDocumentos()[pagina - 1]);
        EXPECT_EQ(leitura::codigosDeBarras(impresso, pagina), QStringList{b.codigoBarras});
        EXPECT_TRUE(leitura::texto(impresso, pagina).contains(b.linhaDigitavel));
    }
    EXPECT_EQ(leitura::paginas(pdf), 2);
}

TEST_F(DialogoImpressao, CanceladoFicaSoOPdf) {
    Atendente atendente([](QPrintDialog &dialogo) { dialogo.reject(); });
    const QString pdf = imprimeBoletos(conta_, doisDocumentos(), opcoes(), hoje_);
    EXPECT_EQ(atendente.vezes, 1);
    EXPECT_EQ(leitura::paginas(pdf), 2);
}

TEST_F(DialogoImpressao, ConfiguradoParaSoPdfNaoAbreODialogo) {
    Atendente atendente([](QPrintDialog &dialogo) { dialogo.reject(); });
    OpcoesImpressao o = opcoes();
    o.impressora = false;
    const QString pdf = imprimeBoletos(conta_, doisDocumentos(), o, hoje_);
    EXPECT_EQ(atendente.vezes, 0);
    EXPECT_EQ(leitura::paginas(pdf), 2);
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
