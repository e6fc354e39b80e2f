// The component as the program reaches it: late-bound members of Bolix.ContaCorrente.

#include "bolix/objeto/ContaCorrente.h"
#include "bolix/simulador/Simulador.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

using automation::AutomationError;
using automation::Currency;
using automation::DispatchPtr;
using automation::Variant;

namespace {

class ObjetoBolix : public testing::Test {
protected:
    void SetUp() override {
        ini_ = dir_.filePath(QStringLiteral("bolix.ini"));
        escreveIni("banco=001\r\ncarteira=17\r\ntamanho_convenio=7\r\n");
        qputenv("BOLIX_INI", ini_.toLocal8Bit());
    }
    void TearDown() override { qunsetenv("BOLIX_INI"); }

    // The component's settings: the bank's lines, then the payee.
    void escreveIni(const QByteArray &banco) {
        QFile f(ini_);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Bolix]\r\n" + banco +
                "nome_beneficiario=Loja Exemplo Ltda\r\ninscricao_beneficiario=12.345.678/0001-95\r\n");
    }

    // As the account set-up does it: members, then ConfiguraContaCorrente.
    void configura() {
        obj_->set(QStringLiteral("CodigoAgencia"), QStringLiteral("1584"));
        obj_->set(QStringLiteral("NumeroContaCorrente"), QStringLiteral("210169"));
        obj_->set(QStringLiteral("CodigoCedente"), QStringLiteral("1234567"));
        obj_->set(QStringLiteral("OutroDadoConfiguracao1"), QStringLiteral("A"));
        obj_->set(QStringLiteral("InicioNossoNumero"), QStringLiteral("0000000040"));
        obj_->set(QStringLiteral("FimNossoNumero"), QStringLiteral("9999999999"));
        obj_->call(QStringLiteral("ConfiguraContaCorrente"));
    }

    DispatchPtr de(const DispatchPtr &o, const char *membro) {
        return o->get(QLatin1String(membro)).toObject();
    }

    void adicionaDocumento(const QString &numero, const QString &nossoNumero, Currency valor) {
        const DispatchPtr doc = de(obj_, "DocumentosCobranca")->call(QStringLiteral("Add")).toObject();
        doc->set(QStringLiteral("BancoGeraNossoNumero"), false);
        doc->set(QStringLiteral("NumeroDocumento"), numero);
        doc->set(QStringLiteral("NomeSacado"), QStringLiteral("Maria Antônia"));
        doc->set(QStringLiteral("CPFSacado"), QStringLiteral("123.456.789-09"));
        doc->set(QStringLiteral("EnderecoSacado"), QStringLiteral("Rua Um 10"));
        doc->set(QStringLiteral("CidadeSacado"), QStringLiteral("Campinas"));
        doc->set(QStringLiteral("EstadoSacado"), QStringLiteral("SP"));
        doc->set(QStringLiteral("CepSacado"), QStringLiteral("13010000"));
        doc->set(QStringLiteral("DataDocumento"), QStringLiteral("20/11/2025"));
        doc->set(QStringLiteral("DataVencimento"), QStringLiteral("15/12/2025"));
        doc->set(QStringLiteral("ValorDocumento"), valor);
        doc->set(QStringLiteral("NossoNumero"), nossoNumero);
        doc->set(QStringLiteral("AgenciaDebito"), QStringLiteral("0123"));
        doc->set(QStringLiteral("ContaCorrenteDebito"), QStringLiteral("98765-4"));
    }

    // The remittance "remessa.rem" in the test's folder.
    DispatchPtr remessaNaPasta() {
        const DispatchPtr remessa = de(obj_, "ArquivoRemessa");
        remessa->set(QStringLiteral("Diretorio"), dir_.path());
        remessa->set(QStringLiteral("Arquivo"), QStringLiteral("remessa.rem"));
        return remessa;
    }

    // The simulator's answer to the remittance "remessa.rem" of the test's folder.
    QList<QByteArray> retornoDaRemessa(const bolix::simulador::Pedido &pedido) {
        QFile f(dir_.filePath(QStringLiteral("remessa.rem")));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return bolix::simulador::retornoDaRemessa(f.readAll(), pedido, QDate(2025, 12, 10));
    }
    // Writes the return "CB0101.ret" and has the component load it; returns its occurrences.
    DispatchPtr carregaRetorno(const QByteArray &conteudo) {
        QFile ret(dir_.filePath(QStringLiteral("CB0101.ret")));
        EXPECT_TRUE(ret.open(QIODevice::WriteOnly));
        ret.write(conteudo);
        ret.close();
        const DispatchPtr retorno = de(obj_, "ArquivoRetorno");
        retorno->set(QStringLiteral("Diretorio"), dir_.path() + u'/');
        retorno->set(QStringLiteral("Arquivo"), QStringLiteral("CB0101.ret"));
        const DispatchPtr ocorrencias = de(obj_, "OcorrenciasCobranca");
        ocorrencias->call(QStringLiteral("Clear"));
        obj_->call(QStringLiteral("CarregaArquivosRetorno"));
        return ocorrencias;
    }

    QTemporaryDir dir_;
    QString ini_;
    DispatchPtr obj_ = std::make_shared<bolix::objeto::ContaCorrente>();
};

// An amount handed over as text comes back as the same currency and the same text, at both ends of the range.
TEST_F(ObjetoBolix, ValorDadoComoTextoVoltaExato) {
    const DispatchPtr doc = de(obj_, "DocumentosCobranca")->call(QStringLiteral("Add")).toObject();
    for (const char *valor : {"922337203685477", "922337203685477.5807", "-922337203685477.5808", "0.0001"}) {
        doc->set(QStringLiteral("ValorDocumento"), QString::fromLatin1(valor));
        const Variant lido = doc->get(QStringLiteral("ValorDocumento"));
        EXPECT_EQ(lido.toText(), QLatin1String(valor));
        EXPECT_EQ(lido.toCurrency(), Variant(QString::fromLatin1(valor)).toCurrency()) << valor;
    }
    EXPECT_THROW(doc->set(QStringLiteral("ValorDocumento"), QStringLiteral("922337203685477.5808")),
                 AutomationError);
}

TEST_F(ObjetoBolix, ConfiguraContaNormalizaOsMembrosEInformaOBanco) {
    configura();
    EXPECT_EQ(obj_->get(QStringLiteral("CodigoAgencia")).toText(), u"1584-9");
    EXPECT_EQ(obj_->get(QStringLiteral("NumeroContaCorrente")).toText(), u"00210169-6");
    EXPECT_EQ(obj_->get(QStringLiteral("CodigoCedente")).toText(), u"1234567");
    EXPECT_EQ(obj_->get(QStringLiteral("InicioNossoNumero")).toText(), u"0000000040");
    EXPECT_EQ(obj_->get(QStringLiteral("NumeroBanco")).toText(), u"001");
}

// A nosso número the remittance would refuse is refused as soon as it is given, once the account is
// configured; the account as configured last is the one that counts, and the debit layout has none.
TEST_F(ObjetoBolix, NossoNumeroForaDaFaixaEhRecusadoAoSerDado) {
    const DispatchPtr doc = de(obj_, "DocumentosCobranca")->call(QStringLiteral("Add")).toObject();
    const auto da = [&doc](const char *numero) { doc->set(QStringLiteral("NossoNumero"), Variant(numero)); };
    doc->set(QStringLiteral("NumeroDocumento"), QStringLiteral("77"));
    da("0000000001");
    configura();
    EXPECT_NO_THROW(da("0000000040"));
    try {
        da("0000000039");
        FAIL();
    } catch (const AutomationError &e) {
        EXPECT_EQ(e.text(),
                  QStringLiteral("Documento 77: NossoNumero 0000000039 fora da faixa configurada (40 a "
                                 "9999999999)."));
    }
    EXPECT_EQ(doc->get(QStringLiteral("NossoNumero")).toText(), u"0000000040");

    obj_->set(QStringLiteral("FimNossoNumero"), QStringLiteral("41"));
    EXPECT_NO_THROW(da("0000000042"));
    obj_->call(QStringLiteral("ConfiguraContaCorrente"));
    EXPECT_THROW(da("0000000042"), AutomationError);
    de(obj_, "ArquivoRemessa")->set(QStringLiteral("Layout"), QStringLiteral("DebitoCC"));
    EXPECT_NO_THROW(da("0000000042"));
}

// What the payer reads off the boleto, by the account as configured last; nothing before; read only.
TEST_F(ObjetoBolix, NossoNumeroImpressoSegueAContaConfigurada) {
    const DispatchPtr doc = de(obj_, "DocumentosCobranca")->call(QStringLiteral("Add")).toObject();
    doc->set(QStringLiteral("NumeroDocumento"), QStringLiteral("77"));
    doc->set(QStringLiteral("NossoNumero"), QStringLiteral("0000000041"));
    EXPECT_EQ(doc->get(QStringLiteral("NossoNumeroImpresso")).toText(), QString());
    configura();
    EXPECT_EQ(doc->get(QStringLiteral("NossoNumeroImpresso")).toText(), u"12345670000000041");
    obj_->set(QStringLiteral("CodigoCedente"), QStringLiteral("7654321"));
    obj_->call(QStringLiteral("ConfiguraContaCorrente"));
    EXPECT_EQ(doc->get(QStringLiteral("NossoNumeroImpresso")).toText(), u"76543210000000041");
    EXPECT_THROW(doc->set(QStringLiteral("NossoNumeroImpresso"), QStringLiteral("1")), AutomationError);
}

TEST_F(ObjetoBolix, ConfiguracaoAusenteOuContaRuimSaoErrosComTexto) {
    obj_->set(QStringLiteral("CodigoAgencia"), QStringLiteral("0548-8"));
    obj_->set(QStringLiteral("NumeroContaCorrente"), QStringLiteral("1448"));
    obj_->set(QStringLiteral("CodigoCedente"), QStringLiteral("1234567"));
    obj_->set(QStringLiteral("InicioNossoNumero"), QStringLiteral("0"));
    try {
        obj_->call(QStringLiteral("ConfiguraContaCorrente"));
        FAIL();
    } catch (const AutomationError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("CodigoAgencia \"0548-8\" inválido: o dígito verificador é 7."));
    }
    EXPECT_EQ(obj_->get(QStringLiteral("CodigoAgencia")).toText(), u"0548-8");
    QFile::remove(ini_);
    try {
        obj_->call(QStringLiteral("ConfiguraContaCorrente"));
        FAIL();
    } catch (const AutomationError &e) {
        EXPECT_TRUE(e.text().contains(ini_)) << e.what();
    }
}

TEST_F(ObjetoBolix, RemessaSimuladorERetornoDevolvemCadaDocumentoPago) {
    configura();
    adicionaDocumento(QStringLiteral("0000004711"), QStringLiteral("0000000041"), Currency{1'500'000});
    adicionaDocumento(QStringLiteral("0000004712"), QStringLiteral("0000000042"), Currency{899'000});
    const DispatchPtr remessa = remessaNaPasta();
    remessa->set(QStringLiteral("Sequencia"), 5);
    const QString caminho = dir_.filePath(QStringLiteral("remessa.rem"));
    EXPECT_EQ(obj_->call(QStringLiteral("GravaArquivoRemessa")).toText(),
              QStringLiteral(": 2 títulos gravados em ") + caminho);

    bolix::simulador::Pedido pedido;
    pedido.todosPagos = false;
    pedido.pagos = {2};
    pedido.valores.insert(2, 900'000);
    const DispatchPtr ocorrencias = carregaRetorno(retornoDaRemessa(pedido).join("\r\n") + "\r\n");
    // The unpaid title comes back as an entry confirmation, which is no payment to settle.
    ASSERT_EQ(ocorrencias->get(QStringLiteral("Count")).toInt(), 1);
    const DispatchPtr pago = ocorrencias->item(0).toObject();
    EXPECT_EQ(pago->get(QStringLiteral("NumeroDocumento")).toText(), u"0000004712");
    EXPECT_EQ(pago->get(QStringLiteral("ValorPago")).toCurrency(), Currency{900'000});
    EXPECT_EQ(pago->get(QStringLiteral("ValorDocumento")).toCurrency(), Currency{899'000});
    EXPECT_EQ(pago->get(QStringLiteral("DataOcorrencia")).toText(), u"10/12/2025");

    // A file refused at its trailer, after its payments were read, adds none of them.
    QFile ret(dir_.filePath(QStringLiteral("CB0101.ret")));
    ASSERT_TRUE(ret.open(QIODevice::ReadWrite));
    QByteArray conteudo = ret.readAll();
    conteudo[conteudo.lastIndexOf("\r\n", conteudo.size() - 3) + 2 + 28] = '9';
    ret.seek(0);
    ret.write(conteudo);
    ret.close();
    EXPECT_THROW(obj_->call(QStringLiteral("CarregaArquivosRetorno")), AutomationError);
    EXPECT_EQ(ocorrencias->get(QStringLiteral("Count")).toInt(), 1);
}

// Santander's CNAB 400 with pix=S: the payments go to OcorrenciasCobranca, each once, the QR of the entry
// confirmed to PixCobranca, assembled from the bank's location with the payee's name and city.
TEST_F(ObjetoBolix, PixDoRetornoNumaColecaoPropria) {
    escreveIni("banco=033\r\ncarteira=101\r\nlayout=CNAB400\r\npix=S\r\ntipo_chave_pix=2\r\n"
               "chave_pix=12345678000195\r\ncidade_beneficiario=S\xe3o Paulo\r\n");
    obj_->set(QStringLiteral("CodigoAgencia"), QStringLiteral("4042"));
    obj_->set(QStringLiteral("NumeroContaCorrente"), QStringLiteral("013000123"));
    obj_->set(QStringLiteral("CodigoCedente"), QStringLiteral("0282033"));
    obj_->set(QStringLiteral("OutroDadoConfiguracao2"), QStringLiteral("17777751042700080112"));
    obj_->set(QStringLiteral("InicioNossoNumero"), QStringLiteral("0"));
    obj_->call(QStringLiteral("ConfiguraContaCorrente"));
    adicionaDocumento(QStringLiteral("0000004711"), QStringLiteral("41"), Currency{1'500'000});
    adicionaDocumento(QStringLiteral("0000004712"), QStringLiteral("42"), Currency{899'000});
    adicionaDocumento(QStringLiteral("0000004713"), QStringLiteral("43"), Currency{250'000});
    remessaNaPasta();
    obj_->call(QStringLiteral("GravaArquivoRemessa"));

    // 1 paid by bar code, 2 through the QR (06 with 511), 3 confirmed with its QR.
    bolix::simulador::Pedido pedido;
    pedido.todosPagos = false;
    pedido.pagos = {1, 2};
    QList<QByteArray> linhas = retornoDaRemessa(pedido);
    const DispatchPtr ocorrencias = carregaRetorno(linhas.join("\r\n") + "\r\n");
    ASSERT_EQ(ocorrencias->get(QStringLiteral("Count")).toInt(), 2);
    EXPECT_EQ(ocorrencias->item(1).toObject()->get(QStringLiteral("NumeroDocumento")).toText(),
              u"0000004712");
    const DispatchPtr pix = de(obj_, "PixCobranca");
    ASSERT_EQ(pix->get(QStringLiteral("Count")).toInt(), 1);
    const DispatchPtr qr = pix->item(0).toObject();
    EXPECT_EQ(qr->get(QStringLiteral("NumeroDocumento")).toText(), u"0000004713");
    EXPECT_EQ(qr->get(QStringLiteral("CodigoMovimento")).toText(), u"02");
    EXPECT_EQ(qr->get(QStringLiteral("Situacao")).toText(), u"508 - registrado com QR Code Pix");
    EXPECT_FALSE(qr->get(QStringLiteral("Recusado")).toBool());
    EXPECT_EQ(qr->get(QStringLiteral("Txid")).toText(), u"40420130001230000000000434");
    const QString copiaECola = qr->get(QStringLiteral("PixCopiaECola")).toText();
    EXPECT_TRUE(copiaECola.startsWith(u"000201010212")) << copiaECola.toStdString();
    EXPECT_TRUE(copiaECola.contains(u"5917LOJA EXEMPLO LTDA6009SAO PAULO")) << copiaECola.toStdString();

    // Title 3 later written off by a plain 09, even with a record 2 after it, is no payment: it goes to
    // BaixasCobranca with the bank's words and what to ask the bank. Title 1's credit date left blank: it
    // takes the occurrence date, and AvisosRetorno says so.
    linhas[3].replace(108, 2, "09").replace(136, 3, "   ").replace(253, 13, linhas[3].mid(152, 13));
    linhas[1].replace(295, 6, "      ");
    ASSERT_EQ(carregaRetorno(linhas.join("\r\n") + "\r\n")->get(QStringLiteral("Count")).toInt(), 2);
    const DispatchPtr baixas = de(obj_, "BaixasCobranca");
    ASSERT_EQ(baixas->get(QStringLiteral("Count")).toInt(), 1);
    const DispatchPtr baixa = baixas->item(0).toObject();
    EXPECT_EQ(baixa->get(QStringLiteral("NumeroDocumento")).toText(), u"0000004713");
    EXPECT_EQ(baixa->get(QStringLiteral("Situacao")).toText(), u"09 - baixa automática");
    EXPECT_TRUE(baixa->get(QStringLiteral("Orientacao")).toText().contains(u"510"));
    EXPECT_EQ(obj_->get(QStringLiteral("AvisosRetorno")).toText().toStdString(),
              "Linha 2: pagamento do título 0000004711 (nosso número 00000418) sem data do crédito: tomada a "
              "data da ocorrência, 10/12/2025.");
    // The next file's reading starts afresh.
    carregaRetorno(retornoDaRemessa(pedido).join("\r\n") + "\r\n");
    EXPECT_EQ(baixas->get(QStringLiteral("Count")).toInt(), 0);
    EXPECT_EQ(obj_->get(QStringLiteral("AvisosRetorno")).toText(), QString());
}

// A return as a transfer tool delivers it (LF, trailing blanks stripped, a DOS end-of-file mark) with a
// title registered without a document number: every payment comes over, that one with its nosso número.
// The same file of another agência is refused whole.
TEST_F(ObjetoBolix, RetornoComoOBancoEntregaEDeOutraConta) {
    configura();
    adicionaDocumento(QStringLiteral("0000004711"), QStringLiteral("0000000041"), Currency{1'500'000});
    adicionaDocumento(QStringLiteral("0000004712"), QStringLiteral("0000000042"), Currency{899'000});
    remessaNaPasta();
    obj_->call(QStringLiteral("GravaArquivoRemessa"));
    QList<QByteArray> linhas = retornoDaRemessa({});
    linhas[2].replace(58, 15, QByteArray(15, ' '));
    for (QByteArray &l : linhas)
        while (l.endsWith(' '))
            l.chop(1);
    const DispatchPtr ocorrencias = carregaRetorno(linhas.join("\n") + "\n\x1A");
    ASSERT_EQ(ocorrencias->get(QStringLiteral("Count")).toInt(), 2);
    const DispatchPtr semNumero = ocorrencias->item(0).toObject();
    EXPECT_EQ(semNumero->get(QStringLiteral("NumeroDocumento")).toText(), QString());
    EXPECT_FALSE(semNumero->get(QStringLiteral("NossoNumero")).toText().isEmpty());
    EXPECT_EQ(semNumero->get(QStringLiteral("ValorPago")).toCurrency(), Currency{1'500'000});
    EXPECT_EQ(ocorrencias->item(1).toObject()->get(QStringLiteral("NumeroDocumento")).toText(),
              u"0000004712");

    linhas[0].replace(52, 5, "01585");
    try {
        carregaRetorno(linhas.join("\r\n"));
        FAIL() << "accepted";
    } catch (const AutomationError &e) {
        EXPECT_TRUE(e.text().contains(u"é de outra conta: agência 01585")) << e.what();
    }
    EXPECT_EQ(ocorrencias->get(QStringLiteral("Count")).toInt(), 0);
}

// The system refuses the write, as a full disk does (here by the process's file-size limit, which needs no
// special file system): the error names the system's reason, and no file is left, cut or whole.
TEST_F(ObjetoBolix, RemessaQueNaoCabeDizPorque) {
    configura();
    adicionaDocumento(QStringLiteral("0000004711"), QStringLiteral("0000000041"), Currency{1'500'000});
    remessaNaPasta();
    rlimit antes{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
    const auto sinal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite = antes;
    limite.rlim_cur = 300;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    QString erro;
    try {
        obj_->call(QStringLiteral("GravaArquivoRemessa"));
    } catch (const AutomationError &e) {
        erro = e.text();
    }
    setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, sinal);
    EXPECT_TRUE(erro.startsWith(QStringLiteral("Não foi possível gravar o arquivo ") +
                                dir_.filePath(QStringLiteral("remessa.rem"))))
        << erro.toStdString();
    EXPECT_TRUE(erro.contains(QString::fromLocal8Bit(std::strerror(EFBIG)))) << erro.toStdString();
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("bolix.ini")});
}

TEST_F(ObjetoBolix, DebitoAutomaticoEOcorrenciasIntactasQuandoORetornoEhRuim) {
    configura();
    adicionaDocumento(QStringLiteral("0000004711"), QStringLiteral("41"), Currency{1'500'000});
    const DispatchPtr remessa = remessaNaPasta();
    remessa->set(QStringLiteral("Layout"), QStringLiteral("DebitoCC"));
    obj_->call(QStringLiteral("GravaArquivoRemessa"));
    QFile f(dir_.filePath(QStringLiteral("remessa.rem")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> linhas = f.readAll().split('\n');
    EXPECT_EQ(linhas[1].mid(2, 8), "00004711");

    const DispatchPtr retorno = de(obj_, "ArquivoRetorno");
    retorno->set(QStringLiteral("Diretorio"), dir_.path());
    retorno->set(QStringLiteral("Arquivo"), QStringLiteral("remessa.rem")); // not a CNAB 240 return
    EXPECT_THROW(obj_->call(QStringLiteral("CarregaArquivosRetorno")), AutomationError);
    EXPECT_EQ(de(obj_, "OcorrenciasCobranca")->get(QStringLiteral("Count")).toInt(), 0);
}

} // namespace
