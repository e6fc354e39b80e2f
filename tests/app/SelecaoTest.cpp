#include "db/ResultSet.h"
#include "tests/app/JanelaDeTeste.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString recusa =
    QStringLiteral("atencao: Esse cliente está com uma conta corrente ou agência inválida. \r"
                   "Defina os dados corretamente no Cadastro de Clientes no SistemaZEL");

// A started window over company 1 (2 % fine, 0.5 % a day) and three clients sold today:
// client 1 owes 100 due yesterday (102,50 with fine and interest), client 2 owes 200 and has no usable
// account, client 3 owes 1.000,10. Company 2 has no clients yet.
class Selecao : public testing::Test {
protected:
    void SetUp() override {
        hoje = banco.conexao().abre(QStringLiteral("select curdate()")).valor(0, 0).data();
        banco.empresa(1, {{"multa", 2}, {"jurosdia", 0.5}});
        banco.empresa(2);
        banco.cliente(1, {{"agencia", "1234"}, {"cc", "5678-9"}});
        banco.cliente(2, {{"agencia", "0000"}, {"cc", "1"}});
        banco.cliente(3, {{"agencia", "12-3"}, {"cc", "45.678-9"}});
        recebe(1, 100, -1);
        recebe(2, 200, 0);
        recebe(3, 1000.10, 0);
        programa.iniPara(banco, QStringLiteral("[Ruvenal]\ncod_empresa=1\n"));
        bool ok = false;
        janela = programa.inicia(&ok);
        ASSERT_TRUE(ok) << mensagens.mostradas.join('\n').toStdString();
        janela->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(janela.get()));
        janela->tabExporta->dtDataInicial->setDate(hoje);
        janela->tabExporta->dtDataFinal->setDate(hoje);
    }

    void recebe(int cliente, double valor, int diasParaVencer) {
        banco.receber({{"clientes_id", cliente},
                       {"valortotal", valor},
                       {"datahora", QDateTime(hoje, QTime(10, 0))},
                       {"vencimento", hoje.addDays(diasParaVencer)}});
    }
    void lista() { QTest::mouseClick(janela->tabExporta->sbListarFunc, Qt::LeftButton); }
    void tecla(Qt::Key k) {
        QWidget *grade = janela->tabExporta->rbEmpresa->isChecked() ? janela->tabExporta->dbEmpresas
                                                                    : janela->tabExporta->dbFuncs;
        QTest::keyClick(grade, k);
    }
    // The grid row of a client in the per-client listing.
    int linhaDoCliente(int cliente) const {
        const ResultSet *r = janela->tabExporta->QListaFunc();
        for (int l = 0; r && l < r->linhas(); ++l)
            if (r->valor(l, "clientes_id").inteiro() == cliente)
                return l;
        return -1;
    }
    QString marcas() const {
        QString m;
        for (int c = 1; c <= 3; ++c)
            m += janela->tabExporta->QListaFunc()->valor(linhaDoCliente(c), "marcado").texto();
        return m;
    }
    void vaiParaCliente(int cliente) {
        janela->tabExporta->dbFuncs->setCurrentIndex(
            janela->tabExporta->dbFuncs->model()->index(linhaDoCliente(cliente), 0));
    }
    QString totais() const {
        return janela->tabExporta->labTotGeral->text() + " / " + janela->tabExporta->labTotMarc->text();
    }

    BancoDeTeste banco;
    MensagensGravadas mensagens;
    PastaDoPrograma programa;
    std::unique_ptr<TFRuvenal> janela;
    QDate hoje;
};

TEST_F(Selecao, ListagemPorClienteMostraColunasETotais) {
    EXPECT_TRUE(janela->tabExporta->dbFuncs->isColumnHidden(5));
    lista();
    ASSERT_NE(janela->tabExporta->QListaFunc(), nullptr);
    EXPECT_EQ(janela->tabExporta->QListaFunc()->linhas(), 3);
    EXPECT_TRUE(mensagens.mostradas.isEmpty()) << mensagens.mostradas.join('\n').toStdString();
    EXPECT_EQ(totais(), QStringLiteral("R$ 1.302,60 / R$ 0,00"));
    EXPECT_EQ(janela->estado().CampoData, QStringLiteral("datahora"));
    EXPECT_EQ(janela->tabExporta->dbFuncs->currentIndex().row(), 0);
    EXPECT_TRUE(janela->tabExporta->sbListarFunc->isEnabled());

    QAbstractItemModel *m = janela->tabExporta->dbFuncs->model();
    QStringList colunas;
    for (int c = 0; c < m->columnCount(); ++c)
        colunas << m->headerData(c, Qt::Horizontal).toString() + QLatin1Char(' ') +
                       (janela->tabExporta->dbFuncs->isColumnHidden(c)
                            ? QStringLiteral("oculta")
                            : QString::number(janela->tabExporta->dbFuncs->columnWidth(c)));
    EXPECT_EQ(colunas.join(QStringLiteral(", ")).toStdString(),
              "Código 77, Nome 200, Cidade 98, CPF 94, Valor Total 90, Vencimento oculta");
    EXPECT_EQ(m->index(linhaDoCliente(1), 4).data().toString(), QStringLiteral("R$ 102,50"));

    // Grouped by due date the due date shows.
    QTest::mouseClick(janela->tabExporta->CheckBox1, Qt::LeftButton);
    janela->tabExporta->ComboBox1->setCurrentIndex(1);
    lista();
    EXPECT_FALSE(janela->tabExporta->dbFuncs->isColumnHidden(5));
    EXPECT_EQ(janela->tabExporta->dbFuncs->columnWidth(5), 70);
    EXPECT_EQ(janela->estado().CampoData, QStringLiteral("vencimento"));
    // By due date the period (today) leaves client 1, due yesterday, out.
    EXPECT_EQ(janela->tabExporta->QListaFunc()->linhas(), 2);
    EXPECT_EQ(m->index(0, 5).data().toString(), hoje.toString(u"dd/MM/yyyy"));
}

TEST_F(Selecao, ListaOsClientesDaEmpresaEscolhidaPorCodigoOuPorNome) {
    banco.cliente(4, {{"empresa_id", 2}});
    recebe(4, 44, 0);
    const std::function<void()> escolhas[] = {
        [&] { janela->tabExporta->edCodEmpres->setText(QStringLiteral("2")); },
        [&] {
            emit janela->tabExporta->lkEmpresa->activated(
                janela->tabExporta->lkEmpresa->findText(QStringLiteral("Empresa 2")));
        }};
    for (const auto &escolhe : escolhas) {
        janela->tabExporta->edCodEmpres->setText(QStringLiteral("1"));
        escolhe();
        EXPECT_EQ(janela->tabExporta->edCodEmpres->text(), QStringLiteral("2"));
        EXPECT_EQ(janela->tabExporta->lkEmpresa->currentText(), QStringLiteral("Empresa 2"));
        lista();
        ASSERT_EQ(janela->tabExporta->QListaFunc()->linhas(), 1);
        EXPECT_EQ(janela->tabExporta->QListaFunc()->valor(0, "clientes_id").inteiro(), 4);
        EXPECT_EQ(totais(), QStringLiteral("R$ 44,00 / R$ 0,00"));
    }
}

TEST_F(Selecao, F5ComDebitoRecusaContaInvalidaESemDebitoMarca) {
    lista();
    QTest::mouseClick(janela->tabExporta->checkDebitoCC, Qt::LeftButton);
    vaiParaCliente(2);
    tecla(Qt::Key_F5);
    EXPECT_EQ(mensagens.mostradas, QStringList{recusa});
    EXPECT_EQ(marcas(), QStringLiteral("NNN"));
    EXPECT_EQ(totais(), QStringLiteral("R$ 1.302,60 / R$ 0,00"));

    QTest::mouseClick(janela->tabExporta->checkDebitoCC, Qt::LeftButton);
    tecla(Qt::Key_F5);
    EXPECT_EQ(marcas(), QStringLiteral("NSN"));
    EXPECT_EQ(totais(), QStringLiteral("R$ 1.302,60 / R$ 200,00"));
    EXPECT_EQ(mensagens.mostradas.size(), 1);
}

TEST_F(Selecao, F6ComDebitoMarcaSoAsContasValidasEF7DesmarcaTodas) {
    lista();
    QTest::mouseClick(janela->tabExporta->checkDebitoCC, Qt::LeftButton);
    vaiParaCliente(3);
    tecla(Qt::Key_F6);
    EXPECT_EQ(marcas(), QStringLiteral("SNS"));
    EXPECT_EQ(totais(), QStringLiteral("R$ 1.302,60 / R$ 1.102,60"));
    EXPECT_EQ(janela->tabExporta->dbFuncs->currentIndex().row(), linhaDoCliente(3));
    EXPECT_TRUE(mensagens.mostradas.isEmpty());

    tecla(Qt::Key_F7);
    EXPECT_EQ(marcas(), QStringLiteral("NNN"));
    EXPECT_EQ(totais(), QStringLiteral("R$ 1.302,60 / R$ 0,00"));
}

TEST_F(Selecao, PorEmpresaF5DuasVezesDesmarca) {
    QTest::mouseClick(janela->tabExporta->rbEmpresa, Qt::LeftButton);
    lista();
    ASSERT_NE(janela->tabExporta->QListEmpres(), nullptr);
    ASSERT_EQ(janela->tabExporta->QListEmpres()->linhas(), 1);
    // Per company there is no fine or interest.
    EXPECT_EQ(totais(), QStringLiteral("R$ 1.300,10 / R$ 0,00"));
    EXPECT_EQ(janela->tabExporta->dbEmpresas->model()->index(0, 4).data().toString(),
              QStringLiteral("1.300,10"));
    tecla(Qt::Key_F5);
    EXPECT_EQ(totais(), QStringLiteral("R$ 1.300,10 / R$ 1.300,10"));
    tecla(Qt::Key_F5);
    EXPECT_EQ(totais(), QStringLiteral("R$ 1.300,10 / R$ 0,00"));
    EXPECT_EQ(janela->tabExporta->QListEmpres()->valor(0, "marcado").texto(), QStringLiteral("N"));
}

TEST_F(Selecao, TrocaDeModoZeraTotaisEFechaAOutraListagem) {
    lista();
    tecla(Qt::Key_F6);
    ASSERT_EQ(totais(), QStringLiteral("R$ 1.302,60 / R$ 1.302,60"));
    QTest::mouseClick(janela->tabExporta->rbEmpresa, Qt::LeftButton);
    EXPECT_EQ(totais(), QStringLiteral("R$ 0,00 / R$ 0,00"));
    EXPECT_EQ(janela->tabExporta->QListaFunc(), nullptr);
    for (Qt::Key k : {Qt::Key_F5, Qt::Key_F6, Qt::Key_F7})
        tecla(k);
    QTest::mouseClick(janela->tabExporta->rbCliente, Qt::LeftButton);
    for (Qt::Key k : {Qt::Key_F5, Qt::Key_F6, Qt::Key_F7})
        tecla(k);
    EXPECT_EQ(totais(), QStringLiteral("R$ 0,00 / R$ 0,00"));
    EXPECT_EQ(janela->tabExporta->dbFuncs->model()->rowCount(), 0);
    EXPECT_TRUE(mensagens.mostradas.isEmpty());
}

TEST_F(Selecao, PeriodoSemContasAvisaEMostraAListaVazia) {
    lista();
    janela->tabExporta->dtDataInicial->setDate(hoje.addDays(-10));
    janela->tabExporta->dtDataFinal->setDate(hoje.addDays(-5));
    lista();
    EXPECT_EQ(mensagens.mostradas,
              QStringList{QStringLiteral("mensagem: Não existe dados na pesquisa efetuada nesse período.")});
    ASSERT_NE(janela->tabExporta->QListaFunc(), nullptr);
    EXPECT_EQ(janela->tabExporta->dbFuncs->model()->rowCount(), 0);
    EXPECT_EQ(totais(), QStringLiteral("R$ 0,00 / R$ 0,00"));
    tecla(Qt::Key_F5);
    EXPECT_EQ(mensagens.mostradas.size(), 1);
}

TEST_F(Selecao, ComandoRecusadoEsvaziaAListaEZeraOsTotais) {
    lista();
    tecla(Qt::Key_F6);
    ASSERT_EQ(totais(), QStringLiteral("R$ 1.302,60 / R$ 1.302,60"));

    janela->tabExporta->dtHoraFinal->setText(QStringLiteral("25:00:00"));
    lista();
    ASSERT_EQ(mensagens.mostradas.size(), 1);
    EXPECT_TRUE(mensagens.mostradas[0].startsWith(QStringLiteral("erro: Incorrect datetime value: '")))
        << mensagens.mostradas[0].toStdString();
    EXPECT_EQ(janela->tabExporta->QListaFunc(), nullptr);
    // The totals go with the rows they summed.
    EXPECT_EQ(totais(), QStringLiteral("R$ 0,00 / R$ 0,00"));
    EXPECT_TRUE(janela->tabExporta->sbListarFunc->isEnabled());

    janela->tabExporta->dtHoraFinal->setText(QStringLiteral("23:59:59"));
    banco.conexao().executa(QStringLiteral("drop table empresa"));
    lista();
    ASSERT_EQ(mensagens.mostradas.size(), 2);
    EXPECT_TRUE(mensagens.mostradas[1].contains(QStringLiteral("empresa' doesn't exist")))
        << mensagens.mostradas[1].toStdString();
    EXPECT_EQ(janela->tabExporta->dbFuncs->model()->rowCount(), 0);
    EXPECT_TRUE(janela->tabExporta->sbListarFunc->isEnabled());
    tecla(Qt::Key_F6);
    EXPECT_EQ(totais(), QStringLiteral("R$ 0,00 / R$ 0,00"));
}

// Client 4 of company 1 at an absurd interest rate: 90.000.000.000,00 overdue by `dias` days.
TEST_F(Selecao, TotalQueNaoCabeEmDinheiroRecusaAListagemENomeiaOCliente) {
    const auto absurdo = [&](int cliente, int dias) {
        banco.cliente(cliente, {{"cobra_juros", "S"}, {"juros", 99999.9999}});
        recebe(cliente, 9e10, -dias);
    };
    lista();
    ASSERT_EQ(totais(), QStringLiteral("R$ 1.302,60 / R$ 0,00"));
    const QString limite = QStringLiteral("ultrapassa o limite dos valores monetários.");

    // One row whose interest alone passes the range.
    absurdo(4, 30);
    lista();
    ASSERT_EQ(mensagens.mostradas.size(), 1);
    EXPECT_TRUE(
        mensagens.mostradas[0].startsWith(QStringLiteral("erro: Não foi possível totalizar a linha ")));
    EXPECT_TRUE(
        mensagens.mostradas[0].contains(QStringLiteral(", do cliente Cliente 4 (código 4): O valor ")));
    EXPECT_TRUE(mensagens.mostradas[0].endsWith(limite)) << mensagens.mostradas[0].toStdString();
    EXPECT_EQ(janela->tabExporta->QListaFunc(), nullptr);
    EXPECT_EQ(totais(), QStringLiteral("R$ 0,00 / R$ 0,00"));

    // Rows that fit one by one and whose sum does not.
    banco.conexao().executa(QStringLiteral("delete from receber where clientes_id = 4"));
    absurdo(5, 7);
    absurdo(6, 7);
    lista();
    ASSERT_EQ(mensagens.mostradas.size(), 2);
    EXPECT_TRUE(mensagens.mostradas[1].contains(QStringLiteral(": A soma de ")))
        << mensagens.mostradas[1].toStdString();
    EXPECT_TRUE(mensagens.mostradas[1].endsWith(limite));
    EXPECT_EQ(janela->tabExporta->dbFuncs->model()->rowCount(), 0);
    EXPECT_EQ(totais(), QStringLiteral("R$ 0,00 / R$ 0,00"));
}

TEST_F(Selecao, CliqueNoModoJaEscolhidoNaoMudaNada) {
    lista();
    tecla(Qt::Key_F6);
    QTest::mouseClick(janela->tabExporta->rbCliente, Qt::LeftButton);
    EXPECT_EQ(totais(), QStringLiteral("R$ 1.302,60 / R$ 1.302,60"));
    EXPECT_EQ(marcas(), QStringLiteral("SSS"));
    EXPECT_TRUE(janela->tabExporta->dbFuncs->isVisible());
}

// Windows colour numbers are $00BBGGRR.
QRgb rgb(quint32 bgr) {
    return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

// Whether a colour is painted anywhere on the widget.
bool pintado(QWidget *w, QRgb cor) {
    const QImage img = w->grab().toImage();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == (cor & 0xFFFFFF))
                return true;
    return false;
}

// The colour in the middle of a widget, clear of its frame and of short texts.
QRgb meio(QWidget *w) {
    return w->grab().toImage().pixel(w->width() / 2, w->height() / 2) & 0xFFFFFF;
}

// Title rows dark blue with titles in the window colour, which the company fields also take per
// client; per company those are grey.
TEST_F(Selecao, CoresDosTitulosEDosCamposDaEmpresa) {
    const QRgb corJanela = janela->tabExporta->edCodEmpres->palette().color(QPalette::Base).rgb() & 0xFFFFFF;
    const auto titulos = [&](QTableView *grade) {
        QHeaderView *h = grade->horizontalHeader();
        EXPECT_EQ(h->grab().toImage().pixel(1, 1) & 0xFFFFFF, rgb(0x00804000) & 0xFFFFFF)
            << grade->objectName().toStdString();
        EXPECT_TRUE(pintado(h, corJanela)) << grade->objectName().toStdString();
    };
    const QList<QWidget *> campos{janela->tabExporta->edCodEmpres, janela->tabExporta->lkEmpresa};
    lista();
    titulos(janela->tabExporta->dbFuncs);
    for (QWidget *campo : campos)
        EXPECT_EQ(meio(campo), corJanela) << campo->objectName().toStdString();

    QTest::mouseClick(janela->tabExporta->rbEmpresa, Qt::LeftButton);
    lista();
    titulos(janela->tabExporta->dbEmpresas);
    for (QWidget *campo : campos)
        EXPECT_EQ(meio(campo), rgb(0x00E0E0E0) & 0xFFFFFF) << campo->objectName().toStdString();

    QTest::mouseClick(janela->tabExporta->rbCliente, Qt::LeftButton);
    for (QWidget *campo : campos)
        EXPECT_EQ(meio(campo), corJanela) << campo->objectName().toStdString();
}

// The drop-down's highlighted company shows in the selection colours.
TEST_F(Selecao, EmpresaDestacadaNaListaDaEmpresaTemAsCoresDeSelecao) {
    janela->tabExporta->lkEmpresa->showPopup();
    QAbstractItemView *lista = janela->tabExporta->lkEmpresa->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(lista->window()));
    lista->setCurrentIndex(lista->model()->index(1, 0));
    const QImage img = lista->viewport()->grab().toImage().copy(lista->visualRect(lista->currentIndex()));
    const QPalette cores = janela->tabExporta->lkEmpresa->palette();
    // The style may shade the selection and smooth the text: near the colours, not equal to them.
    const auto perto = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) <
               60;
    };
    EXPECT_TRUE(perto(img.pixelColor(img.width() - 3, img.height() / 2), cores.color(QPalette::Highlight)));
    // The name is written over it in the light highlighted-text colour.
    const int claro =
        (cores.color(QPalette::Highlight).lightness() + cores.color(QPalette::HighlightedText).lightness()) /
        2;
    int pontosDoTexto = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            pontosDoTexto += img.pixelColor(x, y).lightness() > claro;
    EXPECT_GT(pontosDoTexto, 20);
    janela->tabExporta->lkEmpresa->hidePopup();
}

TEST_F(Selecao, CoresDasLinhasNaOrdemDePrecedencia) {
    lista();
    const auto fundo = [&](int cliente) {
        QTableView *g = janela->tabExporta->dbFuncs;
        const QImage img = g->viewport()->grab().toImage();
        // Right end of the first cell: background, no text.
        const int y = g->rowViewportPosition(linhaDoCliente(cliente)) + g->rowHeight(0) / 2;
        return img.pixel(g->columnWidth(0) - 6, y) & 0xFFFFFF;
    };
    const QRgb comum = fundo(3);
    tecla(Qt::Key_F6);
    vaiParaCliente(1);
    EXPECT_EQ(fundo(1), rgb(0x00CA6500) & 0xFFFFFF);
    EXPECT_EQ(fundo(2), rgb(0x008A8AFF) & 0xFFFFFF);
    EXPECT_EQ(fundo(3), rgb(0x008A8AFF) & 0xFFFFFF);

    // Direct debit shows the unusable account over the mark; the marks stay.
    QTest::mouseClick(janela->tabExporta->checkDebitoCC, Qt::LeftButton);
    EXPECT_EQ(fundo(2), rgb(0x00BFBF80) & 0xFFFFFF);
    EXPECT_EQ(marcas(), QStringLiteral("SSS"));
    vaiParaCliente(2);
    EXPECT_EQ(fundo(2), rgb(0x00CA6500) & 0xFFFFFF);
    EXPECT_EQ(fundo(1), rgb(0x008A8AFF) & 0xFFFFFF);

    tecla(Qt::Key_F7);
    QTest::mouseClick(janela->tabExporta->checkDebitoCC, Qt::LeftButton);
    EXPECT_EQ(fundo(1), comum);
}

} // namespace
