#include "app/MensagensQt.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// The text the box on screen holds while `mostra` runs.
QString textoNaCaixa(const std::function<void()> &mostra) {
    QString texto;
    QTimer::singleShot(0, [&] {
        auto *caixa = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!caixa)
            return;
        texto = caixa->text();
        caixa->done(0);
    });
    mostra();
    return texto;
}

TEST(MensagensQt, RetornoDeCarroSozinhoQuebraALinha) {
    MensagensQt m;
    const QString esperado = QStringLiteral("Conta inválida.\nMarque outra.\nFim");
    EXPECT_EQ(textoNaCaixa([&] { m.atencao(QStringLiteral("Conta inválida.\rMarque outra.\r\nFim")); }),
              esperado);
    EXPECT_EQ(textoNaCaixa([&] { m.perguntaSimNao(QStringLiteral("Conta inválida.\rMarque outra.\nFim")); }),
              esperado);
}

} // namespace
