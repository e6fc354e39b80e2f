// The import page of the main window, driven as the operator drives it.

#include "retorno/RetornosBaixados.h"
#include "tests/app/JanelaDeTeste.h"
#include "tests/retorno/RetornoDeTeste.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString Carregados = QStringLiteral("atencao: Pagamentos Carregados");
const QString Concluido = QStringLiteral("atencao: Processo concluído.");

// A started window over two clients whose receivables went out as direct debits 00001234 and 00001235.
class ImportarRetorno : public testing::Test {
protected:
    void SetUp() override {
        banco.empresa(1);
        banco.cliente(1, {{"saldomes", 500}});
        banco.cliente(2);
        const QDateTime agora = banco.conexao().abre(QStringLiteral("select now()")).valor(0, 0).dataHora();
        banco.receber({{"clientes_id", 1},
                       {"numero_documento", "0000001234"},
                       {"lojas_leram2", "00001234"},
                       {"datahora", agora}});
        banco.receber({{"clientes_id", 2},
                       {"valor", 50},
                       {"valortotal", 50},
                       {"numero_documento", "0000001235"},
                       {"lojas_leram2", "00001235"},
                       {"tipo", 0}});
        programa.iniPara(banco, QStringLiteral("[Ruvenal]\nvalor_taxa=2,5\n"));
        bool ok = false;
        janela = programa.inicia(&ok);
        ASSERT_TRUE(ok) << mensagens.mostradas.join('\n').toStdString();
        janela->show();
        janela->pcPrincipal->setCurrentWidget(janela->tabImportarRet);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(janela.get()));
    }

    QString arquivo(const QString &nome, const QByteArray &conteudo) {
        const QString caminho = QDir(programa.caminho()).filePath(nome);
        QFile f(caminho);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(conteudo);
        return caminho;
    }
    QString debitos() {
        return arquivo(QStringLiteral("debito.ret"),
                       BytesDoRetorno(RetornoDebito({LinhaDebito("00001234", 10000, "00"),
                                                     LinhaDebito("00009999", 3000, "00"),
                                                     LinhaDebito("00001235", 5000, "01")})));
    }
    void le(const QString &caminho) {
        janela->fnLocalLeitura->setText(caminho);
        mensagens.mostradas.clear();
        QTest::mouseClick(janela->butLerArquivo, Qt::LeftButton);
    }
    void processa() {
        mensagens.mostradas.clear();
        QTest::mouseClick(janela->butProcessar, Qt::LeftButton);
    }
    QString celula(int linha, int coluna) const {
        return janela->dbLista->model()->index(linha, coluna).data().toString();
    }
    qint64 movimentos() {
        return banco.conexao()
            .abre(QStringLiteral("select count(*) from movment"))
            .valor(0, 0)
            .inteiroLongo();
    }
    QString enderecoLeitura() {
        QFile f(QDir(programa.caminho()).filePath(QStringLiteral("sistema_zel.ini")));
        f.open(QIODevice::ReadOnly);
        for (const QByteArray &l : f.readAll().split('\n'))
            if (l.startsWith("endereco_leitura="))
                return QString::fromLatin1(l.mid(17).trimmed());
        return {};
    }

    MensagensGravadas mensagens;
    BancoDeTeste banco;
    PastaDoPrograma programa;
    std::unique_ptr<TFRuvenal> janela;
};

TEST_F(ImportarRetorno, PaginaComoOOperadorConhece) {
    EXPECT_FALSE(janela->painelTotais->isVisible());
    EXPECT_FALSE(janela->butProcessar->isEnabled());
    EXPECT_FALSE(janela->pbRetorno->isVisible());
    for (const char *nome : {"Label9", "Label10", "Label11", "Label12", "Label16", "lblTotDebitado",
                             "lblTotNDebitado", "lblQtdeReg"})
        EXPECT_EQ(janela->painelTotais->findChild<QWidget *>(QLatin1String(nome))->parentWidget(),
                  janela->painelTotais)
            << nome;
    QAbstractItemModel *m = janela->dbLista->model();
    const char *titulos[] = {
        "Código", "Nome", "Valor Receber", "Valor Pago", "Número Documento", "Motivo da Ocorrência"};
    ASSERT_EQ(m->columnCount(), 6);
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(m->headerData(c, Qt::Horizontal).toString(), QString::fromUtf8(titulos[c]));
    for (auto [c, largura] : {std::pair{0, 62}, {1, 223}, {2, 91}, {3, 70}})
        EXPECT_EQ(janela->dbLista->columnWidth(c), largura) << c;
    EXPECT_TRUE(janela->dbLista->verticalHeader()->isVisible());
    EXPECT_EQ(janela->dbLista->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(janela->dbLista->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(ImportarRetorno, DebitoCarregaTotaisLinhasEEndereco) {
    const QString caminho = debitos();
    le(QStringLiteral("  \"") + caminho + QStringLiteral("\" "));
    // The debit of 30,00 that no receivable carries is listed nowhere: it is reported.
    ASSERT_EQ(mensagens.mostradas.size(), 2);
    EXPECT_EQ(mensagens.mostradas[0], Carregados);
    EXPECT_TRUE(mensagens.mostradas[1].startsWith(
        QStringLiteral("atencao: 1 pagamento(s) do arquivo não corresponde(m) a nenhuma conta a receber")))
        << mensagens.mostradas[1].toStdString();
    EXPECT_TRUE(mensagens.mostradas[1].contains(u"\rDébito 00009999: R$ 30,00"))
        << mensagens.mostradas[1].toStdString();
    EXPECT_TRUE(janela->painelTotais->isVisible());
    EXPECT_EQ(janela->lblTotDebitado->text(), QStringLiteral("97,5"));
    EXPECT_EQ(janela->lblTotNDebitado->text(), QStringLiteral("47,5"));
    EXPECT_EQ(janela->lblQtdeReg->text(), QStringLiteral("2"));
    ASSERT_EQ(janela->dbLista->model()->rowCount(), 2);
    EXPECT_EQ(
        QStringList({celula(0, 0), celula(0, 1), celula(0, 2), celula(0, 3), celula(0, 4), celula(0, 5)}),
        QStringList({"1", "Cliente 1", "R$ 100,00", "R$ 97,50", "0000001234", "Débito efetuado."}));
    EXPECT_EQ(celula(1, 5), QStringLiteral("Débito não efetuado - Insuficiência de fundos."));
    EXPECT_TRUE(janela->butProcessar->isEnabled());
    EXPECT_TRUE(janela->butLerArquivo->isEnabled());
    EXPECT_FALSE(janela->pbRetorno->isVisible());
    // The edit's text as it was typed, quotes and blanks included.
    EXPECT_EQ(enderecoLeitura(), QStringLiteral("\"") + caminho + QStringLiteral("\""));
}

TEST_F(ImportarRetorno, ProcessaUmaVezPorCarga) {
    le(debitos());
    processa();
    EXPECT_EQ(mensagens.mostradas,
              QStringList({QStringLiteral(
                               "atencao: Existem 1 registro de débitos automático que não foram creditados "
                               "em sua conta,\rpor isso não serão baixados as contas deste clientes. Gere "
                               "novamente o arquivo de débito em conta para estes clientes."),
                           Concluido}));
    EXPECT_EQ(movimentos(), 1);
    const ResultSet r =
        banco.conexao().abre(QStringLiteral("select amort, lojas_leram2 from receber order by receber_id"));
    EXPECT_EQ(r.valor(0, "amort").dinheiro(), Money::deCentavos(9750));
    EXPECT_EQ(r.valor(1, "lojas_leram2").texto(), QString());
    EXPECT_EQ(banco.conexao()
                  .abre(QStringLiteral("select saldomes from clientes where clientes_id = 1"))
                  .valor(0, 0)
                  .dinheiro(),
              Money::deCentavos(40250));
    // The list stays; the button waits for the next loading.
    EXPECT_EQ(janela->dbLista->model()->rowCount(), 2);
    EXPECT_FALSE(janela->butProcessar->isEnabled());
    EXPECT_TRUE(janela->butLerArquivo->isEnabled());

    // The same file again is recognised: the operator says no, nothing is settled twice.
    le(debitos());
    ASSERT_TRUE(janela->butProcessar->isEnabled());
    mensagens.respostas = {Mensagens::Resposta::Nao};
    processa();
    ASSERT_EQ(mensagens.mostradas.size(), 1);
    EXPECT_TRUE(mensagens.mostradas[0].startsWith(
        QStringLiteral("pergunta: Este arquivo retorno já foi processado em ")));
    EXPECT_EQ(movimentos(), 1);
    EXPECT_TRUE(janela->butProcessar->isEnabled());
    // And yes settles it again, as asked.
    processa();
    EXPECT_EQ(mensagens.mostradas.last(), Concluido);
    EXPECT_EQ(movimentos(), 2);
    EXPECT_FALSE(janela->butProcessar->isEnabled());
}

TEST_F(ImportarRetorno, ArquivoQueSumiuDepoisDeCarregarAindaRecusaOsDebitos) {
    le(debitos());
    ASSERT_TRUE(QFile::remove(QDir(programa.caminho()).filePath(QStringLiteral("debito.ret"))));
    processa();
    EXPECT_EQ(mensagens.mostradas.size(), 2);
    // Settled as the direct-debit list it was loaded as: the refused debit is released, not paid.
    EXPECT_EQ(movimentos(), 1);
    EXPECT_EQ(banco.conexao()
                  .abre(QStringLiteral("select amort from receber where receber_id = 2"))
                  .valor(0, 0)
                  .dinheiro(),
              Money());
}

TEST_F(ImportarRetorno, ArquivoVazioDizQueEstaVazioENadaMuda) {
    le(debitos());
    le(arquivo(QStringLiteral("vazio.ret"), {}));
    ASSERT_EQ(mensagens.mostradas.size(), 1);
    EXPECT_TRUE(mensagens.mostradas[0].startsWith(QStringLiteral("erro: O arquivo retorno ")));
    EXPECT_TRUE(mensagens.mostradas[0].endsWith(QStringLiteral("vazio.ret está vazio.")));
    EXPECT_EQ(janela->dbLista->model()->rowCount(), 2);
    EXPECT_TRUE(janela->butProcessar->isEnabled());
    EXPECT_TRUE(enderecoLeitura().endsWith(QStringLiteral("debito.ret")));
}

TEST_F(ImportarRetorno, ArquivoAusenteGravaOEnderecoEMantemALista) {
    le(QDir(programa.caminho()).filePath(QStringLiteral("nao.ret")));
    EXPECT_EQ(mensagens.mostradas,
              QStringList{QStringLiteral("atencao: Não existem registro de boletos enviado pelo banco.")});
    EXPECT_TRUE(enderecoLeitura().endsWith(QStringLiteral("nao.ret")));
    le(debitos());
    le(QDir(programa.caminho()).filePath(QStringLiteral("nao.ret")));
    EXPECT_EQ(mensagens.mostradas, QStringList{Carregados});
    EXPECT_TRUE(janela->painelTotais->isVisible());
}

TEST_F(ImportarRetorno, LinhaRuimNomeiaALinhaENaoTrocaALista) {
    le(debitos());
    QString ruim = LinhaDebito("00001234", 100, "00");
    ruim[60] = u'X';
    le(arquivo(QStringLiteral("ruim.ret"), BytesDoRetorno(RetornoDebito({ruim}))));
    EXPECT_EQ(mensagens.mostradas,
              QStringList{QStringLiteral("erro: Arquivo retorno, linha 2: o valor (posições 53 a 67) "
                                         "\"00000000X000100\" não é um número.")});
    EXPECT_EQ(janela->dbLista->model()->rowCount(), 2);
}

TEST_F(ImportarRetorno, UmaOuDuasLinhasNaoListamNada) {
    le(arquivo(QStringLiteral("curto.ret"), BytesDoRetorno(RetornoDebito({}))));
    EXPECT_EQ(mensagens.mostradas,
              QStringList{QStringLiteral("atencao: Não existem registro de boletos enviado pelo banco.")});
    EXPECT_EQ(janela->lblTotDebitado->text(), QStringLiteral("0"));
    EXPECT_EQ(janela->lblTotNDebitado->text(), QStringLiteral("0"));
    EXPECT_EQ(janela->lblQtdeReg->text(), QStringLiteral("0"));
    EXPECT_FALSE(janela->butProcessar->isEnabled());
}

TEST_F(ImportarRetorno, NomeComAspasSimplesNaoEncontrado) {
    const QString caminho = debitos();
    // Quotes in the name: the name without them exists, so the boleto path tests the name as typed.
    QFile::copy(caminho, QDir(programa.caminho()).filePath(QStringLiteral("boleto.ret")));
    QFile f(QDir(programa.caminho()).filePath(QStringLiteral("boleto.ret")));
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write("cabecalho de outro banco\r\n");
    f.close();
    const QString comAspa = QDir(programa.caminho()).filePath(QStringLiteral("bol'eto.ret"));
    le(comAspa);
    EXPECT_EQ(mensagens.mostradas,
              QStringList{QStringLiteral("mensagem: Arquivo: ") + comAspa +
                          QStringLiteral(" não encontrado.\rInsira o diretório correto.")});
    EXPECT_EQ(enderecoLeitura(), QString());
}

} // namespace
