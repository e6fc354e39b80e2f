#include "tests/app/JanelaDeTeste.h"

#include "generation/BoletosEmitidos.h"

#include <QDir>
#include <QFile>
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
    EXPECT_EQ(janela->tabExporta->edCodEmpres->text(), QStringLiteral("0"));
    EXPECT_EQ(janela->tabExporta->lkEmpresa->currentText(), QStringLiteral("Loja Sete"));
    EXPECT_EQ(janela->tabExporta->DirFinal->text(), QStringLiteral("C:\\"));
    EXPECT_EQ(janela->tabImportarRet->fnLocalLeitura->text(), QStringLiteral("C:\\"));
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
    EXPECT_EQ(janela->tabExporta->DirFinal->text(), QStringLiteral("/tmp/remessas/"));
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
    // What ruvenal.log tells support: the step and a piece of the error's own text.
    const char *etapa;
    const char *motivo;
};

class FalhaNoInicio : public testing::TestWithParam<CasoFalha> {};

// Whatever fails, the operator sees the one warning and the program ends without a window; the log
// beside the program and standard error say which step failed and why.
TEST_P(FalhaNoInicio, MostraOAvisoFechaERegistraOMotivo) {
    BancoDeTeste banco;
    MensagensGravadas mensagens;
    PastaDoPrograma programa;
    programa.ini(QString::fromUtf8(GetParam().ini).arg(banco.nome()));
    if (!GetParam().comRegistro)
        programa.semRegistroDoComponente();

    bool ok = true;
    testing::internal::CaptureStderr();
    auto janela = programa.inicia(&ok);
    const QString erroPadrao = QString::fromStdString(testing::internal::GetCapturedStderr());

    EXPECT_FALSE(ok);
    EXPECT_EQ(mensagens.mostradas, QStringList{avisoBolix});
    EXPECT_FALSE(janela->isVisible());
    const QStringList registro = programa.registroDeFalhas();
    ASSERT_EQ(registro.size(), 1);
    EXPECT_TRUE(registro[0].contains(QStringLiteral(" %1: ").arg(QString::fromUtf8(GetParam().etapa))))
        << registro[0].toStdString();
    EXPECT_TRUE(registro[0].contains(QString::fromUtf8(GetParam().motivo))) << registro[0].toStdString();
    EXPECT_TRUE(erroPadrao.contains(registro[0])) << erroPadrao.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Inicio, FalhaNoInicio,
    testing::Values(CasoFalha{"SenhaMalFormada", "[ip]\ndatabase=%1\nsenha=7C05E1ZZ\n", true, "[ip] senha",
                              "'7C05E1ZZ'"},
                    CasoFalha{"SenhaCurta", "[ip]\ndatabase=%1\nsenha=7C\n", true, "[ip] senha", "'7C'"},
                    CasoFalha{"SenhaErrada", "[ip]\ndatabase=%1\nsenha=7C05E19B3A62F0D84E22\n", true,
                              "conexão com o banco de dados", "Access denied for user 'root'@'localhost'"},
                    CasoFalha{"Filial80", "[ip]\ndatabase=%1\n[FilialMatriz]\nCodFisica=80\n", true,
                              "[FilialMatriz] CodFisica", "80"},
                    CasoFalha{"ServidorInalcancavel", "[ip]\ndatabase=%1\nlocal=127.0.0.1\n", true,
                              "conexão com o banco de dados", "'127.0.0.1'"},
                    CasoFalha{"BancoDeDadosInexistente", "[ip]\ndatabase=nao_existe_aqui\n", true,
                              "conexão com o banco de dados", "Unknown database 'nao_existe_aqui'"},
                    CasoFalha{"ComponenteNaoRegistrado", "[ip]\ndatabase=%1\n", false,
                              "componente Bolix.ContaCorrente", "Bolix.ContaCorrente"}),
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
    ASSERT_EQ(programa.registroDeFalhas().size(), 1);
    EXPECT_TRUE(programa.registroDeFalhas()[0].contains(QStringLiteral("nao_existe/libbolix.so")));
}

// A failure of the statement after the connection names that statement's step, not the connection.
TEST(Inicio, TabelaDeBancosAusenteRegistraOTitulo) {
    BancoDeTeste banco;
    banco.conexao().executa(QStringLiteral("drop table bancos"));
    MensagensGravadas mensagens;
    PastaDoPrograma programa;
    programa.iniPara(banco, QStringLiteral("[Ruvenal]\nbanco=001\n"));

    bool ok = true;
    programa.inicia(&ok);

    EXPECT_FALSE(ok);
    ASSERT_EQ(programa.registroDeFalhas().size(), 1);
    EXPECT_TRUE(programa.registroDeFalhas()[0].contains(
        QStringLiteral(" título da janela (tabela bancos): Table '%1.bancos' doesn't exist")
            .arg(banco.nome())))
        << programa.registroDeFalhas()[0].toStdString();
}

TEST(Inicio, InicioBemSucedidoNaoEscreveRegistro) {
    BancoDeTeste banco;
    MensagensGravadas mensagens;
    PastaDoPrograma programa;
    programa.iniPara(banco);

    bool ok = false;
    programa.inicia(&ok);

    ASSERT_TRUE(ok);
    EXPECT_FALSE(QFile::exists(QDir(programa.caminho()).filePath(QStringLiteral("ruvenal.log"))));
}

// A record of issued boletos that holds a nosso número twice (issued before the record refused repeats): the
// program starts, and says which.
TEST(Inicio, BoletosRepetidosNoRegistroSaoDitosEOProgramaSegue) {
    BancoDeTeste banco;
    banco.conexao().executa(sqlCriaBoletosEmitidos());
    for (int codigo : {1, 2})
        banco.insere(QStringLiteral("ruvenal_boletos"), {{"tipo_sacado", "C"},
                                                         {"codigo", codigo},
                                                         {"banco", "001"},
                                                         {"carteira", "17"},
                                                         {"convenio", "1234567"},
                                                         {"nosso_numero", "0000000007"},
                                                         {"emitido_em", QDateTime::currentDateTime()}});
    MensagensGravadas mensagens;
    PastaDoPrograma programa;
    programa.iniPara(banco);

    bool ok = false;
    programa.inicia(&ok);

    ASSERT_TRUE(ok);
    EXPECT_EQ(
        mensagens.mostradas,
        QStringList{"atencao: O registro de boletos emitidos tem nossos números repetidos: o banco recusa o "
                    "segundo registro de cada um. Confira-os com o banco:\rnosso número 0000000007 (banco "
                    "001, carteira 17, convênio 1234567): 2 boletos"});
}

} // namespace
