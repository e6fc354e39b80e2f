#include "tests/app/JanelaDeTeste.h"

#include "util/Regional.h"
#include "util/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void grava(const QString &caminho, const QByteArray &conteudo) {
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << caminho.toStdString();
    f.write(conteudo);
}

} // namespace

PastaDoPrograma::PastaDoPrograma() {
    Regional::definir(Regional::brasileiro());
    registro(QStringLiteral(RUVENAL_PLUGIN));
}

void PastaDoPrograma::registro(const QString &plugin) const {
    grava(QDir(caminho()).filePath(QStringLiteral("automation.ini")),
          "[ProgIDs]\r\nBolix.ContaCorrente=" + plugin.toUtf8() + "\r\n");
}

void PastaDoPrograma::ini(const QString &conteudo) const {
    QString texto = conteudo;
    texto.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    grava(QDir(caminho()).filePath(QStringLiteral("sistema_zel.ini")), windows1252::codifica(texto));
}

void PastaDoPrograma::iniPara(const BancoDeTeste &banco, const QString &mais) const {
    ini(QStringLiteral("[ip]\ndatabase=%1\nlocal=\n%2").arg(banco.nome(), mais));
}

void PastaDoPrograma::semRegistroDoComponente() const {
    QFile::remove(QDir(caminho()).filePath(QStringLiteral("automation.ini")));
}

QStringList PastaDoPrograma::registroDeFalhas() const {
    QFile f(QDir(caminho()).filePath(QStringLiteral("ruvenal.log")));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

std::unique_ptr<TFRuvenal> PastaDoPrograma::inicia(bool *ok) const {
    auto janela = std::make_unique<TFRuvenal>(caminho());
    const bool iniciou = janela->FormCreate();
    if (ok)
        *ok = iniciou;
    return janela;
}

void PastaDoPrograma::iniciaEMostra(std::unique_ptr<TFRuvenal> &janela,
                                    const MensagensGravadas &mensagens) const {
    bool ok = false;
    janela = inicia(&ok);
    ASSERT_TRUE(ok) << mensagens.mostradas.join('\n').toStdString();
    janela->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(janela.get()));
}
