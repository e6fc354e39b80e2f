#include "bolix/core/Configuracao.h"
#include "bolix/core/ErroBolix.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bolix;
using namespace Qt::StringLiterals;

namespace {

class ArquivoConfiguracao : public testing::Test {
protected:
    QString grava(const QByteArray &conteudo) {
        const QString caminho = dir_.filePath(QStringLiteral("bolix.ini"));
        QFile f(caminho);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(conteudo);
        return caminho;
    }

    // The refusal's text, or a failure when the file was accepted.
    QString recusa(const QByteArray &conteudo) {
        try {
            lerConfiguracao(grava(conteudo));
        } catch (const ErroBolix &e) {
            return e.texto();
        }
        ADD_FAILURE() << "accepted: " << conteudo.toStdString();
        return {};
    }

    QTemporaryDir dir_;
};

TEST_F(ArquivoConfiguracao, LeOBancoEODaPaginaDeCodigoDoWindows) {
    const ConfiguracaoBolix c =
        lerConfiguracao(grava("; instalado pelo setup\r\n[Outra]\r\nbanco=237\r\n"
                              "[Bolix]\r\nbanco = \"001\"\r\ncarteira=17\r\n"
                              "TAMANHO_CONVENIO=7\r\nvariacao=19\r\n"
                              "nome_beneficiario=Cal\xe7\x61\x64os Jos\xe9 \x96 Matriz\r\n"
                              "inscricao_beneficiario=12.345.678/0001-95\r\n"));
    EXPECT_EQ(c.banco, u"001");
    EXPECT_EQ(c.carteira, u"17");
    EXPECT_EQ(c.tamanhoConvenio, 7);
    EXPECT_EQ(c.variacao, u"019");
    EXPECT_EQ(c.nomeBeneficiario, QString::fromUtf8("Calçados José – Matriz"));
    EXPECT_EQ(c.inscricaoBeneficiario, u"12345678000195");
    EXPECT_FALSE(c.nossoNumeroLivre);
    EXPECT_TRUE(lerConfiguracao(grava("[Bolix]\nbanco=001\ncarteira=16\ntamanho_convenio=6\n"
                                      "nosso_numero_livre=s\nnome_beneficiario=X\n"
                                      "inscricao_beneficiario=12345678909\n"))
                    .nossoNumeroLivre);
}

TEST_F(ArquivoConfiguracao, SicoobTemCarteiraEModalidadePadrao) {
    const ConfiguracaoBolix c = lerConfiguracao(
        grava("[bolix]\nbanco=756\nnome_beneficiario=X\ninscricao_beneficiario=12345678909\n"));
    EXPECT_EQ(c.carteira, u"1");
    EXPECT_EQ(c.modalidade, u"01");
}

TEST_F(ArquivoConfiguracao, LayoutCnab240PorPadraoE400ParaOBradesco) {
    const QByteArray bradesco = "[Bolix]\nbanco=237\ncarteira=09\nnome_beneficiario=X\n"
                                "inscricao_beneficiario=12345678909\n";
    EXPECT_EQ(lerConfiguracao(grava(bradesco)).layout, 240);
    EXPECT_EQ(lerConfiguracao(grava(bradesco + "layout=CNAB240\n")).layout, 240);
    EXPECT_EQ(lerConfiguracao(grava(bradesco + "layout=cnab400\n")).layout, 400);
}

TEST_F(ArquivoConfiguracao, ItauTemCarteiraEListaDeDacPadrao) {
    const QByteArray dono = "nome_beneficiario=X\ninscricao_beneficiario=12345678909\n";
    ConfiguracaoBolix c = lerConfiguracao(grava("[Bolix]\nbanco=341\n" + dono));
    EXPECT_EQ(c.carteira, u"109");
    EXPECT_EQ(c.carteirasDacSemConta, (QStringList{u"126"_s, u"131"_s, u"146"_s, u"150"_s, u"168"_s}));
    c = lerConfiguracao(grava("[Bolix]\nbanco=341\ncarteira=112\ncarteiras_dac_sem_conta=112, 145\n" + dono));
    EXPECT_EQ(c.carteira, u"112");
    EXPECT_EQ(c.carteirasDacSemConta, (QStringList{u"112"_s, u"145"_s}));
    // Written empty: no exceptions, not the default list.
    c = lerConfiguracao(grava("[Bolix]\nbanco=341\ncarteira=126\ncarteiras_dac_sem_conta=\n" + dono));
    EXPECT_TRUE(c.carteirasDacSemConta.isEmpty());
}

TEST_F(ArquivoConfiguracao, PadroesDeSantanderSicrediEBanrisul) {
    const QByteArray dono = "nome_beneficiario=X\ninscricao_beneficiario=12345678909\n";
    ConfiguracaoBolix c = lerConfiguracao(grava("[Bolix]\nbanco=033\n" + dono));
    EXPECT_EQ(c.carteira, u"101");
    EXPECT_EQ(c.tipoCobranca, u"5");
    c = lerConfiguracao(grava("[Bolix]\nbanco=748\nposto=2\n" + dono));
    EXPECT_EQ(c.posto, u"02");
    EXPECT_EQ(c.byteGeracao, 2);
    EXPECT_EQ(c.carteira, u"1");
    c = lerConfiguracao(grava("[Bolix]\nbanco=041\ncarteira=d\n" + dono));
    EXPECT_EQ(c.carteira, u"D");
}

TEST_F(ArquivoConfiguracao, PixSoOndeOsArquivosDoBancoTrazemOQr) {
    const QByteArray dono = "nome_beneficiario=X\ninscricao_beneficiario=12345678909\n";
    EXPECT_FALSE(lerConfiguracao(grava("[Bolix]\nbanco=104\n" + dono)).pix);
    EXPECT_TRUE(lerConfiguracao(grava("[Bolix]\nbanco=104\npix=s\n" + dono)).pix);
    const ConfiguracaoBolix itau =
        lerConfiguracao(grava("[Bolix]\nbanco=341\nlayout=CNAB400\npix=S\n" + dono));
    EXPECT_TRUE(itau.pix);
    EXPECT_TRUE(itau.chavePix.isEmpty());
    const struct {
        const char *tipo, *chave;
    } chaves[] = {{"1", "12345678909"},
                  {"2", "12345678000195"},
                  {"3", "+5541999990000"},
                  {"4", "financeiro@loja.com.br"},
                  {"5", "123e4567-e12b-12d1-a456-426655440000"}};
    for (const auto &k : chaves) {
        const ConfiguracaoBolix c =
            lerConfiguracao(grava("[Bolix]\nbanco=033\nlayout=CNAB400\npix=S\ntipo_chave_pix="_ba + k.tipo +
                                  "\nchave_pix="_ba + k.chave + "\ncidade_beneficiario= Curitiba \n" + dono));
        EXPECT_EQ(c.chavePix, QString::fromLatin1(k.chave));
        EXPECT_EQ(c.tipoChavePix, QString::fromLatin1(k.tipo));
        EXPECT_EQ(c.cidadeBeneficiario, u"Curitiba");
    }
}

TEST_F(ArquivoConfiguracao, ArquivoAusenteNomeiaOCaminho) {
    const QString caminho = dir_.filePath(QStringLiteral("nao-existe.ini"));
    try {
        lerConfiguracao(caminho);
        FAIL();
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().contains(caminho)) << e.what();
        EXPECT_TRUE(e.texto().contains(u"não encontrado")) << e.what();
    }
}

TEST_F(ArquivoConfiguracao, ValoresRuinsNomeiamArquivoEChave) {
    const QByteArray dono = "nome_beneficiario=X\ninscricao_beneficiario=12345678909\n";
    const struct {
        QByteArray conteudo;
        const char *chave;
    } casos[] = {
        {"banco=001\n", "[Bolix]"},
        {"[Bolix]\nbanco=422\n" + dono, "banco"},
        {"[Bolix]\nbanco=341\ncarteira=198\n" + dono, "carteira"},
        {"[Bolix]\nbanco=341\ncarteiras_dac_sem_conta=126,1x1\n" + dono, "carteiras_dac_sem_conta"},
        {"[Bolix]\nbanco=033\ntipo_cobranca=3\n" + dono, "tipo_cobranca"},
        {"[Bolix]\nbanco=033\ncarteira=102\n" + dono, "carteira"},
        {"[Bolix]\nbanco=748\n" + dono, "posto"},
        {"[Bolix]\nbanco=748\nposto=02\nbyte_geracao=1\n" + dono, "byte_geracao"},
        {"[Bolix]\nbanco=041\ncarteira=Z\n" + dono, "carteira"},
        {"[Bolix]\nbanco=041\nvalor_pago=7\n" + dono, "valor_pago"},
        {"[Bolix]\nbanco=237\ncarteira=09\ncodigo_baixa=3\n" + dono, "codigo_baixa"},
        {"[Bolix]\nbanco=237\ncarteira=09\ndias_baixa=1000\n" + dono, "dias_baixa"},
        {"[Bolix]\nbanco=001\ncarteira=17\ntamanho_convenio=5\n" + dono, "tamanho_convenio"},
        {"[Bolix]\nbanco=001\ntamanho_convenio=7\n" + dono, "carteira"},
        {"[Bolix]\nbanco=237\ncarteira=1a\n" + dono, "carteira"},
        {"[Bolix]\nbanco=756\nmodalidade=123\n" + dono, "modalidade"},
        {"[Bolix]\nbanco=104\ninscricao_beneficiario=123\nnome_beneficiario=X\n", "inscricao_beneficiario"},
        {"[Bolix]\nbanco=104\ninscricao_beneficiario=12345678909\n", "nome_beneficiario"},
        {"[Bolix]\nbanco=001\ncarteira=17\ntamanho_convenio=6\nnosso_numero_livre=S\n" + dono,
         "nosso_numero_livre"},
        {"[Bolix]\nbanco=001\ncarteira=18\ntamanho_convenio=7\nnosso_numero_livre=S\n" + dono,
         "nosso_numero_livre"},
        {"[Bolix]\nbanco=001\ncarteira=18\ntamanho_convenio=6\nnosso_numero_livre=talvez\n" + dono,
         "nosso_numero_livre"},
        {"[Bolix]\nbanco=356\nlayout=CNAB400\n" + dono, "layout CNAB400 n"},
        {"[Bolix]\nbanco=237\ncarteira=09\nlayout=400\n" + dono, "layout \"400\" inv"},
        {"[Bolix]\nbanco=237\ncarteira=09\nlayout=CNAB400\npix=S\n" + dono, "pix \"S\" não disponível"},
        {"[Bolix]\nbanco=341\npix=S\n" + dono, "banco 341 no leiaute CNAB240"},
        {"[Bolix]\nbanco=341\ncarteira=112\nlayout=CNAB400\npix=S\n" + dono, "carteira 109"},
        {"[Bolix]\nbanco=033\nlayout=CNAB400\npix=S\n" + dono, "chave_pix não informado"},
        {"[Bolix]\nbanco=033\nlayout=CNAB400\npix=S\nchave_pix=12345678000195\n" + dono, "tipo_chave_pix"},
        {"[Bolix]\nbanco=033\nlayout=CNAB400\npix=S\nchave_pix=1234567800019\ntipo_chave_pix=2\n" + dono,
         "chave_pix \"1234567800019\" inválido"},
        {"[Bolix]\nbanco=104\npix=S\nchave_pix=loja@example.com\ntipo_chave_pix=4\n" + dono,
         "chave_pix não é enviada"},
        // The files carry the key as typed: only printable ASCII.
        {"[Bolix]\nbanco=341\nlayout=CNAB400\npix=S\nchave_pix=jo\xe3o@loja.com.br\ntipo_chave_pix=4\n" +
             dono,
         "chave_pix \"jo"},
        {"[Bolix]\nbanco=104\npix=talvez\n" + dono, "pix \"TALVEZ\" inv"},
        {"[Bolix]\nbanco=033\nlayout=CNAB400\npix=S\nchave_pix=12345678000195\ntipo_chave_pix=2\n" + dono,
         "cidade_beneficiario não informado"},
        {"[Bolix]\nbanco=033\nlayout=CNAB400\ntipo_cobranca=1\npix=S\nchave_pix=12345678000195\n"
         "tipo_chave_pix=2\ncidade_beneficiario=Curitiba\n" +
             dono,
         "tipo_cobranca \"1\" não aceita pix=S"},
    };
    for (const auto &c : casos) {
        const QString texto = recusa(c.conteudo);
        EXPECT_TRUE(texto.contains(dir_.filePath(QStringLiteral("bolix.ini")))) << texto.toStdString();
        EXPECT_TRUE(texto.contains(QString::fromUtf8(c.chave))) << texto.toStdString();
    }
}

// The API's settings: named when missing or bad, a secret never echoed, only https addresses.
TEST_F(ArquivoConfiguracao, RegistroPelaApi) {
    const QByteArray bb = "[Bolix]\nbanco=001\ncarteira=17\ntamanho_convenio=7\nvariacao=35\n"
                          "nome_beneficiario=X\ninscricao_beneficiario=12345678909\n";
    const QByteArray api = "registro=api\nambiente=producao\napi_client_id=id\napi_client_secret=s3gr3d0\n"
                           "api_chave_aplicacao=k\n";
    EXPECT_FALSE(lerConfiguracao(grava(bb)).registroApi);
    const ConfiguracaoBolix c = lerConfiguracao(grava(bb + api + "pix=S\n"));
    EXPECT_TRUE(c.registroApi);
    EXPECT_TRUE(c.pix); // the bank attaches the QR: no key or city needed
    EXPECT_TRUE(c.api.producao);
    EXPECT_EQ(c.api.urlApi, u"https://api.bb.com.br/cobrancas/v2");
    EXPECT_EQ(c.api.urlToken, u"https://oauth.bb.com.br/oauth/token");
    EXPECT_EQ(c.api.parametroChaveAplicacao, u"gw-dev-app-key");
    EXPECT_EQ(c.api.simultaneas, 4);
    const ConfiguracaoBolix h = lerConfiguracao(
        grava(bb + "registro=API\nambiente=homologacao\napi_client_id=id\napi_client_secret=s\n"
                   "api_chave_aplicacao=k\napi_parametro_chave=gw-app-key\napi_simultaneas=6\n"));
    EXPECT_EQ(h.api.urlApi, u"https://api.hm.bb.com.br/cobrancas/v2");
    EXPECT_EQ(h.api.urlToken, u"https://oauth.hm.bb.com.br/oauth/token");
    EXPECT_EQ(h.api.parametroChaveAplicacao, u"gw-app-key");
    EXPECT_EQ(h.api.simultaneas, 6);

    const struct {
        QByteArray conteudo;
        const char *texto;
    } casos[] = {
        {bb + "registro=talvez\n", "registro \"TALVEZ\" inválido"},
        {"[Bolix]\nbanco=237\ncarteira=09\nnome_beneficiario=X\ninscricao_beneficiario=12345678909\n" + api,
         "registro \"API\" não disponível para o banco 237"},
        {"[Bolix]\nbanco=001\ncarteira=17\ntamanho_convenio=6\nvariacao=35\nnome_beneficiario=X\n"
         "inscricao_beneficiario=12345678909\n" +
             api,
         "convênio de 7 dígitos"},
        {QByteArray(bb).replace("variacao=35\n", "") + api, "variacao não informado"},
        {bb + QByteArray(api).replace("ambiente=producao\n", ""), "ambiente \"\" inválido"},
        {bb + QByteArray(api).replace("api_client_secret=s3gr3d0\n", ""), "api_client_secret não informado"},
        {bb + QByteArray(api).replace("api_client_id=id\n", ""), "api_client_id não informado"},
        {bb + QByteArray(api).replace("api_chave_aplicacao=k\n", ""), "api_chave_aplicacao não informado"},
        {bb + api + "api_url=http://api.bb.com.br/cobrancas/v2\n", "api_url \"http://api.bb.com.br"},
        {bb + api + "api_url_token=oauth\n", "api_url_token \"oauth\" inválido"},
        {bb + api + "api_simultaneas=7\n", "api_simultaneas \"7\" inválido: de 1 a 6"},
        {bb + api + "api_tempo_limite=1\n", "api_tempo_limite"},
        {bb + api + "api_certificado=loja.pfx\n", "api_senha_certificado não informado"},
        {bb + api + "api_certificado=loja.pem\n", "api_chave_certificado não informado"},
    };
    for (const auto &c : casos) {
        const QString texto = recusa(c.conteudo);
        EXPECT_TRUE(texto.contains(QString::fromUtf8(c.texto))) << texto.toStdString();
        EXPECT_FALSE(texto.contains(u"s3gr3d0")) << texto.toStdString();
    }
}

} // namespace
