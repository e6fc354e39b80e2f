#include "boleto/ObjetoBolix.h"
#include "tests/support/RecordingDispatch.h"

#include "tests/support/ErroDe.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using automation::Variant;
using boleto::ObjetoBolix;

namespace {

// A component double with the sub-objects the program walks through.
struct Componente {
    std::shared_ptr<RecordingDispatch> raiz = std::make_shared<RecordingDispatch>();
    ObjetoBolix bolix{raiz};

    Componente() {
        raiz->child(QStringLiteral("ArquivoRemessa"));
        raiz->child(QStringLiteral("PadroesBoleto"))->child(QStringLiteral("PadroesBoletoImpresso"));
        raiz->child(QStringLiteral("DocumentosCobranca"));
        auto ocorrencias = raiz->child(QStringLiteral("OcorrenciasCobranca"));
        ocorrencias->answer(QStringLiteral("Count"), Variant(2));
        ocorrencias->setItems({Variant("primeira"), Variant("segunda")});
        raiz->answer(QStringLiteral("CodigoAgencia"), Variant("1234-5"));
    }
};

struct Passo {
    const char *name;
    std::function<Variant(const ObjetoBolix &)> run;
    Variant result;
    QStringList log;
};

void PrintTo(const Passo &p, std::ostream *os) {
    *os << p.name;
}

class CaminhoDeMembro : public testing::TestWithParam<Passo> {};

TEST_P(CaminhoDeMembro, LeCadaNomeEUsaOUltimoNoObjetoQueEleDa) {
    Componente c;
    EXPECT_EQ(GetParam().run(c.bolix), GetParam().result);
    EXPECT_EQ(c.raiz->log(), GetParam().log);
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, CaminhoDeMembro,
    testing::Values(
        Passo{"GravaEmSubObjeto",
              [](const ObjetoBolix &b) {
                  b.set(QStringLiteral("ArquivoRemessa.Diretorio"), Variant("C:\\Remessa\\"));
                  return Variant();
              },
              Variant(),
              {"get ArquivoRemessa", "set Diretorio = Text(C:\\Remessa\\)"}},
        Passo{"GravaTresNiveisAbaixo",
              [](const ObjetoBolix &b) {
                  b.set(QStringLiteral("PadroesBoleto.PadroesBoletoImpresso.MargemSuperior"), Variant(15));
                  return Variant();
              },
              Variant(),
              {"get PadroesBoleto", "get PadroesBoletoImpresso", "set MargemSuperior = Int(15)"}},
        // Nothing is cached: every use reads the path again, as late-bound code does.
        Passo{"CadaUsoLeOCaminhoDeNovo",
              [](const ObjetoBolix &b) {
                  b.set(QStringLiteral("ArquivoRemessa.Arquivo"), Variant("remessa.rem"));
                  b.set(QStringLiteral("ArquivoRemessa.Sequencia"), Variant(7));
                  return Variant();
              },
              Variant(),
              {"get ArquivoRemessa", "set Arquivo = Text(remessa.rem)", "get ArquivoRemessa",
               "set Sequencia = Int(7)"}},
        Passo{"LeNaRaiz",
              [](const ObjetoBolix &b) { return b.get(QStringLiteral("CodigoAgencia")); },
              Variant("1234-5"),
              {"get CodigoAgencia"}},
        Passo{"ChamaEmSubObjeto",
              [](const ObjetoBolix &b) { return b.call(QStringLiteral("DocumentosCobranca.Clear")); },
              Variant(),
              {"get DocumentosCobranca", "call Clear()"}},
        Passo{"ChamaNaRaizComArgumentos",
              [](const ObjetoBolix &b) {
                  return b.call(QStringLiteral("GravaArquivoRemessa"), {Variant(1), Variant("x")});
              },
              Variant(),
              {"call GravaArquivoRemessa(Int(1), Text(x))"}},
        Passo{"LeEmSubObjeto",
              [](const ObjetoBolix &b) { return b.get(QStringLiteral("OcorrenciasCobranca.Count")); },
              Variant(2),
              {"get OcorrenciasCobranca", "get Count"}},
        Passo{"ItemDaColecao",
              [](const ObjetoBolix &b) { return b.item(QStringLiteral("OcorrenciasCobranca"), 1); },
              Variant("segunda"),
              {"get OcorrenciasCobranca", "item 1"}},
        Passo{"BrancosEmVoltaDosNomesCaem",
              [](const ObjetoBolix &b) { return b.get(QStringLiteral(" ArquivoRemessa . Diretorio ")); },
              Variant(),
              {"get ArquivoRemessa", "get Diretorio"}}),
    [](const testing::TestParamInfo<Passo> &info) { return std::string(info.param.name); });

TEST(ObjetoBolix, MembroQueNaoDaObjetoParaOCaminhoEEhNomeado) {
    Componente c;
    const QString erro = erroDe([&] { c.bolix.set(QStringLiteral("CodigoAgencia.Digito"), Variant("0")); });
    EXPECT_TRUE(erro.startsWith(QStringLiteral("CodigoAgencia não é um objeto"))) << erro.toStdString();
    EXPECT_EQ(c.raiz->log(), QStringList{"get CodigoAgencia"});
}

TEST(ObjetoBolix, CaminhoMalFormadoEhRecusadoAntesDeQualquerChamada) {
    Componente c;
    for (const char *caminho : {"", "ArquivoRemessa..Diretorio", "ArquivoRemessa.", ".Diretorio"})
        EXPECT_TRUE(erroDe([&] { c.bolix.get(QLatin1String(caminho)); }).startsWith(QLatin1String("Caminho")))
            << caminho;
    EXPECT_TRUE(c.raiz->log().isEmpty());
}

TEST(ObjetoBolix, ErroDoComponenteChegaIntacto) {
    Componente c;
    c.raiz->child(QStringLiteral("ArquivoRetorno"))
        ->fail(QStringLiteral("Diretorio"), QStringLiteral("Diretório inválido"));
    EXPECT_EQ(erroDe([&] { c.bolix.set(QStringLiteral("ArquivoRetorno.Diretorio"), Variant("X:")); }),
              QStringLiteral("Diretório inválido"));
}

TEST(ObjetoBolix, SemObjetoTodoUsoFalha) {
    const ObjetoBolix vazio;
    EXPECT_FALSE(vazio.existe());
    EXPECT_TRUE(
        erroDe([&] { vazio.get(QStringLiteral("NumeroBanco")); }).contains(QStringLiteral("não foi criado")));
}

TEST(ObjetoBolix, CriacaoSemRegistroFalha) {
    QTemporaryDir pasta;
    EXPECT_TRUE(
        erroDe([&] { ObjetoBolix::cria(pasta.path()); }).startsWith(QStringLiteral("Classe não registrada")));
}

} // namespace
