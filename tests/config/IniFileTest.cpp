#include "config/IniFile.h"
#include "config/EstadoPrograma.h"
#include "util/Erro.h"
#include "util/Regional.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <climits>
#include <gtest/gtest.h>
#include <unistd.h>

// Files in failure messages as the text they hold, line ends shown.
void PrintTo(const QByteArray &bytes, std::ostream *os) {
    *os << '"' << QByteArray(bytes).replace("\r", "\\r").replace("\n", "\\n\n").toStdString() << '"';
}

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pasta.isValid());
        Regional::definir(Regional::brasileiro());
    }

    void escreve(const QByteArray &conteudo) {
        QFile f(caminho);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(conteudo);
    }
    QByteArray conteudo() const {
        QFile f(caminho);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir pasta;
    QString caminho = pasta.filePath(QStringLiteral("sistema_zel.ini"));
    IniFile ini{caminho};
};

// A file as another program of the installation leaves it: comments, blank lines, mixed line ends,
// a last line without one, Windows-1252 text, a repeated section.
const QByteArray arquivoDeOutros = "; gerado pelo sistema\r\n"
                                   "[IP]\r\n"
                                   " Database = loja1  \r\n"
                                   "local=\"192.168.0.1\"\n"
                                   "senha='7C05'\r\n"
                                   "vazio=\r\n"
                                   "aspas=\"meia\r\n"
                                   "\r\n"
                                   "[ruvenal]\r\n"
                                   "Nome_Empresa = Padaria S\xE3o Jo\xE3o\r\n"
                                   "; comentario=nao e chave de ninguem\r\n"
                                   "hexa=0x1F\r\n"
                                   "hexa_maiusculo=0X1f\r\n"
                                   "negativo=-15\r\n"
                                   "mais=+7\r\n"
                                   "letras=abc\r\n"
                                   "misto=12abc\r\n"
                                   "so_0x=0x\r\n"
                                   "grande=99999999999999999999\r\n"
                                   "flag_dois=2\r\n"
                                   "flag_zero=0\r\n"
                                   "juros=1,5\r\n"
                                   "juros_ponto=1.5\r\n"
                                   "juros_milhar=1.234,5\r\n"
                                   "\r\n"
                                   "[venda]\r\n"
                                   "numcaixa=3\r\n"
                                   "[Ruvenal]\r\n"
                                   "negativo=99";

TEST_F(IniFileTest, ReadsTextAsTheProfileFunctionsDo) {
    escreve(arquivoDeOutros);
    const struct {
        const char *secao, *chave, *esperado;
    } casos[] = {
        {"ip", "database", "loja1"},       {"Ip", "LOCAL", "192.168.0.1"},
        {"ip", "senha", "7C05"},           {"ip", "vazio", ""},
        {"ip", "aspas", "\"meia"},         {"ip", "ausente", "padrão"},
        {"ausente", "database", "padrão"}, {"RUVENAL", "nome_empresa", "Padaria São João"},
        {"ruvenal", "numcaixa", "padrão"}, {"venda", "numcaixa", "3"},
    };
    for (const auto &c : casos)
        EXPECT_EQ(ini.lerTexto(c.secao, c.chave, QStringLiteral("padrão")), QString::fromUtf8(c.esperado))
            << c.secao << "/" << c.chave;
}

TEST_F(IniFileTest, ReadsIntegersFlagsAndDecimalsWithTheirDefaults) {
    escreve(arquivoDeOutros);
    const struct {
        const char *chave;
        qint64 esperado;
    } inteiros[] = {{"hexa", 31},  {"hexa_maiusculo", 31}, {"negativo", -15}, {"mais", 7},    {"letras", 42},
                    {"misto", 42}, {"so_0x", 42},          {"grande", 42},    {"ausente", 42}};
    for (const auto &c : inteiros)
        EXPECT_EQ(ini.lerInteiro("Ruvenal", c.chave, 42), c.esperado) << c.chave;
    EXPECT_EQ(ini.lerInteiro("ip", "vazio", 42), 42);

    EXPECT_TRUE(ini.lerFlag("Ruvenal", "flag_dois", false));
    EXPECT_FALSE(ini.lerFlag("Ruvenal", "flag_zero", true));
    EXPECT_TRUE(ini.lerFlag("Ruvenal", "letras", true));
    EXPECT_FALSE(ini.lerFlag("Ruvenal", "ausente", false));

    const Money padrao = Money::deUnidades(77);
    EXPECT_EQ(ini.lerDecimal("Ruvenal", "juros", padrao), Money::deUnidades(15000));
    EXPECT_EQ(ini.lerDecimal("Ruvenal", "juros_ponto", padrao), padrao);
    EXPECT_EQ(ini.lerDecimal("Ruvenal", "juros_milhar", padrao), padrao);
    EXPECT_EQ(ini.lerDecimal("ip", "vazio", padrao), padrao);

    Regional::definir({".", ",", "/", ":"});
    EXPECT_EQ(ini.lerDecimal("Ruvenal", "juros_ponto", padrao), Money::deUnidades(15000));
    EXPECT_EQ(ini.lerDecimal("Ruvenal", "juros", padrao), padrao);
}

TEST_F(IniFileTest, Integers32BitsTakeTheDefaultWhenTheyDoNotFit) {
    escreve("[FilialMatriz]\r\nCodFisica=4294967297\r\nCodLogica=-2147483648\r\n"
            "[venda]\r\nnumcaixa=0x7FFFFFFF\r\n"
            "[Ruvenal]\r\nmargem_sup=2147483648\r\ndias_protesto=-2147483649\r\nhexa=0x80000000\r\n");
    const struct {
        const char *secao, *chave;
        int esperado;
    } casos[] = {{"FilialMatriz", "CodFisica", 42}, {"FilialMatriz", "CodLogica", INT_MIN},
                 {"venda", "numcaixa", INT_MAX},    {"Ruvenal", "margem_sup", 42},
                 {"Ruvenal", "dias_protesto", 42},  {"Ruvenal", "hexa", 42}};
    for (const auto &c : casos)
        EXPECT_EQ(ini.lerInteiro32(c.secao, c.chave, 42), c.esperado) << c.chave;

    EstadoPrograma estado;
    leConfiguracaoInicial(ini, estado);
    EXPECT_EQ(estado.FilialAtual, 0);
    EXPECT_EQ(estado.LojasLeramAtual, QStringLiteral("0"));
    EXPECT_EQ(estado.FilialLogica, INT_MIN);
    EXPECT_EQ(estado.NumCaixa, INT_MAX);
}

TEST_F(IniFileTest, OneReadingAnswersAsSeparateReads) {
    escreve(arquivoDeOutros);
    const IniFileLido lido = ini.leTudo();
    escreve("[Ruvenal]\r\nhexa=1\r\n");
    EXPECT_EQ(lido.lerTexto("ip", "database", {}), QStringLiteral("loja1"));
    EXPECT_EQ(lido.lerInteiro("Ruvenal", "hexa", 0), 31);
    EXPECT_EQ(lido.lerDecimal("Ruvenal", "juros", Money()), Money::deUnidades(15000));
    EXPECT_EQ(ini.lerInteiro("Ruvenal", "hexa", 0), 1);
}

TEST_F(IniFileTest, LongValuesAreCutTo2047Characters) {
    escreve("[Ruvenal]\r\ninstrucao=" + QByteArray(3000, 'x') + "\r\n");
    EXPECT_EQ(ini.lerTexto("Ruvenal", "instrucao", {}), QString(2047, u'x'));
}

TEST_F(IniFileTest, MissingFileReadsDefaultsAndStaysMissing) {
    EXPECT_EQ(ini.lerTexto("ip", "database", "gerente"), "gerente");
    EXPECT_EQ(ini.lerInteiro("FilialMatriz", "CodFisica", 0), 0);
    EXPECT_TRUE(ini.lerFlag("Ruvenal", "local_pgto_padrao", true));
    EXPECT_EQ(ini.lerDecimal("Ruvenal", "valor_taxa", Money()), Money());
    EXPECT_FALSE(QFile::exists(caminho));
}

TEST_F(IniFileTest, WritesKeepEveryOtherLineByteForByte) {
    escreve(arquivoDeOutros);
    ini.gravarTexto("RUVENAL", "NOME_EMPRESA", QStringLiteral("Mercado Ação"));
    ini.gravarInteiro("ip", "novo", -3);
    ini.gravarFlag("ruvenal", "negativo", true);
    ini.gravarDecimal("Ruvenal", "valor_taxa", Money::deUnidades(25000));
    ini.gravarTexto("venda", "ultima", "sem fim de linha antes");
    ini.gravarTexto("Cedente", "conta", "123");

    QByteArray esperado = arquivoDeOutros;
    esperado.replace("Nome_Empresa = Padaria S\xE3o Jo\xE3o", "Nome_Empresa=Mercado A\xE7\xE3o");
    esperado.replace("aspas=\"meia\r\n", "aspas=\"meia\r\nnovo=-3\r\n");
    esperado.replace("negativo=-15", "negativo=1");
    esperado.replace("juros_milhar=1.234,5\r\n", "juros_milhar=1.234,5\r\nvalor_taxa=2,5\r\n");
    esperado.replace("numcaixa=3\r\n", "numcaixa=3\r\nultima=sem fim de linha antes\r\n");
    esperado += "\r\n\r\n[Cedente]\r\nconta=123\r\n";
    EXPECT_EQ(conteudo(), esperado);

    EXPECT_EQ(ini.lerTexto("ruvenal", "nome_empresa", {}), QStringLiteral("Mercado Ação"));
    EXPECT_EQ(ini.lerDecimal("Ruvenal", "valor_taxa", Money()), Money::deUnidades(25000));
    EXPECT_EQ(ini.lerInteiro("Ruvenal", "negativo", 0), 1);
}

// A rewritten line is "key=value" however often it is written; the blanks of a value are its own.
TEST_F(IniFileTest, RewritingAValueNeverGrowsItsLine) {
    escreve("[Ruvenal]\r\n  Instrucao =  antiga  \r\nnome_empresa=Loja\r\n");
    for (int vez = 0; vez < 3; ++vez)
        ini.gravarTexto("Ruvenal", "instrucao", QStringLiteral(" Protestar"));
    EXPECT_EQ(conteudo(), "[Ruvenal]\r\nInstrucao= Protestar\r\nnome_empresa=Loja\r\n");
    // Blanks around a value are dropped on reading, as the profile functions do.
    EXPECT_EQ(ini.lerTexto("Ruvenal", "instrucao", {}), QStringLiteral("Protestar"));
    ini.gravarTexto("Ruvenal", "instrucao", QString());
    EXPECT_EQ(conteudo(), "[Ruvenal]\r\nInstrucao=\r\nnome_empresa=Loja\r\n");
}

TEST_F(IniFileTest, AppendsToASectionEndingTheFileWithoutALineEnd) {
    escreve("[Ruvenal]\nconfigurado=0");
    ini.gravarFlag("Ruvenal", "local_pgto_padrao", false);
    EXPECT_EQ(conteudo(), "[Ruvenal]\nconfigurado=0\r\nlocal_pgto_padrao=0\r\n");
}

TEST_F(IniFileTest, FirstWriteCreatesTheFile) {
    ini.gravarInteiro("Ruvenal", "sequencia_remessa", 5);
    ini.gravarDecimal("Ruvenal", "valor_juros", Money());
    EXPECT_EQ(conteudo(), "[Ruvenal]\r\nsequencia_remessa=5\r\nvalor_juros=0\r\n");
}

TEST_F(IniFileTest, EveryReadSeesTheFileAsItIsNow) {
    ini.gravarTexto("Ruvenal", "endereco_leitura", "C:\\retorno.ret");
    EXPECT_EQ(IniFile(caminho).lerTexto("Ruvenal", "endereco_leitura", {}), "C:\\retorno.ret");
    escreve("[Ruvenal]\r\nendereco_leitura=D:\\outro.ret\r\n");
    EXPECT_EQ(ini.lerTexto("Ruvenal", "endereco_leitura", {}), "D:\\outro.ret");
}

TEST_F(IniFileTest, AValueCannotBreakIntoAnotherLine) {
    ini.gravarTexto("Ruvenal", "instrucao", "linha 1\r\n[ip]\nsenha=00");
    EXPECT_EQ(conteudo(), "[Ruvenal]\r\ninstrucao=linha 1  [ip] senha=00\r\n");
    EXPECT_EQ(ini.lerTexto("ip", "senha", "padrão"), "padrão");
}

TEST_F(IniFileTest, CharactersOutsideTheCodePageAreWrittenAsQuestionMarks) {
    ini.gravarTexto("Ruvenal", "nome_empresa", QStringLiteral("Café ₹"));
    EXPECT_EQ(conteudo(), "[Ruvenal]\r\nnome_empresa=Caf\xE9 ?\r\n");
}

TEST_F(IniFileTest, RefusedWriteNamesTheFile) {
    const QString semPasta = pasta.filePath(QStringLiteral("nao_existe/sistema_zel.ini"));
    try {
        IniFile(semPasta).gravarTexto("Ruvenal", "cod_empresa", "1");
        FAIL() << "no error";
    } catch (const Erro &e) {
        EXPECT_EQ(e.texto(),
                  QStringLiteral("Não foi possível gravar em ") + QDir::toNativeSeparators(semPasta));
    }
}

TEST_F(IniFileTest, ReadOnlyFileIsRefusedAndLeftAsItWas) {
    escreve(arquivoDeOutros);
    QFile::setPermissions(caminho, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    if (::access(QFile::encodeName(caminho).constData(), W_OK) == 0)
        GTEST_SKIP() << "this user writes read-only files";
    EXPECT_THROW(ini.gravarTexto("Ruvenal", "cod_empresa", "1"), Erro);
    EXPECT_EQ(conteudo(), arquivoDeOutros);
}

TEST_F(IniFileTest, WritableFileInAReadOnlyFolderIsRewrittenInPlace) {
    escreve("[Ruvenal]\r\ncod_empresa=1\r\n; fim\r\n");
    QFile::setPermissions(pasta.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool pastaAberta = ::access(QFile::encodeName(pasta.path()).constData(), W_OK) == 0;
    if (!pastaAberta) {
        ini.gravarTexto("Ruvenal", "cod_empresa", "12345");
        ini.gravarTexto("Ruvenal", "x", "1");
    }
    QFile::setPermissions(pasta.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (pastaAberta)
        GTEST_SKIP() << "this user writes in read-only folders";
    EXPECT_EQ(conteudo(), "[Ruvenal]\r\ncod_empresa=12345\r\nx=1\r\n; fim\r\n");
    ini.gravarTexto("Ruvenal", "cod_empresa", "1");
    EXPECT_EQ(conteudo(), "[Ruvenal]\r\ncod_empresa=1\r\nx=1\r\n; fim\r\n");
}

} // namespace
