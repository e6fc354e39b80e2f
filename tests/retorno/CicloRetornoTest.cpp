// The whole cycle on the test database: the window lists, marks and writes the remittance, the bank simulator
// answers it, the window loads the return, settles it and lists again.
#include "forms/CamposArquivo.h"
#include "tests/app/JanelaDeTeste.h"
#include "tests/support/LeituraPdf.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class CicloRetorno : public testing::Test {
protected:
    void SetUp() override {
        hoje = banco.conexao().abre(QStringLiteral("select curdate()")).valor(0, 0).data();
        banco.empresaQueCobra();
        for (int c : {1, 2})
            banco.pagador(c);
        // Client 1 owes 60 (older) and 40, client 2 owes 89,90.
        vende(1, 60, 9);
        vende(1, 40, 10);
        vende(2, 89.90, 11);
    }
    void TearDown() override { qunsetenv("BOLIX_INI"); }

    void vende(int cliente, double valor, int hora) {
        banco.receber({{"clientes_id", cliente},
                       {"valor", valor},
                       {"valortotal", valor},
                       {"datahora", QDateTime(hoje, QTime(hora, 0))},
                       {"vencimento", hoje.addDays(10)}});
    }
    void instala(const QString &bolix, const QString &ruvenal) {
        const QString ini = QDir(programa.caminho()).filePath(QStringLiteral("bolix.ini"));
        QFile f(ini);
        f.open(QIODevice::WriteOnly);
        f.write(("[Bolix]\r\n" + bolix +
                 "nome_beneficiario=LOJA MODELO LTDA\r\ninscricao_beneficiario=12345678000195\r\n"
                 "imprimir=N\r\n")
                    .toLatin1());
        f.close();
        qputenv("BOLIX_INI", ini.toLocal8Bit());
        programa.iniPara(banco, QStringLiteral("[Ruvenal]\ncod_empresa=1\nvalor_taxa=2,5\n") + ruvenal);
        programa.iniciaEMostra(janela, mensagens);
    }
    // List today's sales per client, mark every row and generate the remittance, as the operator does.
    void gera(bool debito, int titulos = 2) {
        janela->tabExporta->dtDataInicial->setDate(hoje);
        janela->tabExporta->dtDataFinal->setDate(hoje);
        janela->tabExporta->dtVencimento->setDate(hoje.addDays(10));
        janela->tabExporta->DirFinal->setText(programa.caminho());
        janela->tabExporta->cbImprimir->setChecked(false);
        janela->tabExporta->checkDebitoCC->setChecked(debito);
        lista();
        QTest::keyClick(janela->tabExporta->dbFuncs, Qt::Key_F6);
        QTest::mouseClick(janela->tabExporta->bGerar, Qt::LeftButton);
        ASSERT_TRUE(mensagens.mostradas.last().startsWith(
            QStringLiteral("mensagem: Arquivo de Remessa gerado: %1").arg(titulos)))
            << mensagens.mostradas.join('\n').toStdString();
    }
    void lista() {
        janela->pcPrincipal->setCurrentWidget(janela->tabExporta);
        QTest::mouseClick(janela->tabExporta->sbListarFunc, Qt::LeftButton);
    }
    void simula(const QStringList &opcoes) {
        QProcess simulador;
        simulador.start(
            QStringLiteral(RUVENAL_SIMULADOR),
            QStringList{QDir(programa.caminho()).filePath(QStringLiteral("remessa.rem")), retorno()} +
                opcoes);
        ASSERT_TRUE(simulador.waitForFinished(60000));
        ASSERT_EQ(simulador.exitCode(), 0) << simulador.readAllStandardError().toStdString();
    }
    QString retorno() const { return QDir(programa.caminho()).filePath(QStringLiteral("CB0101.ret")); }
    // "Ler Arquivo" on the simulator's return, its messages alone recorded.
    void leRetorno() {
        janela->pcPrincipal->setCurrentWidget(janela->tabImportarRet);
        janela->tabImportarRet->fnLocalLeitura->setText(retorno());
        mensagens.mostradas.clear();
        QTest::mouseClick(janela->tabImportarRet->butLerArquivo, Qt::LeftButton);
    }
    void processa() {
        mensagens.mostradas.clear();
        QTest::mouseClick(janela->tabImportarRet->butProcessar, Qt::LeftButton);
    }
    void carregaEProcessa() {
        leRetorno();
        ASSERT_EQ(mensagens.mostradas, QStringList{QStringLiteral("atencao: Pagamentos Carregados")});
        ASSERT_EQ(janela->tabImportarRet->dbLista->model()->rowCount(), 2);
        processa();
    }
    std::vector<Money> coluna(const char *campo) {
        const ResultSet r = banco.conexao().abre(
            QStringLiteral("select %1 from receber order by receber_id").arg(QLatin1String(campo)));
        std::vector<Money> v;
        for (int l = 0; l < r.linhas(); ++l)
            v.push_back(r.valor(l, 0).dinheiro());
        return v;
    }
    // What the listing shows afterwards, per client id.
    std::map<int, Money> listado() {
        lista();
        std::map<int, Money> m;
        const ResultSet *r = janela->tabExporta->QListaFunc();
        for (int l = 0; r && l < r->linhas(); ++l)
            m[r->valor(l, "clientes_id").inteiro()] = r->valor(l, "TOTAL").dinheiro();
        return m;
    }

    // A CNAB 400 installation: the program still asks for FEBRABAN240, the component writes and reads the
    // bank's 400-column files. Title 1 (client 1: 100 + the fee) is paid 80, as in the CNAB 240 cycle.
    void cicloCnab400(const QString &bolix, const QString &ruvenal, const QString &tarifa) {
        instala(bolix, ruvenal);
        gera(false);
        QFile remessa(QDir(programa.caminho()).filePath(QStringLiteral("remessa.rem")));
        ASSERT_TRUE(remessa.open(QIODevice::ReadOnly));
        EXPECT_EQ(remessa.readLine().size(), 402);
        simula({QStringLiteral("--valor"), QStringLiteral("1=80,00"), QStringLiteral("--tarifa"), tarifa});
        carregaEProcessa();
        EXPECT_EQ(mensagens.mostradas,
                  QStringList{QStringLiteral(
                      "atencao: Processo concluído.\rBaixados agora: 2. Já baixados antes: 0.")});
        EXPECT_EQ(coluna("amort"),
                  (std::vector<Money>{Money::deDouble(100), Money::deDouble(43.75), Money::deDouble(100)}));
        EXPECT_EQ(coluna("valortotal"), (std::vector<Money>{Money(), Money::deDouble(22.5), Money()}));
        EXPECT_EQ(listado(), (std::map<int, Money>{{1, Money::deDouble(22.5)}}));
    }

    // The return loaded again after its two payments were settled: recognised, and nothing moves.
    void recarregaSemBaixarNada() {
        leRetorno();
        EXPECT_EQ(mensagens.mostradas,
                  QStringList{QStringLiteral("atencao: Pagamentos Carregados\rTodos os pagamentos deste "
                                             "arquivo já foram baixados; \"Processar\" não baixa nada.")});
        processa();
        EXPECT_EQ(mensagens.mostradas,
                  QStringList{QStringLiteral(
                      "atencao: Processo concluído.\rBaixados agora: 0. Já baixados antes: 2.")});
        EXPECT_EQ(banco.conexao().abre(QStringLiteral("select count(*) from movment")).valor(0, 0).inteiro(),
                  3);
    }

    MensagensGravadas mensagens;
    BancoDeTeste banco;
    PastaDoPrograma programa;
    std::unique_ptr<TFRuvenal> janela;
    QDate hoje;
};

Money reais(double v) {
    return Money::deDouble(v);
}

// The installation of one bank: its bolix.ini lines and its [Ruvenal] account lines.
struct Instalacao {
    const char *nome;
    const char *bolix;
    const char *ruvenal;
};

void PrintTo(const Instalacao &i, std::ostream *os) {
    *os << i.nome;
}

// A test's name by its installation.
const auto nomeDaInstalacao = [](const auto &info) { return std::string(info.param.nome); };

const Instalacao instalacoes[] = {
    {"BancoDoBrasil", "banco=001\r\ncarteira=17\r\ntamanho_convenio=7\r\n",
     "banco=11\nnum_agencia=1584\nconta_corrente=210169\nidentificacao_empresa=1234567\nnossonumero=41\n"},
    {"Itau", "banco=341\r\ncarteira=109\r\n",
     "banco=341\nnum_agencia=0057\nconta_corrente=12345\nnossonumero=41\n"},
    {"Santander", "banco=033\r\ncarteira=101\r\ntipo_cobranca=5\r\n",
     "banco=033\nnum_agencia=4042\nconta_corrente=013000123\nidentificacao_empresa=0282033\n"
     "OutroDadoConfiguracao2=404200000282033\nnossonumero=41\n"},
    {"Sicredi", "banco=748\r\nposto=02\r\nbyte_geracao=2\r\n",
     "banco=748\nnum_agencia=0165\nconta_corrente=00623-8\nidentificacao_empresa=00623\nnossonumero=41\n"},
    {"Banrisul", "banco=041\r\ncarteira=1\r\n",
     "banco=041\nnum_agencia=1102\nconta_corrente=0601234567\nidentificacao_empresa=9000150\nnossonumero="
     "41\n"},
};

class CicloPorBanco : public CicloRetorno, public testing::WithParamInterface<Instalacao> {};

TEST_P(CicloPorBanco, BoletoComUmTituloPagoAMenos) {
    instala(QString::fromLatin1(GetParam().bolix), QString::fromLatin1(GetParam().ruvenal));
    gera(false);
    // Title 1 (client 1: 100 + the fee) is paid 80.
    simula({QStringLiteral("--valor"), QStringLiteral("1=80,00")});
    carregaEProcessa();
    EXPECT_EQ(mensagens.mostradas,
              QStringList{
                  QStringLiteral("atencao: Processo concluído.\rBaixados agora: 2. Já baixados antes: 0.")});

    // 77,50 over 60 and 40: the older in full, 17,50 of the newer; client 2 pays 92,40 - 2,50 = 89,90.
    EXPECT_EQ(coluna("amort"), (std::vector<Money>{reais(100), reais(43.75), reais(100)}));
    EXPECT_EQ(coluna("valortotal"), (std::vector<Money>{Money(), reais(22.5), Money()}));
    const ResultSet m =
        banco.conexao().abre(QStringLiteral("select valor_tot, oper from movment order by movment_id"));
    ASSERT_EQ(m.linhas(), 3);
    EXPECT_EQ(m.valor(1, "valor_tot").dinheiro(), reais(17.5));
    EXPECT_EQ(listado(), (std::map<int, Money>{{1, reais(22.5)}}));
    EXPECT_FALSE(janela->tabImportarRet->butProcessar->isEnabled());

    // The same return again: the component's payments are recognised as settled, and nothing moves.
    recarregaSemBaixarNada();
    // Each payment is recorded under the date the bank gave it.
    const ResultSet b = banco.conexao().abre(
        QStringLiteral("select data_pagamento from ruvenal_baixas where tipo = 'B' group by data_pagamento"));
    ASSERT_EQ(b.linhas(), 1);
    EXPECT_EQ(b.valor(0, 0).texto().size(), 8);
}

// Issued, one of the two paid, found again on the "2ª via" tab with its state and printed again.
TEST_F(CicloRetorno, SegundaViaDepoisDeUmaBaixa) {
    instala(
        QStringLiteral("banco=001\r\ncarteira=17\r\ntamanho_convenio=7\r\n"),
        QStringLiteral("banco=11\nnum_agencia=1584\nconta_corrente=210169\nidentificacao_empresa=1234567\n"
                       "nossonumero=41\n"));
    gera(false);
    simula({QStringLiteral("--pagos"), QStringLiteral("1")});
    leRetorno();
    ASSERT_EQ(janela->tabImportarRet->dbLista->model()->rowCount(), 1);
    processa();

    TabSegundaVia *aba = janela->tabSegundaVia;
    janela->pcPrincipal->setCurrentWidget(aba);
    QTest::mouseClick(aba->bPesquisar, Qt::LeftButton);
    QAbstractItemModel *m = aba->dbBoletos->model();
    ASSERT_EQ(m->rowCount(), 2);
    const auto celula = [m](int linha, int coluna) { return m->index(linha, coluna).data().toString(); };
    // Newest first: the same run, so the later record, client 2, leads.
    EXPECT_EQ(celula(0, 1) + celula(0, 7), QStringLiteral("2Em aberto"));
    EXPECT_EQ(celula(1, 1) + celula(1, 7), QStringLiteral("1Pago"));

    aba->edCliente->setText(QStringLiteral("Cliente 1"));
    QTest::mouseClick(aba->bPesquisar, Qt::LeftButton);
    ASSERT_EQ(m->rowCount(), 1);
    m->setData(m->index(0, 0), Qt::Checked, Qt::CheckStateRole);
    aba->edPasta->setText(programa.caminho());
    mensagens.mostradas.clear();
    QTest::mouseClick(aba->bImprimir, Qt::LeftButton);
    ASSERT_EQ(mensagens.mostradas.size(), 1);
    EXPECT_TRUE(mensagens.mostradas[0].startsWith(
        QStringLiteral("atencao: 2ª via gravada em:\r%1/segunda_via_").arg(programa.caminho())))
        << mensagens.mostradas[0].toStdString();
    const QStringList pdfs = QDir(programa.caminho()).entryList({QStringLiteral("segunda_via_*.pdf")});
    EXPECT_EQ(pdfs.size(), 1);
    // Nothing moved: client 2's receivable is still open with its number.
    EXPECT_EQ(listado().size(), 1u);
}

// Every payment is placed or reported: a title whose number no receivable carries any more is named
// after loading, and a title paid beyond what it owes names what is left over after settling.
TEST_F(CicloRetorno, PagamentoSemContaEPagoAMaisSaoRelatados) {
    for (int c : {3, 4, 5, 6}) {
        banco.pagador(c);
        vende(c, 10 * c, 12);
    }
    instala(
        QStringLiteral("banco=001\r\ncarteira=17\r\ntamanho_convenio=7\r\n"),
        QStringLiteral("banco=11\nnum_agencia=1584\nconta_corrente=210169\nidentificacao_empresa=1234567\n"
                       "nossonumero=41\n"));
    gera(false, 6);
    // A later run gave client 6's receivable another number: the bank's payment of the old one has no home.
    const QString perdido =
        banco.conexao()
            .abre(QStringLiteral("select numero_documento from receber where clientes_id = 6"))
            .valor(0, 0)
            .texto();
    banco.conexao().executa(
        QStringLiteral("update receber set numero_documento = '9999999999' where clientes_id = 6"));
    // Client 1 owes 100 and pays 200 (plus the fee).
    simula({QStringLiteral("--valor"), QStringLiteral("1=202,50")});

    leRetorno();
    EXPECT_EQ(janela->tabImportarRet->dbLista->model()->rowCount(), 5);
    ASSERT_EQ(mensagens.mostradas.size(), 2) << mensagens.mostradas.join('\n').toStdString();
    EXPECT_EQ(mensagens.mostradas[0], QStringLiteral("atencao: Pagamentos Carregados"));
    EXPECT_TRUE(mensagens.mostradas[1].startsWith(
        QStringLiteral("atencao: 1 pagamento(s) do arquivo não corresponde(m) a nenhuma conta a receber e "
                       "não foram listados.")))
        << mensagens.mostradas[1].toStdString();
    // 62,50 paid for client 6's 60, less the fee.
    EXPECT_TRUE(mensagens.mostradas[1].contains(QStringLiteral("\rDocumento %1: R$ 60,00 em ").arg(perdido)))
        << mensagens.mostradas[1].toStdString();

    processa();
    const ResultSet doc1 = banco.conexao().abre(
        QStringLiteral("select numero_documento from receber where clientes_id = 1 limit 1"));
    EXPECT_EQ(
        mensagens.mostradas,
        QStringList{QStringLiteral("atencao: Processo concluído.\rBaixados agora: 5. Já baixados antes: 0.\r"
                                   "Pagos a mais que as contas; credite ou devolva ao cliente:\r"
                                   "Documento %1: R$ 100,00")
                        .arg(doc1.valor(0, 0).texto())});
    // The five known titles are settled in full; client 6 still owes.
    EXPECT_EQ(listado(), (std::map<int, Money>{{6, reais(60)}}));
}

INSTANTIATE_TEST_SUITE_P(Bancos, CicloPorBanco, testing::ValuesIn(instalacoes), nomeDaInstalacao);

// The CNAB 400 installations: the bolix.ini lines, the [Ruvenal] account lines and the fee the simulated
// bank takes on each paid title.
struct Instalacao400 {
    const char *nome;
    const char *bolix;
    const char *ruvenal;
    const char *tarifa;
};

void PrintTo(const Instalacao400 &i, std::ostream *os) {
    *os << i.nome;
}

const Instalacao400 instalacoes400[] = {
    {"Bradesco", "banco=237\r\ncarteira=09\r\nlayout=CNAB400\r\n",
     "banco=237\nnum_agencia=3380\nconta_corrente=0012345-6\nidentificacao_empresa=4567890\nnossonumero=41\n",
     "0"},
    {"Santander", "banco=033\r\ncarteira=101\r\ntipo_cobranca=5\r\nlayout=CNAB400\r\n",
     "banco=033\nnum_agencia=4042\nconta_corrente=013000123\nidentificacao_empresa=0282033\n"
     "OutroDadoConfiguracao2=17777751042700080112\nnossonumero=41\n",
     "1,50"},
    {"Sicredi", "banco=748\r\nposto=02\r\nbyte_geracao=2\r\nlayout=CNAB400\r\n",
     "banco=748\nnum_agencia=0165\nconta_corrente=00623-8\nidentificacao_empresa=00623\nnossonumero=41\n",
     "1,20"},
    {"Banrisul", "banco=041\r\ncarteira=1\r\nvalor_pago=4\r\nlayout=CNAB400\r\n",
     "banco=041\nnum_agencia=1102\nconta_corrente=0601234567\nidentificacao_empresa=9000150\nnossonumero="
     "41\n",
     "1,60"},
    {"Sicoob", "banco=756\r\ncarteira=1\r\nmodalidade=01\r\nlayout=CNAB400\r\n",
     "banco=756\nnum_agencia=3069\nconta_corrente=12345-6\nidentificacao_empresa=0123456\nnossonumero=41\n",
     "2,00"},
    {"Caixa", "banco=104\r\nlayout=CNAB400\r\n",
     "banco=104\nnum_agencia=0001\nconta_corrente=123\nidentificacao_empresa=123456\nnossonumero=41\n",
     "1,80"},
    {"BancoDoBrasil", "banco=001\r\ncarteira=17\r\ntamanho_convenio=7\r\nlayout=CNAB400\r\n",
     "banco=11\nnum_agencia=1584\nconta_corrente=210169\nidentificacao_empresa=1234567\nnossonumero=41\n",
     "1,45"},
};

// The installations that ask for the Pix QR. Of the paid titles the simulated bank pays title 2 through it
// (Itaú 10, Santander 06 with 511): settled as any payment.
const Instalacao400 instalacoesPix[] = {
    {"ItauPix", "banco=341\r\ncarteira=109\r\nlayout=CNAB400\r\npix=S\r\n",
     "banco=341\nnum_agencia=0057\nconta_corrente=12345-7\nnossonumero=41\n", "2,10"},
    {"SantanderPix",
     "banco=033\r\ncarteira=101\r\nlayout=CNAB400\r\npix=S\r\ntipo_chave_pix=2\r\nchave_pix="
     "12345678000195\r\n"
     "cidade_beneficiario=Curitiba\r\n",
     "banco=033\nnum_agencia=4042\nconta_corrente=013000123\nidentificacao_empresa=0282033\n"
     "OutroDadoConfiguracao2=17777751042700080112\nnossonumero=41\n",
     "1,50"},
};

class CicloCnab400PorBanco : public CicloRetorno, public testing::WithParamInterface<Instalacao400> {};

TEST_P(CicloCnab400PorBanco, BoletoComUmTituloPagoAMenos) {
    cicloCnab400(QString::fromLatin1(GetParam().bolix), QString::fromLatin1(GetParam().ruvenal),
                 QString::fromLatin1(GetParam().tarifa));
}

INSTANTIATE_TEST_SUITE_P(Bancos, CicloCnab400PorBanco, testing::ValuesIn(instalacoes400), nomeDaInstalacao);
INSTANTIATE_TEST_SUITE_P(Pix, CicloCnab400PorBanco, testing::ValuesIn(instalacoesPix), nomeDaInstalacao);

// With pix=S the bank's confirmation brings each title's QR, which "Ler Arquivo" keeps once and the 2ª via
// prints; a title later paid through its QR is settled once.
class CicloPix : public CicloCnab400PorBanco {};

TEST_P(CicloPix, QrNaSegundaViaEPagoPeloQrUmaVez) {
    instala(QString::fromLatin1(GetParam().bolix), QString::fromLatin1(GetParam().ruvenal));
    gera(false);
    // No title paid: both come back confirmed, each with its QR.
    simula({QStringLiteral("--pagos"), QStringLiteral("0")});
    leRetorno();
    EXPECT_EQ(mensagens.mostradas,
              QStringList{QStringLiteral("atencao: Não existem registro de boletos enviado "
                                         "pelo banco.\rQR Code do Pix recebido para 2 "
                                         "boleto(s).")});
    leRetorno();
    EXPECT_EQ(mensagens.mostradas,
              QStringList{QStringLiteral("atencao: Não existem registro de boletos enviado pelo banco.\rQR "
                                         "Code do Pix recebido para 0 boleto(s).\r2 boleto(s) já tinham este "
                                         "QR Code do Pix.")});
    const ResultSet pix = banco.conexao().abre(
        QStringLiteral("select p.copia_e_cola, b.codigo from ruvenal_pix p join ruvenal_boletos b on "
                       "b.boleto_id = p.boleto_id order by p.boleto_id"));
    ASSERT_EQ(pix.linhas(), 2);

    TabSegundaVia *aba = janela->tabSegundaVia;
    janela->pcPrincipal->setCurrentWidget(aba);
    QTest::mouseClick(aba->bPesquisar, Qt::LeftButton);
    QAbstractItemModel *m = aba->dbBoletos->model();
    ASSERT_EQ(m->rowCount(), 2);
    for (int l = 0; l < 2; ++l)
        m->setData(m->index(l, 0), Qt::Checked, Qt::CheckStateRole);
    aba->edPasta->setText(programa.caminho());
    QTest::mouseClick(aba->bImprimir, Qt::LeftButton);
    const QStringList pdfs = QDir(programa.caminho()).entryList({QStringLiteral("segunda_via_*.pdf")});
    ASSERT_EQ(pdfs.size(), 1);
    const QString pdf = QDir(programa.caminho()).filePath(pdfs[0]);
    // Printed in the listed order, newest first: client 2, then client 1.
    for (int p = 1; p <= 2; ++p) {
        EXPECT_EQ(pix.valor(2 - p, "codigo").inteiro(), 3 - p);
        EXPECT_EQ(leitura::codigosDeBarras(pdf, p, QStringLiteral("qrcode")),
                  QStringList{pix.valor(2 - p, "copia_e_cola").texto()});
    }

    // Title 2 paid through its QR, title 1 confirmed again with the same QR.
    simula({QStringLiteral("--pagos"), QStringLiteral("2")});
    leRetorno();
    EXPECT_EQ(mensagens.mostradas,
              QStringList{QStringLiteral("atencao: Pagamentos Carregados\rQR Code do Pix recebido para 0 "
                                         "boleto(s).\r1 boleto(s) já tinham este QR Code do Pix.")});
    processa();
    leRetorno();
    processa();
    EXPECT_EQ(coluna("amort"), (std::vector<Money>{Money(), Money(), reais(100)}));
    EXPECT_EQ(banco.conexao().abre(QStringLiteral("select count(*) from movment")).valor(0, 0).inteiro(), 1);
}

INSTANTIATE_TEST_SUITE_P(Pix, CicloPix, testing::ValuesIn(instalacoesPix), nomeDaInstalacao);

// Caixa's CNAB 240 gives no QR, only its status as a reason of the entry (P1 registered with the QR) and a
// payment through it as 06 with reason 61: the status is reported, the payment settled once.
TEST_F(CicloRetorno, Cnab240DaCaixaComPixSituacaoRelatadaEPagamentoUmaVez) {
    instala(QStringLiteral("banco=104\r\npix=S\r\n"),
            QStringLiteral("banco=104\nnum_agencia=0001\nconta_corrente=123\nidentificacao_empresa=123456\n"
                           "nossonumero=41\n"));
    gera(false);
    simula({QStringLiteral("--pagos"), QStringLiteral("1")});
    QFile ret(retorno());
    ASSERT_TRUE(ret.open(QIODevice::ReadWrite));
    QList<QByteArray> linhas = ret.readAll().split('\n');
    int segmentos = 0;
    for (QByteArray &l : linhas)
        if (l.size() >= 240 && l[7] == '3' && l[13] == 'T') {
            l.replace(213, 2, l.mid(15, 2) == "06" ? "61" : "P1");
            ++segmentos;
        }
    ASSERT_EQ(segmentos, 2);
    ret.resize(0);
    ret.write(linhas.join('\n'));
    ret.close();

    leRetorno();
    ASSERT_EQ(mensagens.mostradas.size(), 1);
    EXPECT_TRUE(mensagens.mostradas[0].startsWith(QStringLiteral("atencao: Pagamentos Carregados\r")));
    EXPECT_TRUE(
        mensagens.mostradas[0].contains(QStringLiteral("P1 - registrado com QR Code PIX: 1 boleto(s)")))
        << mensagens.mostradas[0].toStdString();
    ASSERT_EQ(janela->tabImportarRet->dbLista->model()->rowCount(), 1);
    processa();
    leRetorno();
    processa();
    EXPECT_EQ(mensagens.mostradas,
              QStringList{
                  QStringLiteral("atencao: Processo concluído.\rBaixados agora: 0. Já baixados antes: 1.")});
    EXPECT_EQ(banco.conexao().abre(QStringLiteral("select count(*) from movment")).valor(0, 0).inteiro(), 2);
}

// Itaú credits net of its fee; the paid amount is still what the payer paid.
TEST_F(CicloRetorno, Cnab400DoItauComTarifaEUmTituloPagoAMenos) {
    cicloCnab400(QStringLiteral("banco=341\r\ncarteira=109\r\nlayout=CNAB400\r\n"),
                 QStringLiteral("banco=341\nnum_agencia=0057\nconta_corrente=12345-7\nnossonumero=41\n"),
                 QStringLiteral("2,10"));

    // A later file reports the same payments as 10, "baixa por ter sido liquidado", on another day: the
    // record knows them by document, credit date and amount, and nothing is settled twice.
    QFile ret(retorno());
    ASSERT_TRUE(ret.open(QIODevice::ReadWrite));
    QList<QByteArray> linhas = ret.readAll().split('\n');
    for (QByteArray &l : linhas)
        if (l.startsWith('1') && l.mid(108, 2) == "06")
            l.replace(108, 8,
                      "10" + QDate::fromString(QString::fromLatin1(l.mid(110, 6)), u"ddMMyy")
                                 .addDays(3)
                                 .toString(u"ddMMyy")
                                 .toLatin1());
    ret.resize(0);
    ret.write(linhas.join('\n'));
    ret.close();
    recarregaSemBaixarNada();
}

TEST_F(CicloRetorno, DebitoDoBanco356ComUmDebitoRecusado) {
    instala(QStringLiteral("banco=356\r\ncarteira=20\r\n"),
            QStringLiteral("banco=356\nnum_agencia=0501\nconta_corrente=6703255\nnossonumero=3020\n"));
    gera(true);
    // Debit 2 (client 2) comes back with code 01, insufficient funds.
    simula({QStringLiteral("--codigo"), QStringLiteral("2=01")});
    carregaEProcessa();
    ASSERT_EQ(mensagens.mostradas.size(), 2);
    EXPECT_TRUE(mensagens.mostradas[0].startsWith(
        QStringLiteral("atencao: Existem 1 registro de débitos automático")));
    EXPECT_EQ(janela->tabImportarRet->lblQtdeReg->text(), QStringLiteral("2"));
    EXPECT_EQ(janela->tabImportarRet->lblTotNDebitado->text(), QStringLiteral("89,9"));

    EXPECT_EQ(coluna("amort"), (std::vector<Money>{reais(100), reais(100), Money()}));
    const ResultSet r =
        banco.conexao().abre(QStringLiteral("select lojas_leram2 from receber order by receber_id"));
    EXPECT_FALSE(r.valor(0, 0).texto().isEmpty());
    // Released for the next debit file.
    EXPECT_EQ(r.valor(2, 0).texto(), QString());
    EXPECT_EQ(listado(), (std::map<int, Money>{{2, reais(89.9)}}));
}

// Santander's plain 09 (its write-off, the form a Pix payment takes by default) with the fee in 254-266 and
// no credit date: "Ler Arquivo" lists the paid title alone, then names the write-off with the bank's words
// and what the store may ask the bank; "Processar" settles nothing for it.
TEST_F(CicloRetorno, BaixaDoSantanderListadaENaoBaixada) {
    instala(QString::fromLatin1(instalacoes400[1].bolix), QString::fromLatin1(instalacoes400[1].ruvenal));
    gera(false);
    simula({QStringLiteral("--pagos"), QStringLiteral("1")});
    QFile ret(retorno());
    ASSERT_TRUE(ret.open(QIODevice::ReadWrite));
    QList<QByteArray> linhas = ret.readAll().split('\n');
    ASSERT_EQ(linhas[2].left(1), "1");
    const QByteArray documento = linhas[2].mid(116, 10);
    linhas[2].replace(108, 2, "09").replace(253, 13, "0000000000210").replace(295, 6, "      ");
    ret.resize(0);
    ret.write(linhas.join('\n'));
    ret.close();
    leRetorno();
    ASSERT_EQ(mensagens.mostradas.size(), 2) << mensagens.mostradas.join('\n').toStdString();
    EXPECT_EQ(mensagens.mostradas[0], QStringLiteral("atencao: Pagamentos Carregados"));
    EXPECT_TRUE(mensagens.mostradas[1].startsWith(
        QStringLiteral("atencao: 1 título(s) baixado(s) pelo banco sem pagamento; nenhuma conta foi baixada "
                       "por eles:\rDocumento %1, nosso número ")
            .arg(QString::fromLatin1(documento))))
        << mensagens.mostradas[1].toStdString();
    EXPECT_TRUE(mensagens.mostradas[1].contains(
        QStringLiteral(": 09 - baixa automática\rSe um título baixado foi pago por Pix, peça ao Santander")))
        << mensagens.mostradas[1].toStdString();
    EXPECT_EQ(janela->tabImportarRet->dbLista->model()->rowCount(), 1);
    processa();
    EXPECT_EQ(coluna("amort"), (std::vector<Money>{reais(100), reais(100), Money()}));
}

} // namespace
