// The import page of the main window, driven as the operator drives it.

#include "retorno/ArquivoRetorno.h"
#include "retorno/BaixasRegistradas.h"
#include "retorno/ModeloOcorrencias.h"
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
QString concluido(int agora, int antes) {
    return QStringLiteral("atencao: Processo concluído.\rBaixados agora: %1. Já baixados antes: %2.")
        .arg(agora)
        .arg(antes);
}

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
        janela->tabImportarRet->fnLocalLeitura->setText(caminho);
        mensagens.mostradas.clear();
        QTest::mouseClick(janela->tabImportarRet->butLerArquivo, Qt::LeftButton);
    }
    void processa() {
        mensagens.mostradas.clear();
        QTest::mouseClick(janela->tabImportarRet->butProcessar, Qt::LeftButton);
    }
    QString celula(int linha, int coluna) const {
        return janela->tabImportarRet->dbLista->model()->index(linha, coluna).data().toString();
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
    EXPECT_FALSE(janela->tabImportarRet->painelTotais->isVisible());
    EXPECT_FALSE(janela->tabImportarRet->butProcessar->isEnabled());
    EXPECT_FALSE(janela->tabImportarRet->pbRetorno->isVisible());
    for (const char *nome : {"Label9", "Label10", "Label11", "Label12", "Label16", "lblTotDebitado",
                             "lblTotNDebitado", "lblQtdeReg"})
        EXPECT_EQ(
            janela->tabImportarRet->painelTotais->findChild<QWidget *>(QLatin1String(nome))->parentWidget(),
            janela->tabImportarRet->painelTotais)
            << nome;
    QAbstractItemModel *m = janela->tabImportarRet->dbLista->model();
    const char *titulos[] = {
        "Código", "Nome", "Valor Receber", "Valor Pago", "Número Documento", "Motivo da Ocorrência"};
    ASSERT_EQ(m->columnCount(), 6);
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(m->headerData(c, Qt::Horizontal).toString(), QString::fromUtf8(titulos[c]));
    for (auto [c, largura] : {std::pair{0, 62}, {1, 223}, {2, 91}, {3, 70}})
        EXPECT_EQ(janela->tabImportarRet->dbLista->columnWidth(c), largura) << c;
    EXPECT_TRUE(janela->tabImportarRet->dbLista->verticalHeader()->isVisible());
    EXPECT_EQ(janela->tabImportarRet->dbLista->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(janela->tabImportarRet->dbLista->editTriggers(), QAbstractItemView::NoEditTriggers);
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
    EXPECT_TRUE(mensagens.mostradas[1].contains(u"\rDébito 00009999: R$ 27,50"))
        << mensagens.mostradas[1].toStdString();
    EXPECT_TRUE(janela->tabImportarRet->painelTotais->isVisible());
    EXPECT_EQ(janela->tabImportarRet->lblTotDebitado->text(), QStringLiteral("97,5"));
    EXPECT_EQ(janela->tabImportarRet->lblTotNDebitado->text(), QStringLiteral("47,5"));
    EXPECT_EQ(janela->tabImportarRet->lblQtdeReg->text(), QStringLiteral("2"));
    ASSERT_EQ(janela->tabImportarRet->dbLista->model()->rowCount(), 2);
    EXPECT_EQ(
        QStringList({celula(0, 0), celula(0, 1), celula(0, 2), celula(0, 3), celula(0, 4), celula(0, 5)}),
        QStringList({"1", "Cliente 1", "R$ 100,00", "R$ 97,50", "0000001234", "Débito efetuado."}));
    EXPECT_EQ(celula(1, 5), QStringLiteral("Débito não efetuado - Insuficiência de fundos."));
    EXPECT_TRUE(janela->tabImportarRet->butProcessar->isEnabled());
    EXPECT_TRUE(janela->tabImportarRet->butLerArquivo->isEnabled());
    EXPECT_FALSE(janela->tabImportarRet->pbRetorno->isVisible());
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
                           concluido(2, 0)}));
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
    EXPECT_EQ(janela->tabImportarRet->dbLista->model()->rowCount(), 2);
    EXPECT_FALSE(janela->tabImportarRet->butProcessar->isEnabled());
    EXPECT_TRUE(janela->tabImportarRet->butLerArquivo->isEnabled());

    // The list shows what it settled.
    EXPECT_TRUE(
        janela->tabImportarRet->dbLista->model()->index(0, 0).data(ModeloOcorrencias::PapelBaixada).toBool());

    // The same file again is recognised: shown settled, and "Processar" settles nothing twice.
    le(debitos());
    // The second message names the debit that matches nothing.
    EXPECT_EQ(mensagens.mostradas.value(0),
              Carregados + QStringLiteral("\rTodos os pagamentos deste arquivo "
                                          "já foram baixados; \"Processar\" não "
                                          "baixa nada."));
    // The released debit is no longer listed: its receivables wait for the next debit file.
    ASSERT_EQ(janela->tabImportarRet->dbLista->model()->rowCount(), 1);
    EXPECT_TRUE(
        janela->tabImportarRet->dbLista->model()->index(0, 0).data(ModeloOcorrencias::PapelBaixada).toBool());
    ASSERT_TRUE(janela->tabImportarRet->butProcessar->isEnabled());
    processa();
    EXPECT_EQ(mensagens.mostradas, QStringList{concluido(0, 1)});
    EXPECT_EQ(movimentos(), 1);
    EXPECT_FALSE(QFile::exists(QDir(programa.caminho()).filePath(QStringLiteral("retornos_baixados.txt"))));
}

// A store that upgrades keeps its history: the files of the old settled-files list count as settled, and
// the list is read once and not written again.
TEST_F(ImportarRetorno, ListaAntigaDeRetornosBaixadosContaComoBaixada) {
    const QString caminho = debitos();
    QFile bytes(caminho);
    ASSERT_TRUE(bytes.open(QIODevice::ReadOnly));
    const QString antiga = QDir(programa.caminho()).filePath(QStringLiteral("retornos_baixados.txt"));
    QFile f(antiga);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    // The last record written onto a line without its end, as the old list could hold it.
    f.write(QByteArray(64, 'c') + " 2026-01-05 09:12:00 C:\\CB0105.ret" +
            ImpressaoDoArquivo(bytes.readAll()) + " 2026-02-01 08:00:00 " + caminho.toLatin1());
    f.close();

    le(caminho);
    EXPECT_EQ(mensagens.mostradas.size(), 2); // and the debit that matches nothing
    EXPECT_TRUE(mensagens.mostradas[0].endsWith(QStringLiteral("\"Processar\" não baixa nada.")))
        << mensagens.mostradas[0].toStdString();
    processa();
    EXPECT_EQ(mensagens.mostradas, QStringList{concluido(0, 2)});
    EXPECT_EQ(movimentos(), 0);
    EXPECT_FALSE(QFile::exists(antiga));
}

// Part of the list settled before: the legend tells the colour, the load message the count.
TEST_F(ImportarRetorno, ParteJaBaixadaMostraQuantasEALegenda) {
    banco.conexao().executa(sqlCriaBaixasRegistradas());
    banco.conexao().executa(
        QStringLiteral("insert into ruvenal_baixas (tipo, chave, data_pagamento, valor_pago, "
                       "situacao, impressao, baixado_em) values ('D', '00001235', '', 0, 'L', "
                       "'x', now())"));
    le(debitos());
    EXPECT_EQ(mensagens.mostradas.value(0),
              Carregados + QStringLiteral("\r1 dos 2 pagamentos deste arquivo já foram baixados; "
                                          "\"Processar\" baixa só os demais."));
    EXPECT_FALSE(
        janela->tabImportarRet->dbLista->model()->index(0, 0).data(ModeloOcorrencias::PapelBaixada).toBool());
    EXPECT_TRUE(
        janela->tabImportarRet->dbLista->model()->index(1, 0).data(ModeloOcorrencias::PapelBaixada).toBool());
    EXPECT_EQ(janela->findChild<QLabel *>(QStringLiteral("LabelJaBaixados"))->text(),
              QStringLiteral("Já baixados"));
    EXPECT_TRUE(janela->findChild<QWidget *>(QStringLiteral("ShapeJaBaixados"))->isVisible());
    processa();
    // The refused debit was released before: no message about it now.
    EXPECT_EQ(mensagens.mostradas, QStringList{concluido(1, 1)});
    EXPECT_EQ(movimentos(), 1);
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
    EXPECT_EQ(janela->tabImportarRet->dbLista->model()->rowCount(), 2);
    EXPECT_TRUE(janela->tabImportarRet->butProcessar->isEnabled());
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
    EXPECT_TRUE(janela->tabImportarRet->painelTotais->isVisible());
}

TEST_F(ImportarRetorno, LinhaRuimNomeiaALinhaENaoTrocaALista) {
    le(debitos());
    QString ruim = LinhaDebito("00001234", 100, "00");
    ruim[60] = u'X';
    le(arquivo(QStringLiteral("ruim.ret"), BytesDoRetorno(RetornoDebito({ruim}))));
    EXPECT_EQ(mensagens.mostradas,
              QStringList{QStringLiteral("erro: Arquivo retorno, linha 2: o valor (posições 53 a 67) "
                                         "\"00000000X000100\" não é um número.")});
    EXPECT_EQ(janela->tabImportarRet->dbLista->model()->rowCount(), 2);
}

TEST_F(ImportarRetorno, UmaOuDuasLinhasNaoListamNada) {
    le(arquivo(QStringLiteral("curto.ret"), BytesDoRetorno(RetornoDebito({}))));
    EXPECT_EQ(mensagens.mostradas,
              QStringList{QStringLiteral("atencao: Não existem registro de boletos enviado pelo banco.")});
    EXPECT_EQ(janela->tabImportarRet->lblTotDebitado->text(), QStringLiteral("0"));
    EXPECT_EQ(janela->tabImportarRet->lblTotNDebitado->text(), QStringLiteral("0"));
    EXPECT_EQ(janela->tabImportarRet->lblQtdeReg->text(), QStringLiteral("0"));
    EXPECT_FALSE(janela->tabImportarRet->butProcessar->isEnabled());
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
