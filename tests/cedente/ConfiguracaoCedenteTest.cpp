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
                                         CasoDias{"-3", std::nullopt}, CasoDias{"2147483647", 2147483647},
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

TEST_F(LeitoresTest, DiasQueNaoCabemEm32BitsSaoOPadrao) {
    escreve("[Ruvenal]\r\ndias_protesto=4294967297\r\nmargem_sup=4294967311\r\n");
    EXPECT_EQ(LerDiasProtesto(IniFile(arquivo)), 0);
    const ConfiguracaoCedente c = CarregaConfiguracaoCedente(IniFile(arquivo));
    EXPECT_EQ(c.diasProtesto, 0);
    EXPECT_EQ(c.margemSup, 15);
}

TEST_F(LeitoresTest, DemonstrativoLidoAteOLimite) {
    const struct {
        const char *conteudo;
        qsizetype linhas;
        bool cortado;
    } casos[] = {
        {"", 1, false},
        {"[Ruvenal]\r\nnum_linhas_demonstrativo=-1\r\ndemonstrativo0=x\r\n", 0, false},
        {"[Ruvenal]\r\nnum_linhas_demonstrativo=-9223372036854775808\r\n", 0, false},
        {"[Ruvenal]\r\nnum_linhas_demonstrativo=2\r\n", 3, false},
        {"[Ruvenal]\r\nnum_linhas_demonstrativo=999\r\n", 1000, false},
        {"[Ruvenal]\r\nnum_linhas_demonstrativo=1000\r\n", 1000, true},
        {"[Ruvenal]\r\nnum_linhas_demonstrativo=5000000\r\n", 1000, true},
        {"[Ruvenal]\r\nnum_linhas_demonstrativo=9223372036854775807\r\n", 1000, true},
    };
    for (const auto &c : casos) {
        escreve(c.conteudo);
        const Demonstrativo d = LerDemonstrativo(IniFile(arquivo));
        EXPECT_EQ(d.linhas.size(), c.linhas) << c.conteudo;
        EXPECT_EQ(d.cortado, c.cortado) << c.conteudo;
    }
}

TEST_F(LeitoresTest, DemonstrativoLeAsLinhasGravadas) {
    escreve("[Ruvenal]\r\ndemonstrativo1=dois\r\nnum_linhas_demonstrativo=2\r\ndemonstrativo0=um\r\n"
            "demonstrativo3=antiga\r\n");
    EXPECT_EQ(LerDemonstrativo(IniFile(arquivo)).linhas,
              (QStringList{QStringLiteral("um"), QStringLiteral("dois"), QString()}));
}

TEST(ConfereValores, RecusaONegativoDeCadaCampo) {
    const Money menosUmCentavo = Money::deUnidades(-100);
    const struct {
        void (*estraga)(ConfiguracaoCedente &, Money);
        CampoRecusado campo;
        const char *mensagem;
    } casos[] = {
        {[](ConfiguracaoCedente &c, Money m) { c.valorJuros = m; }, CampoRecusado::Juros,
         "Valor de Juros inválido!"},
        {[](ConfiguracaoCedente &c, Money m) { c.valorDesconto = m; }, CampoRecusado::Desconto,
         "Valor Desconto inválido!"},
        {[](ConfiguracaoCedente &c, Money m) { c.valorAcrescimo = m; }, CampoRecusado::Acrescimo,
         "Valor de Acréscimo inválido!"},
        {[](ConfiguracaoCedente &c, Money m) { c.valorMulta = m; }, CampoRecusado::Multa,
         "Valor Multa de Atraso inválido!"},
        {[](ConfiguracaoCedente &c, Money) { c.margemSup = -1; }, CampoRecusado::Margem,
         "Margem Superior Impressão inválida!"},
        {[](ConfiguracaoCedente &c, Money) { c.demonstrativo = QStringLiteral("x\r\n").repeated(1001); },
         CampoRecusado::Demonstrativo, "Demonstrativo com mais de 1000 linhas!"},
        {[](ConfiguracaoCedente &c, Money m) { c.valorTaxa = m; }, CampoRecusado::Taxa,
         "Taxa do Boleto inválida!"},
        {[](ConfiguracaoCedente &c, Money m) { c.sequenciaRemessa = m; }, CampoRecusado::Sequencia,
         "Sequência Arquivo de Remessa inválida!"},
    };
    for (const auto &caso : casos) {
        ConfiguracaoCedente c;
        caso.estraga(c, menosUmCentavo);
        const std::optional<Recusa> recusa = ConfereValores(c);
        ASSERT_TRUE(recusa) << caso.mensagem;
        EXPECT_EQ(recusa->campo, caso.campo) << caso.mensagem;
        EXPECT_EQ(recusa->mensagem, QString::fromUtf8(caso.mensagem));
    }

    ConfiguracaoCedente limites;
    limites.margemSup = 0;
    limites.demonstrativo = QStringLiteral("x\r\n").repeated(1000);
    EXPECT_FALSE(ConfereValores(limites));
}

TEST_F(LeitoresTest, EspecieForaDaTabelaFalha) {
    for (const char *conteudo : {"[Ruvenal]\r\nespecie_titulo=24\r\n", "[Ruvenal]\r\nespecie_titulo=-1\r\n",
                                 "[Ruvenal]\r\nespecie_titulo=2147483647\r\n"}) {
        escreve(conteudo);
        EXPECT_THROW(LerEspecieTitulo(IniFile(arquivo)), Erro) << conteudo;
    }
}

} // namespace
