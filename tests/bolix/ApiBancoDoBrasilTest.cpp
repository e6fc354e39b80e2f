#include "BancoDoBrasilDoExemplo.h"
#include "CertificadosDeTeste.h"
#include "Exemplos.h"

#include "bolix/api/BancoDoBrasilApi.h"
#include "bolix/api/Credenciais.h"
#include "bolix/api/RegistroEmLote.h"
#include "bolix/core/Boleto.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/pix/BrCode.h"
#include "bolix/simulador/ServidorBancoDoBrasil.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QScopeGuard>
#include <QSslKey>
#include <QTcpServer>
#include <QThread>
#include <gtest/gtest.h>

using namespace bolix;
using namespace bolix::api;
using Situacao = ResultadoRegistro::Situacao;

namespace {

const QDate hoje(2025, 12, 1);

class ApiBancoDoBrasil : public testing::Test {
protected:
    static void SetUpTestSuite() {
        certificados_ = new CertificadosDeTeste;
        certificados_->cliente(QStringLiteral("cliente"), 365);
    }
    static void TearDownTestSuite() { delete certificados_; }

    // The simulator for the example account, its clock fixed at 10:00 of `hoje`.
    void inicia(bool exigeCliente = false, int tamanhoPagina = 300) {
        simulador::OpcoesBancoDoBrasil o =
            opcoesBancoDoBrasilDoExemplo(certificados_->servidor(exigeCliente));
        o.tamanhoPagina = tamanhoPagina;
        o.relogio = [this] { return agora_; };
        servidor_ = std::make_unique<simulador::ServidorBancoDoBrasil>(o);
        ASSERT_NE(servidor_->escuta(), 0);
        urlApi_ = servidor_->urlApi();
        urlToken_ = servidor_->urlToken();
    }

    // The account as bolix.ini configures it for the simulator; `extra` adds or overrides keys.
    ContaConfigurada conta(const QByteArray &extra = "pix=S\napi_certificado=" + pem("cliente")) {
        const QString ini = dir_.filePath(QStringLiteral("bolix.ini"));
        QFile f(ini);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Bolix]\nbanco=001\ncarteira=17\ntamanho_convenio=7\nvariacao=35\n"
                "nome_beneficiario=LOJA DEMO\ninscricao_beneficiario=12345678000195\n"
                "registro=API\nambiente=homologacao\napi_client_id=id-da-loja\n"
                "api_client_secret=segredo-da-loja\napi_chave_aplicacao=chave-app\n"
                "api_autoridades=" +
                certificados_->ca().toUtf8() + "\napi_url=" + urlApi_.toUtf8() +
                "\napi_url_token=" + urlToken_.toUtf8() + "\napi_tempo_limite=5\n" + extra);
        f.close();
        Conta c;
        c.codigoAgencia = QStringLiteral("1584");
        c.numeroContaCorrente = QStringLiteral("210169");
        c.codigoCedente = QStringLiteral("1234567");
        c.inicioNossoNumero = QStringLiteral("0000000000");
        c.fimNossoNumero = QStringLiteral("9999999999");
        return configuraConta(c, lerConfiguracao(ini));
    }

    static QByteArray pem(const char *nome) {
        return certificados_->caminho(QString::fromLatin1(nome) + ".pem").toUtf8() +
               "\napi_chave_certificado=" +
               certificados_->caminho(QString::fromLatin1(nome) + ".key").toUtf8();
    }

    static QList<Documento> documentos(int n) {
        QList<Documento> docs;
        for (int i = 1; i <= n; ++i)
            docs << exemplos::documento(QStringLiteral("47%1").arg(i, 2, 10, QChar(u'0')),
                                        QString::number(100 + i));
        return docs;
    }

    static QList<ResultadoRegistro> registra(BancoDoBrasilApi &api, const QList<Documento> &docs) {
        QList<ResultadoRegistro> resultados(docs.size());
        for (qsizetype i = 0; i < docs.size(); ++i)
            api.registra(api.pedido(docs[i], hoje),
                         [&resultados, i](const ResultadoRegistro &r) { resultados[i] = r; });
        api.aguardaTodas();
        return resultados;
    }

    static inline CertificadosDeTeste *certificados_ = nullptr;
    QTemporaryDir dir_;
    QDateTime agora_{hoje, QTime(10, 0)};
    std::unique_ptr<simulador::ServidorBancoDoBrasil> servidor_;
    QString urlApi_;
    QString urlToken_;
};

TEST_F(ApiBancoDoBrasil, RegistraCadaBoletoUmaVezComOCodigoDeBarrasEOQrDoBanco) {
    inicia(true);
    const ContaConfigurada c = conta();
    BancoDoBrasilApi api(c);
    const auto docs = documentos(5);
    const auto resultados = registra(api, docs);
    for (qsizetype i = 0; i < docs.size(); ++i) {
        SCOPED_TRACE(i);
        const ResultadoRegistro &r = resultados[i];
        ASSERT_EQ(r.situacao, Situacao::Registrado) << r.mensagem.toStdString();
        const Boleto nosso = calculaBoleto(c, docs[i]);
        EXPECT_EQ(r.boleto.codigoBarras, nosso.codigoBarras);
        EXPECT_EQ(r.boleto.numero, QStringLiteral("000") + nosso.nossoNumero.numero);
        EXPECT_EQ(brCodeConferido(r.boleto.pixCopiaECola), r.boleto.pixCopiaECola);
        EXPECT_TRUE(r.boleto.pixCopiaECola.contains(QStringLiteral("qrpix-h.bb.com.br/pix/v2/cobv/BB") +
                                                    r.boleto.numero));
    }
    EXPECT_EQ(servidor_->registrosRecebidos(), 5);
    EXPECT_EQ(servidor_->boletos().size(), 5);
    EXPECT_EQ(servidor_->tokensEmitidos(), 1); // one token for the whole run
    const QJsonObject pedido = servidor_->boletos().value(resultados[0].boleto.numero).pedido;
    EXPECT_EQ(pedido.value(u"dataEmissao").toString(), u"01.12.2025");
    EXPECT_EQ(pedido.value(u"dataVencimento").toString(), u"15.12.2025");
    EXPECT_EQ(pedido.value(u"valorOriginal").toDouble(), 150.0);
    EXPECT_EQ(pedido.value(u"pagador").toObject().value(u"numeroInscricao").toInteger(), 11222333000181);
    EXPECT_EQ(pedido.value(u"numeroTituloBeneficiario").toString(), u"4701");
}

// Each fault ends with every boleto at the bank once and the operator told in plain words.
TEST_F(ApiBancoDoBrasil, FalhasTerminamComCadaBoletoRegistradoUmaVez) {
    struct Caso {
        const char *nome;
        std::function<void(simulador::FalhasBancoDoBrasil &)> falha;
        int tokens;
        int esperas;
    };
    const Caso casos[] = {
        {"5xx depois de registrar", [](auto &f) { f.erroAposRegistrar = 2; }, 1, 0},
        {"token recusado uma vez", [](auto &f) { f.tokenRecusado = 1; }, 1, 0},
        {"401 com token válido", [](auto &f) { f.tokenRevogado = 2; }, 2, 0},
        {"429", [](auto &f) { f.limite = 2; }, 1, 2},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        inicia();
        caso.falha(servidor_->falhas);
        BancoDoBrasilApi api(conta());
        int esperas = 0;
        api.cliente().aoAguardarBanco = [&](int) { ++esperas; };
        const auto resultados = registra(api, documentos(3));
        for (const ResultadoRegistro &r : resultados)
            EXPECT_EQ(r.situacao, Situacao::Registrado) << r.mensagem.toStdString();
        EXPECT_EQ(servidor_->registrosRecebidos(), 3); // never a second POST of a registered boleto
        EXPECT_EQ(servidor_->boletos().size(), 3);
        EXPECT_EQ(servidor_->tokensEmitidos(), caso.tokens);
        EXPECT_EQ(esperas, caso.esperas);
    }
}

TEST_F(ApiBancoDoBrasil, PixQueFalhouRegistraOBoletoSemQrEDizPorque) {
    inicia();
    servidor_->falhas.pixFalha = 1;
    BancoDoBrasilApi api(conta());
    const auto r = registra(api, documentos(1)).first();
    EXPECT_EQ(r.situacao, Situacao::Registrado);
    EXPECT_TRUE(r.boleto.pixCopiaECola.isEmpty());
    EXPECT_TRUE(r.boleto.falhaPix.contains(QStringLiteral("Pix não registrado")))
        << r.boleto.falhaPix.toStdString();
}

TEST_F(ApiBancoDoBrasil, RecusaDoBancoTrazAsPalavrasDoBanco) {
    inicia();
    BancoDoBrasilApi api(conta());
    auto docs = documentos(1);
    registra(api, docs);
    const auto r = registra(api, docs).first(); // the same nosso número again
    EXPECT_EQ(r.situacao, Situacao::Recusado);
    EXPECT_EQ(r.mensagem, QStringLiteral("4874915 Nosso Número já incluído anteriormente. (HTTP 400)"));
    EXPECT_EQ(servidor_->boletos().size(), 1);
}

// A registration answered with a body that cannot be trusted: the boleto is at the bank, never printed.
TEST_F(ApiBancoDoBrasil, RespostasRuinsSaoRecusadasComMensagemClara) {
    struct Caso {
        QByteArray corpo;
        Situacao situacao;
        const char *mensagem;
    };
    const QByteArray outroCodigo =
        R"({"numero":"00012345670000000101","linhaDigitavel":"00190000090123456700000001011177100000000000000",)"
        R"("codigoBarraNumerico":"00191000000000000000000012345670000000101170"})";
    const Caso casos[] = {
        {"{}", Situacao::Divergente, "não é JSON legível"},
        {"<html>erro</html>", Situacao::Divergente, "não é JSON legível"},
        {R"({"linhaDigitavel":123,"codigoBarraNumerico":["x"]})", Situacao::Divergente,
         "não traz codigoBarraNumerico"},
        {outroCodigo, Situacao::Divergente, "difere do nosso"},
        {"{\"x\":\"" + QByteArray(5 * 1024 * 1024, 'a') + "\"}", Situacao::Registrado, ""}, // asked again
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.corpo.left(60).toStdString());
        inicia();
        servidor_->falhas.respostaRegistro = caso.corpo;
        BancoDoBrasilApi api(conta("pix=N\n"));
        const auto r = registra(api, documentos(1)).first();
        EXPECT_EQ(r.situacao, caso.situacao) << r.mensagem.toStdString();
        EXPECT_TRUE(r.mensagem.contains(QString::fromUtf8(caso.mensagem))) << r.mensagem.toStdString();
        EXPECT_EQ(servidor_->registrosRecebidos(), 1);
    }
}

TEST_F(ApiBancoDoBrasil, CertificadosErradosNaoPassamDoTls) {
    certificados_->cliente(QStringLiteral("vencido"), 0);
    certificados_->clienteDeOutraCa(QStringLiteral("estranho"));
    struct Caso {
        QByteArray extra;
        const char *nome;
    };
    const Caso casos[] = {{"api_certificado=" + pem("vencido"), "vencido"},
                          {"api_certificado=" + pem("estranho"), "de outra CA"},
                          {"", "sem certificado"}};
    QThread::sleep(1); // the one of 0 days lapses
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        inicia(true);
        BancoDoBrasilApi api(conta(caso.extra));
        const auto r = registra(api, documentos(1)).first();
        EXPECT_EQ(r.situacao, Situacao::Recusado);
        EXPECT_TRUE(r.mensagem.startsWith(QStringLiteral("Autenticação na API do banco: sem resposta")))
            << r.mensagem.toStdString();
        EXPECT_EQ(servidor_->registrosRecebidos(), 0);
    }
    // The bank's own certificate is always checked: without its authority nothing goes out.
    inicia();
    const ContaConfigurada c = conta();
    ContaConfigurada semCa = c;
    semCa.configuracao.api.autoridades.clear();
    BancoDoBrasilApi api(semCa);
    EXPECT_EQ(registra(api, documentos(1)).first().situacao, Situacao::Recusado);
    EXPECT_EQ(servidor_->tokensEmitidos(), 0);
}

TEST_F(ApiBancoDoBrasil, LiquidadosTrazemExatamenteOsPagosComPaginas) {
    for (int pagina : {300, 2}) {
        SCOPED_TRACE(pagina);
        inicia(false, pagina);
        BancoDoBrasilApi api(conta("pix=N\n"));
        const auto resultados = registra(api, documentos(5));
        EXPECT_TRUE(api.liquidados(hoje, hoje).isEmpty()); // the bank's 404
        for (int i : {0, 2, 3})
            ASSERT_TRUE(servidor_->paga(resultados[i].boleto.linhaDigitavel, 1'520'000, hoje));
        const auto pagos = api.liquidados(hoje.addDays(-3), hoje);
        ASSERT_EQ(pagos.size(), 3);
        const int pagosNaOrdem[] = {0, 2, 3};
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(pagos[k].numero, resultados[pagosNaOrdem[k]].boleto.numero);
            EXPECT_EQ(pagos[k].valorPago, 1'520'000);
            EXPECT_EQ(pagos[k].dataPagamento, hoje);
            EXPECT_EQ(pagos[k].dataCredito, QDate(2025, 12, 2));
            EXPECT_FALSE(pagos[k].pendente);
        }
        EXPECT_TRUE(api.liquidados(hoje, hoje).size() == 3); // asked again: the same three, nothing new
    }
}

// The simulator's own process in HTTPS mode, as the demo starts it: the client certificate demanded, a
// registration served; options it cannot use stop it with its usage.
TEST_F(ApiBancoDoBrasil, SimuladorNaLinhaDeComando) {
    const QString programa = QStringLiteral(SIMULADOR_BANCO);
    QProcess errado;
    errado.start(programa, {QStringLiteral("--api-bb"), QStringLiteral("--porta"), QStringLiteral("x")});
    ASSERT_TRUE(errado.waitForFinished(10'000));
    EXPECT_EQ(errado.exitCode(), 2);
    EXPECT_TRUE(errado.readAllStandardError().contains("--certificado"));

    QTcpServer livre; // a port free a moment ago
    ASSERT_TRUE(livre.listen(QHostAddress::LocalHost));
    const QString porta = QString::number(livre.serverPort());
    livre.close();
    QProcess simulador;
    simulador.start(programa,
                    {"--api-bb", "--porta", porta, "--certificado", certificados_->caminho("servidor.pem"),
                     "--chave", certificados_->caminho("servidor.key"), "--autoridade-cliente",
                     certificados_->ca(), "--client-id", "id-da-loja", "--client-secret", "segredo-da-loja",
                     "--chave-aplicacao", "chave-app"});
    const auto encerra = qScopeGuard([&] {
        simulador.kill();
        simulador.waitForFinished();
    });
    ASSERT_TRUE(simulador.waitForReadyRead(10'000)) << simulador.readAllStandardError().toStdString();
    EXPECT_TRUE(simulador.readLine().startsWith("API: https://localhost:" + porta.toUtf8()));
    urlApi_ = QStringLiteral("https://localhost:%1/cobrancas/v2").arg(porta);
    urlToken_ = QStringLiteral("https://localhost:%1/oauth/token").arg(porta);

    const QDate dia = QDate::currentDate();
    Documento doc = documentos(1).first();
    doc.dataVencimento = dia.addDays(10);
    BancoDoBrasilApi semCertificado(conta("pix=S\n"));
    ResultadoRegistro r;
    semCertificado.registra(semCertificado.pedido(doc, dia), [&](const ResultadoRegistro &x) { r = x; });
    semCertificado.aguardaTodas();
    EXPECT_EQ(r.situacao, Situacao::Recusado);

    BancoDoBrasilApi api(conta());
    api.registra(api.pedido(doc, dia), [&](const ResultadoRegistro &x) { r = x; });
    api.aguardaTodas();
    EXPECT_EQ(r.situacao, Situacao::Registrado) << r.mensagem.toStdString();
    EXPECT_FALSE(r.boleto.pixCopiaECola.isEmpty());
}

// Payments the paying bank only announced (BB's "baixa operacional"): listed as pending with what the bank
// told, never as money; once liquidated they come once, as money.
TEST_F(ApiBancoDoBrasil, BaixaOperacionalFicaPendenteAteLiquidar) {
    for (int pagina : {300, 1}) {
        SCOPED_TRACE(pagina);
        inicia(false, pagina);
        BancoDoBrasilApi api(conta("pix=N\n"));
        const auto resultados = registra(api, documentos(4));
        const QDateTime momento(hoje, QTime(9, 15));
        const int estados[] = {14, 15, 17, 21};
        for (int i = 0; i < 4; ++i)
            ASSERT_TRUE(
                servidor_->anuncia(resultados[i].boleto.linhaDigitavel, 1'520'000, momento, estados[i]));
        const auto anunciados = api.liquidados(hoje.addDays(-3), hoje);
        ASSERT_EQ(anunciados.size(), 4);
        for (const PagamentoNoBanco &p : anunciados) {
            EXPECT_TRUE(p.pendente);
            EXPECT_EQ(
                p.anuncio,
                QStringLiteral("pagamento de R$ 152,00 anunciado em 01/12/2025 09:15 (baixa operacional)"));
        }
        ASSERT_TRUE(servidor_->paga(resultados[1].boleto.linhaDigitavel, 1'520'000, hoje));
        const auto depois = api.liquidados(hoje.addDays(-3), hoje);
        ASSERT_EQ(depois.size(), 4);
        EXPECT_EQ(depois[0].numero, resultados[1].boleto.numero);
        EXPECT_FALSE(depois[0].pendente);
        EXPECT_EQ(std::count_if(depois.begin(), depois.end(), [](auto &p) { return p.pendente; }), 3);
        EXPECT_TRUE(api.liquidados(hoje.addDays(-10), hoje.addDays(-5)).isEmpty());
    }
}

// A run cut short after sending: the next call asks the bank before sending again, and sends only what the
// bank does not have.
TEST_F(ApiBancoDoBrasil, DiarioConcluiOQueUmaGeracaoInterrompidaDeixou) {
    inicia();
    BancoDoBrasilApi api(conta());
    DiarioRegistros diario(dir_.filePath(QStringLiteral("registros_api.jsonl")));
    const auto docs = documentos(3);
    // The first reached the bank, the second never left; the run stopped before writing either outcome.
    const PedidoRegistro chegou = api.pedido(docs[0], hoje);
    const PedidoRegistro naoSaiu = api.pedido(docs[1], hoje);
    diario.enviando(docs[0], chegou);
    api.registra(chegou, [](const ResultadoRegistro &) {});
    api.aguardaTodas();
    diario.enviando(docs[1], naoSaiu);
    ASSERT_EQ(diario.pendentes().size(), 2);

    const auto concluidos = concluiPendentes(api, diario);
    ASSERT_EQ(concluidos.size(), 2);
    for (const RegistroDoDocumento &r : concluidos) {
        EXPECT_EQ(r.resultado.situacao, Situacao::Registrado) << r.resultado.mensagem.toStdString();
        EXPECT_FALSE(r.resultado.boleto.pixCopiaECola.isEmpty());
    }
    EXPECT_EQ(concluidos[0].numeroDocumento, docs[0].numeroDocumento);
    EXPECT_EQ(servidor_->registrosRecebidos(), 2); // the first was not sent again
    EXPECT_FALSE(QFile::exists(diario.caminho()));

    // A run of its own: a document refused here goes nowhere; the others register and the journal empties.
    Documento semVencimento = docs[2];
    semVencimento.dataVencimento = QDate();
    int avancos = 0;
    const auto lote = registraDocumentos(api, diario, {semVencimento, docs[2]}, hoje, [&] { ++avancos; });
    EXPECT_EQ(lote[0].resultado.situacao, Situacao::Recusado);
    EXPECT_TRUE(textoDoRegistro(lote[0]).contains(u"DataVencimento"))
        << textoDoRegistro(lote[0]).toStdString();
    EXPECT_EQ(lote[1].resultado.situacao, Situacao::Registrado);
    EXPECT_EQ(textoDoRegistro(lote[1]), QStringLiteral("Documento 4703: registrado no banco"));
    EXPECT_EQ(avancos, 2);
    EXPECT_EQ(servidor_->registrosRecebidos(), 3);
    EXPECT_FALSE(QFile::exists(diario.caminho()));
}

TEST(PalavrasDoBancoDoBrasil, LeAsQuatroFormasDeErro) {
    const std::pair<const char *, const char *> casos[] = {
        {R"({"errors":[{"code":"4125718.1","message":"Internal Server Error"}]})",
         "4125718.1 Internal Server Error (HTTP 500)"},
        {R"({"erros":[{"codigoMensagem":"5","versaoMensagem":"1","textoMensagem":"Campo inválido"}]})",
         "5 Campo inválido (HTTP 500)"},
        {R"({"erros":[{"codigo":"4432632","mensagem":"Convenio nao cadastrado.","ocorrencia":"x"}]})",
         "4432632 Convenio nao cadastrado. (HTTP 500)"},
        {R"({"statusCode":401,"error":"Unauthorized","message":"Token expirado"})",
         "Token expirado (HTTP 500)"},
        {"nada", "HTTP 500 sem mensagem do banco"},
    };
    for (const auto &[corpo, esperado] : casos)
        EXPECT_EQ(palavrasDoBancoDoBrasil(500, corpo), QString::fromUtf8(esperado));
}

// The client certificate as PEM or PKCS#12: a bad file or password is named, the password never shown;
// one that lapses within 30 days is announced.
TEST(CredenciaisApi, CertificadoDoClienteEAvisoDeValidade) {
    CertificadosDeTeste certificados;
    certificados.cliente(QStringLiteral("loja"), 20);
    certificados.cliente(QStringLiteral("anual"), 365);
    const QDateTime agora = QDateTime::currentDateTime();
    ConfiguracaoApi api;
    api.certificado = certificados.caminho(QStringLiteral("loja.pfx"));
    api.senhaCertificado = QStringLiteral("senha-teste");
    const QSslConfiguration pfx = configuracaoTls(api);
    EXPECT_EQ(pfx.localCertificate().subjectInfo(QSslCertificate::CommonName), QStringList{u"loja"_qs});
    EXPECT_FALSE(pfx.privateKey().isNull());
    EXPECT_EQ(pfx.peerVerifyMode(), QSslSocket::VerifyPeer);
    EXPECT_TRUE(avisoValidadeCertificado(pfx, agora).contains(u"vence em"))
        << avisoValidadeCertificado(pfx, agora).toStdString();
    EXPECT_TRUE(avisoValidadeCertificado(pfx, agora.addDays(21)).contains(u"venceu em"));

    ConfiguracaoApi pem;
    pem.certificado = certificados.caminho(QStringLiteral("anual.pem"));
    pem.chaveCertificado = certificados.caminho(QStringLiteral("anual.key"));
    EXPECT_TRUE(avisoValidadeCertificado(configuracaoTls(pem), agora).isEmpty());
    EXPECT_TRUE(avisoValidadeCertificado(configuracaoTls(ConfiguracaoApi{}), agora).isEmpty());

    const auto recusa = [](const ConfiguracaoApi &a) {
        try {
            configuracaoTls(a);
        } catch (const ErroBolix &e) {
            return e.texto();
        }
        return QStringLiteral("aceito");
    };
    ConfiguracaoApi senhaErrada = api;
    senhaErrada.senhaCertificado = QStringLiteral("senha-errada-123");
    EXPECT_TRUE(recusa(senhaErrada).contains(u"api_senha_certificado errada"));
    EXPECT_FALSE(recusa(senhaErrada).contains(u"senha-errada-123"));
    ConfiguracaoApi ausente = pem;
    ausente.chaveCertificado = certificados.caminho(QStringLiteral("nao-existe.key"));
    EXPECT_TRUE(recusa(ausente).contains(u"api_chave_certificado")) << recusa(ausente).toStdString();
    ConfiguracaoApi trocado = pem;
    trocado.certificado = pem.chaveCertificado;
    EXPECT_TRUE(recusa(trocado).contains(u"não traz um certificado PEM"));
    ConfiguracaoApi autoridades;
    autoridades.autoridades = pem.chaveCertificado;
    EXPECT_TRUE(recusa(autoridades).contains(u"api_autoridades"));
}

} // namespace
