// The component's account set-up: the members in their order, both modes, the nosso-número range and
// the write-back of the account as the component normalised it.
#include "generation/ConfigurarConta.h"

#include "tests/generation/InstalacaoDeTeste.h"
#include "tests/support/BancoDeTeste.h"
#include "tests/support/RecordingDispatch.h"
#include "util/Erro.h"

#include <gtest/gtest.h>

using automation::Variant;

namespace {

class ConfigurarContaTest : public testing::Test {
protected:
    BancoDeTeste banco;
    InstalacaoDeTeste instalacao;
    std::shared_ptr<RecordingDispatch> gravador;
    boleto::ObjetoBolix bolix;
    ControlesConta controles;

    // A fresh recorder with the sub-objects the set-up walks through.
    void novoGravador() {
        gravador = std::make_shared<RecordingDispatch>();
        for (const char *membro : {"ArquivoRemessa", "ArquivoRetorno"})
            gravador->child(QLatin1String(membro));
        gravador->child(QStringLiteral("MeusDados"))->child(QStringLiteral("Add"));
        gravador->child(QStringLiteral("PadroesBoleto"))->child(QStringLiteral("PadroesBoletoImpresso"));
        bolix = boleto::ObjetoBolix(gravador);
    }

    void SetUp() override {
        novoGravador();
        banco.insere(QStringLiteral("bancos"), {{"bancos_id", "756"}, {"descricao", "SICOOB"}});
    }

    QString configura(const QString &numeroBanco) {
        return ConfigurarConta(controles, {QStringLiteral("/opt/ruvenal/"), numeroBanco}, bolix,
                               instalacao.ini(), banco.conexao());
    }
    QString inicio() const {
        const QStringList sets = gravador->log().filter(QStringLiteral("set InicioNossoNumero"));
        return sets.isEmpty() ? QString() : sets.first().section(QLatin1Char('('), 1).chopped(1);
    }
};

TEST_F(ConfigurarContaTest, ExportaPreencheOComponenteNaOrdemEGravaAContaDevolvida) {
    instalacao.ruvenal({"num_agencia=3069", "nossonumero=123", "conta_corrente=12345-6",
                        "identificacao_empresa=0123456", "OutroDadoConfiguracao2=X", "local_pgto_padrao=0",
                        "local_pgto=Pagável só na agência", "margem_sup=20"});
    controles.DirFinal = QStringLiteral("\"/dados/remessa/\"");
    controles.checkDebitoCC = true;
    controles.cbDtVenc = false;
    controles.SequenciaRemessa = 7;

    EXPECT_EQ(configura(QStringLiteral("756")), QStringLiteral("Ruvenal 1.0.0.34 - 756 SICOOB"));

    const QStringList esperado{"get ArquivoRemessa",
                               "set Diretorio = Text(/dados/remessa/)",
                               "get ArquivoRemessa",
                               "set Sequencia = Int(7)",
                               "get ArquivoRemessa",
                               "set Arquivo = Text(remessa.rem)",
                               "get ArquivoRemessa",
                               "set Layout = Text(DebitoCC)",
                               "set CodigoAgencia = Text(3069)",
                               "set InicioNossoNumero = Text(000000000123)",
                               "set FimNossoNumero = Text(999999999999)",
                               "get MeusDados",
                               "call Add()",
                               "set Nome = Text(LiteralCobrancaComCedilha)",
                               "set Valor = Text(S)",
                               "set NumeroContaCorrente = Text(12345-6)",
                               "set CodigoCedente = Text(0123456)",
                               "set OutroDadoConfiguracao1 = Text(A)",
                               "set OutroDadoConfiguracao2 = Text(X)",
                               "set NaoUsarFatorVencimento = Bool(True)",
                               "get PadroesBoleto",
                               "get PadroesBoletoImpresso",
                               "set ArquivoLogotipo = Text(/opt/ruvenal/imagens/756.jpg)",
                               "get PadroesBoleto",
                               "get PadroesBoletoImpresso",
                               "set CaminhoImagensCodigoBarras = Text(/opt/ruvenal/imagens/)",
                               "set LocalPagamento = Text(Pagável só na agência)",
                               "get PadroesBoleto",
                               "get PadroesBoletoImpresso",
                               "set MargemSuperior = Int(20)",
                               "call ConfiguraContaCorrente()",
                               "get InicioNossoNumero",
                               "set ProximoNossoNumero = Text(000000000124)",
                               "get CodigoAgencia",
                               "get CodigoCedente",
                               "get NumeroContaCorrente",
                               "get OutroDadoConfiguracao1",
                               "get OutroDadoConfiguracao2"};
    EXPECT_EQ(gravador->log().join(u'\n').toStdString(), esperado.join(u'\n').toStdString());
    EXPECT_EQ(instalacao.ini().lerTexto("Ruvenal", "conta_corrente", {}), QStringLiteral("12345-6"));
    EXPECT_EQ(instalacao.ini().lerTexto("Ruvenal", "OutroDadoConfiguracao1", {}), QStringLiteral("A"));
}

TEST_F(ConfigurarContaTest, SemDebitoALayoutDaRemessaFicaComoEsta) {
    configura(QStringLiteral("001"));
    EXPECT_TRUE(gravador->log().filter(QStringLiteral("Layout")).isEmpty());
    EXPECT_TRUE(gravador->log().filter(QStringLiteral("MeusDados")).isEmpty());
    EXPECT_TRUE(
        gravador->log().contains(QStringLiteral("set LocalPagamento = Text(Até o vencimento pagável em "
                                                "qualquer banco do sistema de compensação.)")));
    EXPECT_TRUE(gravador->log().contains(QStringLiteral("set NaoUsarFatorVencimento = Bool(False)")));
}

TEST_F(ConfigurarContaTest, ImportaSoTocaOArquivoDeRetorno) {
    controles.exporta = false;
    controles.fnLocalLeitura = QStringLiteral("\"C:\\Banco\\retorno\\CB0101.ret\"");
    configura(QString());
    const QStringList arquivos = gravador->log().mid(0, 6);
    EXPECT_EQ(arquivos.join(u'|').toStdString(),
              (QStringList{"get ArquivoRetorno", "set Layout = Text(FEBRABAN240)", "get ArquivoRetorno",
                           "set Diretorio = Text(C:\\Banco\\retorno\\)", "get ArquivoRetorno",
                           "set Arquivo = Text(CB0101.ret)"})
                  .join(u'|')
                  .toStdString());
    EXPECT_TRUE(gravador->log().filter(QStringLiteral("ArquivoRemessa")).isEmpty());
}

TEST_F(ConfigurarContaTest, TituloSemBancoOuComBancoForaDaTabela) {
    EXPECT_EQ(configura(QString()), QStringLiteral("Ruvenal 1.0.0.34"));
    EXPECT_EQ(configura(QStringLiteral("999")), QStringLiteral("Ruvenal 1.0.0.34 - 999 "));
}

struct CasoFaixa {
    const char *banco;
    const char *nossonumero; // nullptr: key missing
    const char *inicio;
};

class FaixaTest : public ConfigurarContaTest, public testing::WithParamInterface<CasoFaixa> {};

TEST_P(FaixaTest, InicioPreenchidoPelaLarguraDoBanco) {
    if (GetParam().nossonumero)
        instalacao.ruvenal({QStringLiteral("nossonumero=") + QLatin1String(GetParam().nossonumero)});
    configura(QLatin1String(GetParam().banco));
    EXPECT_EQ(inicio(), QLatin1String(GetParam().inicio));
}

INSTANTIATE_TEST_SUITE_P(Casos, FaixaTest,
                         testing::Values(CasoFaixa{"237", "123", "00000000123"},
                                         CasoFaixa{"999", "123", "00000123"},
                                         CasoFaixa{"999", "1234567890123", "1234567890123"},
                                         CasoFaixa{"11", nullptr, "0000000000"},
                                         CasoFaixa{"756", nullptr, "000000000000"}));

TEST_F(ConfigurarContaTest, ProximoNossoNumeroNuncaEncurta) {
    for (const auto &[devolvido, banco, proximo] :
         {std::tuple{"123456789", "999", "123456790"}, {"0000000041", "11", "0000000042"}}) {
        gravador->answer(QStringLiteral("InicioNossoNumero"), Variant(devolvido));
        configura(QLatin1String(banco));
        EXPECT_TRUE(
            gravador->log().contains(QStringLiteral("set ProximoNossoNumero = Text(%1)").arg(proximo)))
            << proximo;
        gravador->clearLog();
    }
}

TEST_F(ConfigurarContaTest, FalhaNoMeioNaoGravaNadaNoArquivo) {
    const auto ausente = [this] {
        return instalacao.ini().lerTexto("Ruvenal", "OutroDadoConfiguracao1", QStringLiteral("ausente"));
    };
    gravador->fail(QStringLiteral("ConfiguraContaCorrente"), QStringLiteral("Agência inválida."));
    EXPECT_THROW(configura(QStringLiteral("001")), automation::AutomationError);
    EXPECT_EQ(ausente(), QStringLiteral("ausente"));

    novoGravador();
    gravador->answer(QStringLiteral("InicioNossoNumero"), Variant("12a"));
    try {
        configura(QStringLiteral("001"));
        ADD_FAILURE() << "a range start that is not a number must stop the set-up";
    } catch (const Erro &e) {
        EXPECT_EQ(e.texto(), QStringLiteral("InicioNossoNumero \"12a\" não é um número inteiro."));
    }
    EXPECT_EQ(ausente(), QStringLiteral("ausente"));
}

// The real component: what it made of the account is what the file keeps.
TEST_F(ConfigurarContaTest, ComponenteRealNormalizaEOArquivoGuarda) {
    instalacao.ruvenal(
        {"num_agencia=1584", "nossonumero=41", "conta_corrente=210169", "identificacao_empresa=1234567"});
    const boleto::ObjetoBolix real = instalacao.componente();
    ASSERT_TRUE(real.existe());
    ConfigurarConta(controles, {instalacao.pasta(), QStringLiteral("11")}, real, instalacao.ini(),
                    banco.conexao());

    const IniFile ini = instalacao.ini();
    for (const auto &[membro, chave] : {std::pair{"CodigoAgencia", "num_agencia"},
                                        {"CodigoCedente", "identificacao_empresa"},
                                        {"NumeroContaCorrente", "conta_corrente"}})
        EXPECT_EQ(ini.lerTexto("Ruvenal", chave, {}), real.get(QLatin1String(membro)).toText()) << chave;
    EXPECT_EQ(real.get(QStringLiteral("ProximoNossoNumero")).toText(), QStringLiteral("0000000042"));
    EXPECT_EQ(real.get(QStringLiteral("ArquivoRemessa.Sequencia")).toInt(), 0);
}

} // namespace
