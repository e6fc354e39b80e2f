#include "tests/app/JanelaDeTeste.h"

#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

const QString avisoBolix =
    QStringLiteral("aviso: É necessário que o Bolix esteja instalado neste computador.");

// The database the program opens when there is no configuration file: "gerente" on the local server.
class BancoGerente {
public:
    explicit BancoGerente(BancoDeTeste &modelo) : conexao_(modelo.conexao()) {
        conexao_.executa(QStringLiteral("drop database if exists gerente"));
        conexao_.executa(QStringLiteral("create database gerente default character set latin1"));
        for (const char *tabela : {"empresa", "bancos"})
            conexao_.executa(QStringLiteral("create table gerente.%1 like %2.%1")
                                 .arg(QLatin1String(tabela), modelo.nome()));
    }
    ~BancoGerente() { conexao_.executa(QStringLiteral("drop database gerente")); }
    Connection &conexao() { return conexao_; }

private:
    Connection &conexao_;
};

TEST(Inicio, SemArquivoDeConfiguracaoUsaOsPadroesEASenhaPadraoDecifrada) {
    BancoDeTeste modelo;
    BancoGerente gerente(modelo);
    gerente.conexao().executa(
        QStringLiteral("insert into gerente.empresa (empresa_id, nome) values (7, 'Loja Sete')"));
    MensagensGravadas mensagens;
    PastaDoPrograma programa;

    bool ok = false;
    auto janela = programa.inicia(&ok);

    ASSERT_TRUE(ok) << mensagens.mostradas.join('\n').toStdString();
    EXPECT_TRUE(mensagens.mostradas.isEmpty());
    EXPECT_EQ(janela->windowTitle(), QStringLiteral("Ruvenal 1.0.0.34"));
    EXPECT_EQ(janela->estado().FilialAtual, 0);
    EXPECT_EQ(janela->estado().FilialLogica, 0);
    EXPECT_EQ(janela->estado().NumCaixa, 0);
    EXPECT_EQ(janela->estado().LojasLeramAtual, QStringLiteral("0"));
    EXPECT_FALSE(janela->estado().Configurado);
    // cod_empresa defaults to "0", which no company has: the first company stays chosen.
    EXPECT_EQ(janela->edCodEmpres->text(), QStringLiteral("0"));
    EXPECT_EQ(janela->lkEmpresa->currentText(), QStringLiteral("Loja Sete"));
    EXPECT_EQ(janela->DirFinal->text(), QStringLiteral("C:\\"));
    EXPECT_EQ(janela->fnLocalLeitura->text(), QStringLiteral("C:\\"));
    EXPECT_EQ(janela->pcPrincipal->currentWidget(), janela->tabExporta);
}

TEST(Inicio, EstadoDoProgramaVemDoArquivo) {
    BancoDeTeste banco;
    MensagensGravadas mensagens;
    PastaDoPrograma programa;
    programa.iniPara(banco,
                     QStringLiteral("[FilialMatriz]\nCodFisica=1\nCodLogica=0x0A\n[venda]\nnumcaixa=-3\n"
                                    "[Ruvenal]\nconfigurado=1\nendereco_destino=\"/tmp/remessas/\"\n"));

    bool ok = false;
    auto janela = programa.inicia(&ok);

    ASSERT_TRUE(ok) << mensagens.mostradas.join('\n').toStdString();
    EXPECT_EQ(janela->estado().FilialAtual, 1);
    EXPECT_EQ(janela->estado().LojasLeramAtual, QStringLiteral("*"));
    EXPECT_EQ(janela->estado().FilialLogica, 10);
    EXPECT_EQ(janela->estado().NumCaixa, -3);
    EXPECT_TRUE(janela->estado().Configurado);
    EXPECT_EQ(janela->DirFinal->text(), QStringLiteral("/tmp/remessas/"));
}

struct CasoTitulo {
    const char *nome;
    const char *linhaBanco;
    const char *titulo;
};

class TituloDaJanela : public testing::TestWithParam<CasoTitulo> {};

TEST_P(TituloDaJanela, SegueOBancoDaInstalacao) {
    BancoDeTeste banco;
    banco.insere(QStringLiteral("bancos"), {{"bancos_id", "001"}, {"descricao", "Banco do Brasil"}});
    MensagensGravadas mensagens;
    PastaDoPrograma programa;
    programa.iniPara(banco, QStringLiteral("[Ruvenal]\n%1\n").arg(QString::fromUtf8(GetParam().linhaBanco)));

    bool ok = false;
    auto janela = programa.inicia(&ok);

    ASSERT_TRUE(ok) << mensagens.mostradas.join('\n').toStdString();
    EXPECT_EQ(janela->windowTitle(), QString::fromUtf8(GetParam().titulo));
}

INSTANTIATE_TEST_SUITE_P(
    Inicio, TituloDaJanela,
    testing::Values(CasoTitulo{"Cadastrado", "banco=001", "Ruvenal 1.0.0.34 - 001 Banco do Brasil"},
                    CasoTitulo{"Ausente", "banco=999", "Ruvenal 1.0.0.34 - 999 "},
                    // Quotes in the number reach the statement escaped, never raw.
                    CasoTitulo{"ComAspas", "banco=0\"01", "Ruvenal 1.0.0.34 - 0\"01 "},
                    CasoTitulo{"SemBanco", "carteira=17", "Ruvenal 1.0.0.34"}),
    [](const testing::TestParamInfo<CasoTitulo> &info) { return std::string(info.param.nome); });

struct CasoFalha {
    const char *nome;
    const char *ini;
    bool comRegistro;
};

class FalhaNoInicio : public testing::TestWithParam<CasoFalha> {};

// Whatever fails, the operator sees the one warning and the program ends without a window.
TEST_P(FalhaNoInicio, MostraOAvisoEFecha) {
    BancoDeTeste banco;
    MensagensGravadas mensagens;
    PastaDoPrograma programa;
    programa.ini(QString::fromUtf8(GetParam().ini).arg(banco.nome()));
    if (!GetParam().comRegistro)
        programa.semRegistroDoComponente();

    bool ok = true;
    auto janela = programa.inicia(&ok);

    EXPECT_FALSE(ok);
    EXPECT_EQ(mensagens.mostradas, QStringList{avisoBolix});
    EXPECT_FALSE(janela->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Inicio, FalhaNoInicio,
    testing::Values(CasoFalha{"SenhaMalFormada", "[ip]\ndatabase=%1\nsenha=7C05E1ZZ\n", true},
                    CasoFalha{"SenhaCurta", "[ip]\ndatabase=%1\nsenha=7C\n", true},
                    CasoFalha{"SenhaErrada", "[ip]\ndatabase=%1\nsenha=7C05E19B3A62F0D84E22\n", true},
                    CasoFalha{"Filial80", "[ip]\ndatabase=%1\n[FilialMatriz]\nCodFisica=80\n", true},
                    CasoFalha{"ServidorInalcancavel", "[ip]\ndatabase=%1\nlocal=127.0.0.1\n", true},
                    CasoFalha{"BancoDeDadosInexistente", "[ip]\ndatabase=nao_existe_aqui\n", true},
                    CasoFalha{"ComponenteNaoRegistrado", "[ip]\ndatabase=%1\n", false}),
    [](const testing::TestParamInfo<CasoFalha> &info) { return std::string(info.param.nome); });

TEST(Inicio, RegistroApontandoParaPluginAusente) {
    BancoDeTeste banco;
    MensagensGravadas mensagens;
    PastaDoPrograma programa;
    programa.iniPara(banco);
    programa.registro(QStringLiteral("nao_existe/libbolix.so"));

    bool ok = true;
    programa.inicia(&ok);

    EXPECT_FALSE(ok);
    EXPECT_EQ(mensagens.mostradas, QStringList{avisoBolix});
}

} // namespace
