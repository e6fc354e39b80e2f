#include "app/MensagensQt.h"
#include "app/UGeraBoletoBancos.h"
#include "util/Regional.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ruvenal"));
    Regional::carregaDoSistema();

    MensagensQt mensagens;
    Mensagens::instalar(&mensagens);

    TFRuvenal FRuvenal(QCoreApplication::applicationDirPath());
    mensagens.defineDono(&FRuvenal);
    if (!FRuvenal.FormCreate())
        return 0;
    FRuvenal.show();
    FRuvenal.move(FRuvenal.screen()->availableGeometry().center() - FRuvenal.rect().center());
    return app.exec();
}
