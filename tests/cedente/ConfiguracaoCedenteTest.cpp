#include "cedente/ConfiguracaoCedente.h"
#include "util/Erro.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct CasoDias {
    const char *texto;
    std::optional<int> dias;
};

class ConverteDiasProtestoTest : public testing::TestWithParam<CasoDias> {};

TEST_P(ConverteDiasProtestoTest, Converte) {
    EXPECT_EQ(ConverteDiasProtesto(QString::fromUtf8(GetParam().texto)), GetParam().dias);
}

INSTANTIATE_TEST_SUITE_P(Casos, ConverteDiasProtestoTest,
                         testing::Values(CasoDias{"", 0}, CasoDias{"   ", 0}, CasoDias{" 12 ", 12},
                                         CasoDias{"-3", -3}, CasoDias{"2147483647", 2147483647},
                                         CasoDias{"2147483648", std::nullopt}, CasoDias{"abc", std::nullopt},
                                         CasoDias{"5 dias", std::nullopt}, CasoDias{"1,5", std::nullopt}));

TEST(Demonstrativo, UmaQuebraFinalNaoViraLinha) {
    const QStringList tres{QStringLiteral("um"), QStringLiteral("dois"), QStringLiteral("três")};
    EXPECT_EQ(LinhasDemonstrativo(QStringLiteral("um\r\ndois\r\ntrês")), tres);
    EXPECT_EQ(LinhasDemonstrativo(QStringLiteral("um\r\ndois\r\ntrês\r\n")), tres);
    EXPECT_EQ(LinhasDemonstrativo(QStringLiteral("um\r\n\r\n")),
              (QStringList{QStringLiteral("um"), QString()}));
    EXPECT_EQ(LinhasDemonstrativo(QString()), QStringList{QString()});
    EXPECT_EQ(LinhasDemonstrativo(QStringLiteral("\r\n")), QStringList{QString()});
}

TEST(Demonstrativo, TextoCarregadoVoltaAsMesmasLinhas) {
    for (const QStringList &linhas :
         {QStringList{QString()}, QStringList{QStringLiteral("a"), QString()},
          QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}})
        EXPECT_EQ(LinhasDemonstrativo(TextoDemonstrativo(linhas)), linhas);
    EXPECT_EQ(TextoDemonstrativo({QString()}), QStringLiteral("\r\n"));
}

class LeitoresTest : public testing::Test {
protected:
    QTemporaryDir pasta;
    QString arquivo = pasta.filePath(QStringLiteral("sistema_zel.ini"));

    void escreve(const char *conteudo) {
        QFile f(arquivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(conteudo);
    }
};

TEST_F(LeitoresTest, SemArquivoReciboESemProtesto) {
    EXPECT_EQ(LerEspecieTitulo(IniFile(arquivo)), QStringLiteral("RC"));
    EXPECT_EQ(LerDiasProtesto(IniFile(arquivo)), 0);
}

TEST_F(LeitoresTest, LeemOsValoresGravados) {
    escreve("[Ruvenal]\r\nespecie_titulo=0\r\ndias_protesto=-5\r\n");
    EXPECT_EQ(LerEspecieTitulo(IniFile(arquivo)), QStringLiteral("AP"));
    EXPECT_EQ(LerDiasProtesto(IniFile(arquivo)), -5);
}

TEST_F(LeitoresTest, EspecieForaDaTabelaFalha) {
    for (const char *conteudo : {"[Ruvenal]\r\nespecie_titulo=24\r\n", "[Ruvenal]\r\nespecie_titulo=-1\r\n",
                                 "[Ruvenal]\r\nespecie_titulo=2147483647\r\n"}) {
        escreve(conteudo);
        EXPECT_THROW(LerEspecieTitulo(IniFile(arquivo)), Erro) << conteudo;
    }
}

} // namespace
