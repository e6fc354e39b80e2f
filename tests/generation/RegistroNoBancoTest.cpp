// "Gerar Arquivo" with registro=API against the Banco do Brasil simulator over TLS: the boletos registered
// once, the bank's bar code and QR on the first print, the QR kept for the 2ª via, refusals in the bank's
// words.
#include "tests/generation/GeracaoDeTeste.h"

#include "bolix/api/RegistroEmLote.h"
#include "bolix/simulador/ServidorBancoDoBrasil.h"
#include "db/Connection.h"
#include "generation/BoletosEmitidos.h"
#include "generation/RegistroNoBanco.h"
#include "retorno/Baixa.h"
#include "retorno/BaixasRegistradas.h"
#include "retorno/LiquidacoesApi.h"
#include "retorno/ListaOcorrencias.h"
#include "tests/bolix/BancoDoBrasilDoExemplo.h"
#include "tests/bolix/CertificadosDeTeste.h"
#include "tests/bolix/Exemplos.h"
#include "tests/support/LeituraPdf.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>

namespace {

class RegistroNoBancoTest : public GeracaoDeTeste {
protected:
    void SetUp() override {
        GeracaoDeTeste::SetUp();
        bolix::simulador::OpcoesBancoDoBrasil o = opcoesBancoDoBrasilDoExemplo(certificados.servidor(false));
        o.nomeBeneficiario = QStringLiteral("LOJA MODELO LTDA");
        simulador = std::make_unique<bolix::simulador::ServidorBancoDoBrasil>(o);
        ASSERT_NE(simulador->escuta(), 0);
        escreveBolix({});
        cliente(1);
        cliente(2);
        cliente(3);
        for (int c : {1, 2, 3})
            banco.receber({{"clientes_id", c}});
        listaClientes();
        marca(*clientes, {1, 2, 3});
        controles.cbImprimir = true;
    }

    void escreveBolix(const QStringList &extra) {
        instalacao.bolix(QStringList{"banco=001", "carteira=17", "tamanho_convenio=7", "variacao=35",
                                     "nome_beneficiario=LOJA MODELO LTDA",
                                     "inscricao_beneficiario=12345678000195", "imprimir=N", "pix=S",
                                     "registro=API", "ambiente=HOMOLOGACAO", "api_client_id=id-da-loja",
                                     "api_client_secret=segredo-da-loja", "api_chave_aplicacao=chave-app",
                                     "api_autoridades=" + certificados.ca(), "api_url=" + simulador->urlApi(),
                                     "api_url_token=" + simulador->urlToken()} +
                         extra);
    }

    QString pdf() const {
        const QStringList pdfs = QDir(destino.path()).entryList({QStringLiteral("*.pdf")});
        return pdfs.size() == 1 ? QDir(destino.path()).filePath(pdfs[0]) : QString();
    }

    CertificadosDeTeste certificados;
    std::unique_ptr<bolix::simulador::ServidorBancoDoBrasil> simulador;
};

TEST_F(RegistroNoBancoTest, RegistraImprimeComOQrEGuardaOQrParaASegundaVia) {
    gera();

    EXPECT_EQ(mensagens.mostradas, QStringList{"mensagem: 3 boletos registrados no banco"});
    EXPECT_FALSE(QFile::exists(remessa()));
    ASSERT_EQ(simulador->boletos().size(), 3);
    EXPECT_EQ(simulador->registrosRecebidos(), 3);
    EXPECT_EQ(boletosRegistrados(), 3);
    const ResultSet pix = banco.conexao().abre(QStringLiteral(
        "select b.nosso_numero, p.copia_e_cola from ruvenal_pix p join ruvenal_boletos b on b.boleto_id = "
        "p.boleto_id order by b.nosso_numero"));
    ASSERT_EQ(pix.linhas(), 3);
    ASSERT_FALSE(pdf().isEmpty());
    ASSERT_EQ(leitura::paginas(pdf()), 3);
    for (int i = 0; i < 3; ++i) {
        const QString numero = QStringLiteral("000123456700000000%1").arg(41 + i);
        const auto &b = simulador->boletos().value(numero);
        EXPECT_EQ(pix.valor(i, "copia_e_cola").texto(), b.emv) << numero.toStdString();
        EXPECT_EQ(leitura::codigosDeBarras(pdf(), i + 1), QStringList{b.codigoBarras});
        EXPECT_EQ(leitura::codigosDeBarras(pdf(), i + 1, QStringLiteral("qrcode")), QStringList{b.emv});
    }
}

// The bar counts the registrations as the component reports them and says while the bank has it wait.
TEST_F(RegistroNoBancoTest, BarraContaOsRegistrosEDizQuandoOBancoPedeEspera) {
    simulador->falhas.limite = 1;
    simulador->falhas.retryAfter = 1;
    QStringList mostrado;
    progresso = [&](qint64 feitas, qint64 total) {
        mostrado << QStringLiteral("%1/%2").arg(feitas).arg(total);
    };
    situacao = [&](const QString &texto) { mostrado << QStringLiteral("[%1]").arg(texto); };
    gera();

    EXPECT_EQ(mensagens.mostradas, QStringList{"mensagem: 3 boletos registrados no banco"});
    const QString espera = QStringLiteral("[aguardando o banco (1 s)]");
    ASSERT_EQ(mostrado.count(espera), 1) << mostrado.join(u'|').toStdString();
    const QStringList depois = mostrado.mid(mostrado.indexOf(espera) + 1);
    EXPECT_TRUE(depois.contains(QStringLiteral("[]"))) << mostrado.join(u'|').toStdString();
    EXPECT_EQ(depois.last(), QStringLiteral("3/3")) << mostrado.join(u'|').toStdString();
    EXPECT_TRUE(mostrado.mid(0, mostrado.indexOf(espera)).contains(QStringLiteral("0/3")));
}

TEST_F(RegistroNoBancoTest, FalhasERecusasDoBancoDitasAoOperador) {
    // The first one registered without its QR and answered 500: asked about, not sent again.
    simulador->falhas.erroAposRegistrar = 1;
    simulador->falhas.pixFalha = 1;
    gera();
    ASSERT_EQ(mensagens.mostradas.size(), 1);
    EXPECT_EQ(
        mensagens.mostradas[0],
        QStringLiteral("mensagem: 3 boletos registrados no banco\rDocumento %1: registrado no banco, sem o "
                       "QR Pix: o banco não deu o QR Pix")
            .arg(doc(0, "NumeroDocumento")));
    EXPECT_EQ(simulador->registrosRecebidos(), 3);
    EXPECT_EQ(leitura::paginas(pdf()), 3);

    // A second run whose nosso números the bank already holds (the store's database restored from before the
    // first run, say): the bank refuses each, nothing printed.
    mensagens.mostradas.clear();
    QFile::remove(pdf());
    banco.conexao().executa(QStringLiteral("delete from ruvenal_boletos"));
    banco.conexao().executa(QStringLiteral("update ruvenal_numeracao set nosso_numero = 41"));
    instalacao.ruvenal(
        {"num_agencia=1584", "conta_corrente=210169", "identificacao_empresa=1234567", "nossonumero=41"});
    banco.receber({{"clientes_id", 1}});
    listaClientes();
    marca(*clientes, {1});
    gera();
    ASSERT_EQ(mensagens.mostradas.size(), 1);
    EXPECT_EQ(
        mensagens.mostradas[0],
        QStringLiteral("mensagem: 0 boletos registrados no banco\rDocumento %1: recusado: 4874915 Nosso "
                       "Número já incluído anteriormente. (HTTP 400)")
            .arg(doc(0, "NumeroDocumento")));
    EXPECT_TRUE(pdf().isEmpty());
}

TEST_F(RegistroNoBancoTest, SqlDoBoletoEmitidoDoDocumento) {
    gera();
    const ResultSet r = banco.conexao().abre(sqlBoletoEmitidoDoDocumento(
        banco.conexao(), QStringLiteral("001"), doc(1, "NossoNumero"), doc(1, "NumeroDocumento")));
    ASSERT_EQ(r.linhas(), 1);
    const ResultSet esperado = banco.conexao().abre(
        QStringLiteral("select max(boleto_id) id from ruvenal_boletos where nosso_numero = '%1'")
            .arg(doc(1, "NossoNumero")));
    EXPECT_EQ(r.valor(0, "boleto_id").inteiroLongo(), esperado.valor(0, "id").inteiroLongo());
    EXPECT_TRUE(banco.conexao()
                    .abre(sqlBoletoEmitidoDoDocumento(banco.conexao(), QStringLiteral("001"),
                                                      doc(1, "NossoNumero"), QStringLiteral("x\"' or 1=1")))
                    .vazio());
}

// At start-up: a certificate about to lapse is announced, and a registration a crashed run left in the
// journal is finished (asked first, sent only because the bank did not have it).
TEST_F(RegistroNoBancoTest, InicioAnunciaCertificadoEConcluiOQueFicouPelaMetade) {
    certificados.cliente(QStringLiteral("vencendo"), 10);
    escreveBolix({"api_certificado=" + certificados.caminho(QStringLiteral("vencendo.pem")),
                  "api_chave_certificado=" + certificados.caminho(QStringLiteral("vencendo.key"))});
    bolix::Conta conta;
    conta.codigoAgencia = QStringLiteral("1584");
    conta.numeroContaCorrente = QStringLiteral("210169");
    conta.codigoCedente = QStringLiteral("1234567");
    conta.inicioNossoNumero = QStringLiteral("0");
    bolix::api::BancoDoBrasilApi api(bolix::configuraConta(
        conta, bolix::lerConfiguracao(instalacao.arquivo(QStringLiteral("bolix.ini")))));
    bolix::Documento doc = exemplos::documento(QStringLiteral("0000004711"), QStringLiteral("77"));
    doc.dataVencimento = hoje.addDays(10);
    bolix::api::DiarioRegistros(instalacao.arquivo(QStringLiteral("registros_api.jsonl")))
        .enviando(doc, api.pedido(doc, hoje));

    PreparaBoletosEmitidos(banco.conexao()); // as the start-up does first
    AnunciaRegistroNoBanco(bolix, banco.conexao());

    ASSERT_EQ(mensagens.mostradas.size(), 2) << mensagens.mostradas.join(u'|').toStdString();
    EXPECT_TRUE(mensagens.mostradas[0].startsWith(u"atencao: O certificado da API do banco vence em "))
        << mensagens.mostradas[0].toStdString();
    EXPECT_EQ(mensagens.mostradas[1], QStringLiteral("mensagem: Registros de uma geração interrompida, "
                                                     "concluídos agora:\rDocumento 0000004711: registrado no "
                                                     "banco"));
    EXPECT_EQ(simulador->boletos().size(), 1);
    EXPECT_FALSE(QFile::exists(instalacao.arquivo(QStringLiteral("registros_api.jsonl"))));

    mensagens.mostradas.clear();
    AnunciaRegistroNoBanco(bolix, banco.conexao()); // nothing left to do
    EXPECT_EQ(mensagens.mostradas.size(), 1);
}

// A boleto a crash left between the bank's answer and the record: finished at start-up or by the next run,
// the operator told, and its QR kept as a run keeps it, for the 2ª via.
TEST_F(RegistroNoBancoTest, ConcluidosGuardamOQrParaASegundaVia) {
    gera();
    const QString numeroDocumento = doc(0, "NumeroDocumento");
    const QString nossoNumero = doc(0, "NossoNumero");
    const auto &noBanco = simulador->boletos().value(QStringLiteral("00012345670000000041"));
    ASSERT_FALSE(noBanco.emv.isEmpty());
    const auto qrGuardado = [&] {
        const ResultSet r = banco.conexao().abre(
            QStringLiteral("select p.copia_e_cola from ruvenal_pix p join ruvenal_boletos b on b.boleto_id = "
                           "p.boleto_id where b.nosso_numero = '%1'")
                .arg(nossoNumero));
        return r.vazio() ? QString() : r.valor(0, "copia_e_cola").texto();
    };
    const auto interrompe = [&] {
        banco.conexao().executa(QStringLiteral("delete from ruvenal_pix"));
        bolix::Documento documento;
        documento.numeroDocumento = numeroDocumento;
        documento.nossoNumero = nossoNumero;
        bolix::api::DiarioRegistros(instalacao.arquivo(QStringLiteral("registros_api.jsonl")))
            .enviando(documento, {noBanco.numero, noBanco.codigoBarras,
                                  QJsonDocument(noBanco.pedido).toJson(QJsonDocument::Compact)});
        mensagens.mostradas.clear();
    };
    const QString concluido = QStringLiteral("Registros de uma geração interrompida, concluídos agora:\r"
                                             "Documento %1: registrado no banco")
                                  .arg(numeroDocumento);

    interrompe();
    AnunciaRegistroNoBanco(bolix, banco.conexao());
    EXPECT_EQ(mensagens.mostradas, QStringList{QStringLiteral("mensagem: ") + concluido});
    EXPECT_EQ(qrGuardado(), noBanco.emv);

    interrompe();
    cliente(4);
    banco.receber({{"clientes_id", 4}});
    listaClientes();
    marca(*clientes, {4});
    gera();
    EXPECT_EQ(mensagens.mostradas,
              QStringList{QStringLiteral("mensagem: 1 boletos registrados no banco\r") + concluido});
    EXPECT_EQ(qrGuardado(), noBanco.emv);
    EXPECT_EQ(simulador->registrosRecebidos(), 4); // the finished one was not sent again
}

// "Consultar Banco": exactly the payments made at the bank, settled once by "Processar", and the one the
// paying bank only announced listed for the operator; a second query brings nothing new.
TEST_F(RegistroNoBancoTest, LiquidacoesDaApiBaixamUmaVez) {
    gera();
    const QList<QString> linhas = [&] {
        QList<QString> l;
        for (const auto &b : simulador->boletos())
            l << b.linhaDigitavel;
        std::sort(l.begin(), l.end());
        return l;
    }();
    ASSERT_EQ(linhas.size(), 3);
    ASSERT_TRUE(simulador->paga(linhas[0], 1'000'000, hoje));
    ASSERT_TRUE(simulador->paga(linhas[2], 1'000'000, hoje));
    ASSERT_TRUE(simulador->anuncia(linhas[1], 1'000'000, QDateTime(hoje, QTime(8, 30)), 15));

    const QString conta = ContaDaConsultaApi(bolix);
    EXPECT_EQ(conta, QStringLiteral("001/1234567"));
    EXPECT_EQ(InicioDaConsultaApi(banco.conexao(), conta, hoje), hoje.addDays(-30));
    LiquidacoesApi l = CarregaLiquidacoesApi(bolix, hoje.addDays(-30), Money());
    ASSERT_EQ(l.ocorrencias.size(), 2u);
    const auto anunciado = std::find_if(simulador->boletos().cbegin(), simulador->boletos().cend(),
                                        [&](const auto &b) { return b.linhaDigitavel == linhas[1]; });
    EXPECT_EQ(l.anunciados, QStringLiteral("Nosso número %1: pagamento de R$ 100,00 anunciado em %2 08:30 "
                                           "(baixa operacional), ainda sem crédito")
                                .arg(anunciado->numero, hoje.toString(QStringLiteral("dd/MM/yyyy"))));
    QStringList documentosPagos;
    for (const Ocorrencia &o : l.ocorrencias) {
        documentosPagos << o.chave;
        EXPECT_EQ(o.valorPago, Money::deUnidades(1'000'000));
        EXPECT_EQ(o.data, hoje.toString(QStringLiteral("yyyyMMdd")));
    }
    const QStringList esperados = {doc(0, "NumeroDocumento"), doc(2, "NumeroDocumento")};
    EXPECT_EQ(documentosPagos, esperados);

    ListaRetorno lista = ListaOcorrencias(banco.conexao(), ModoRetorno::Boleto, l.ocorrencias);
    EXPECT_EQ(lista.QListaTemp.linhas(), 2);
    PreparaBaixasRegistradas(banco.conexao(), instalacao.arquivo(QStringLiteral("retornos_baixados.txt")));
    EXPECT_EQ(MarcaJaBaixadas(banco.conexao(), lista.QListaTemp, ModoRetorno::Boleto, l.retorno.impressao),
              0);
    const ResultadoBaixa r =
        ProcessaRetorno(banco.conexao(), estado, lista.QListaTemp, ModoRetorno::Boleto, l.retorno.impressao);
    EXPECT_EQ(r.linhas, 2);
    EXPECT_EQ(r.baixadasAgora, 2);
    EXPECT_EQ(r.contas, 2);
    banco.conexao().executa(sqlGuardaConsultaApi(banco.conexao(), conta, hoje));
    EXPECT_EQ(InicioDaConsultaApi(banco.conexao(), conta, hoje), hoje.addDays(-3));
    banco.conexao().executa(sqlGuardaConsultaApi(banco.conexao(), conta, hoje.addDays(-10))); // never back
    EXPECT_EQ(InicioDaConsultaApi(banco.conexao(), conta, hoje), hoje.addDays(-3));

    // Asked again: the same two come, both already settled.
    LiquidacoesApi de_novo = CarregaLiquidacoesApi(bolix, hoje.addDays(-3), Money());
    ListaRetorno segunda = ListaOcorrencias(banco.conexao(), ModoRetorno::Boleto, de_novo.ocorrencias);
    EXPECT_EQ(
        MarcaJaBaixadas(banco.conexao(), segunda.QListaTemp, ModoRetorno::Boleto, de_novo.retorno.impressao),
        2);
}

} // namespace
