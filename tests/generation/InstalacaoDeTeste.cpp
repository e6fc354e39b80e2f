#include "tests/generation/InstalacaoDeTeste.h"

#include "util/Regional.h"
#include "util/Windows1252.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

void grava(const QString &caminho, const QString &secao, const QStringList &linhas) {
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << caminho.toStdString();
    f.write(windows1252::codifica(QStringLiteral("[%1]\r\n").arg(secao) +
                                  linhas.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

} // namespace

InstalacaoDeTeste::InstalacaoDeTeste() {
    Regional::definir(Regional::brasileiro());
    grava(arquivo(QStringLiteral("automation.ini")), QStringLiteral("ProgIDs"),
          {QStringLiteral("Bolix.ContaCorrente=") + QStringLiteral(RUVENAL_PLUGIN)});
    bolix({QStringLiteral("banco=001"), QStringLiteral("carteira=17"), QStringLiteral("tamanho_convenio=7"),
           QStringLiteral("nome_beneficiario=LOJA MODELO LTDA"),
           QStringLiteral("inscricao_beneficiario=12345678000195"), QStringLiteral("imprimir=N")});
    qputenv("BOLIX_INI", arquivo(QStringLiteral("bolix.ini")).toLocal8Bit());
}

InstalacaoDeTeste::~InstalacaoDeTeste() {
    qunsetenv("BOLIX_INI");
}

void InstalacaoDeTeste::ruvenal(const QStringList &linhas) const {
    grava(arquivo(QStringLiteral("sistema_zel.ini")), QStringLiteral("Ruvenal"), linhas);
}

void InstalacaoDeTeste::bolix(const QStringList &linhas) const {
    grava(arquivo(QStringLiteral("bolix.ini")), QStringLiteral("Bolix"), linhas);
}

boleto::ObjetoBolix InstalacaoDeTeste::componente() const {
    return boleto::ObjetoBolix::cria(pasta());
}
