#include "tests/app/JanelaDeTeste.h"
#include "tests/support/DigitaData.h"

#include "cedente/UConfiguraCedente.h"
#include "reports/URelBoletos.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A started main window, shown, over a database with the given companies.
class JanelaIniciada : public testing::Test {
protected:
    void inicia(std::initializer_list<int> empresas, const QString &ruvenal = {}) {
        for (int id : empresas)
            banco.empresa(id);
        programa.iniPara(banco, QStringLiteral("[Ruvenal]\n") + ruvenal);
        programa.iniciaEMostra(janela, mensagens);
    }

    BancoDeTeste banco;
    MensagensGravadas mensagens;
    PastaDoPrograma programa;
    std::unique_ptr<TFRuvenal> janela;
};

TEST_F(JanelaIniciada, EstadoInicialDoModoPorCliente) {
    inicia({1});
    EXPECT_EQ(janela->size(), QSize(660, 526));
    EXPECT_TRUE(janela->tabExporta->rbCliente->isChecked());
    EXPECT_TRUE(janela->tabExporta->dbFuncs->isVisible());
    EXPECT_FALSE(janela->tabExporta->dbEmpresas->isVisible());
    EXPECT_TRUE(janela->tabExporta->cbDtVenc->isChecked());
    EXPECT_TRUE(janela->tabExporta->dtVencimento->isEnabled());
    EXPECT_FALSE(janela->tabExporta->CheckBox1->isChecked());
    EXPECT_EQ(janela->tabExporta->ComboBox1->currentText(), QStringLiteral("Venda"));
    EXPECT_EQ(janela->tabExporta->dtHoraInicial->text(), QStringLiteral("00:00:00"));
    EXPECT_EQ(janela->tabExporta->dtHoraFinal->text(), QStringLiteral("23:59:59"));
    EXPECT_FALSE(janela->tabImportarRet->butProcessar->isEnabled());
    EXPECT_FALSE(janela->tabImportarRet->painelTotais->isVisible());
    EXPECT_EQ(janela->tabExporta->labTotMarc->text(), QStringLiteral("R$ 0,00"));
    EXPECT_EQ(janela->tabExporta->labTotGeral->text(), QStringLiteral("R$ 0,00"));
}

TEST_F(JanelaIniciada, TrocaDeModoHabilitaAsListasEOsCamposDaEmpresa) {
    inicia({1});
    QTest::mouseClick(janela->tabExporta->rbEmpresa, Qt::LeftButton);
    EXPECT_TRUE(janela->tabExporta->dbEmpresas->isVisible());
    EXPECT_TRUE(janela->tabExporta->dbEmpresas->isEnabled());
    EXPECT_FALSE(janela->tabExporta->dbFuncs->isVisible());
    EXPECT_FALSE(janela->tabExporta->edCodEmpres->isEnabled());
    EXPECT_FALSE(janela->tabExporta->lkEmpresa->isEnabled());
    EXPECT_FALSE(janela->tabExporta->CheckBox1->isEnabled());

    QTest::mouseClick(janela->tabExporta->rbCliente, Qt::LeftButton);
    EXPECT_TRUE(janela->tabExporta->dbFuncs->isVisible());
    EXPECT_TRUE(janela->tabExporta->edCodEmpres->isEnabled());
    EXPECT_TRUE(janela->tabExporta->CheckBox1->isEnabled());
}

TEST_F(JanelaIniciada, AgruparPorVencimentoInverteDataVencimento) {
    inicia({1});
    QTest::mouseClick(janela->tabExporta->CheckBox1, Qt::LeftButton);
    EXPECT_FALSE(janela->tabExporta->cbDtVenc->isChecked());
    EXPECT_FALSE(janela->tabExporta->dtVencimento->isEnabled());
    QTest::mouseClick(janela->tabExporta->CheckBox1, Qt::LeftButton);
    EXPECT_TRUE(janela->tabExporta->cbDtVenc->isChecked());
    EXPECT_TRUE(janela->tabExporta->dtVencimento->isEnabled());
}

TEST_F(JanelaIniciada, EmpresaLembradaEscolhidaNoInicio) {
    inicia({1, 2}, QStringLiteral("cod_empresa=2\n"));
    EXPECT_EQ(janela->tabExporta->edCodEmpres->text(), QStringLiteral("2"));
    EXPECT_EQ(janela->tabExporta->lkEmpresa->currentText(), QStringLiteral("Empresa 2"));
}

TEST_F(JanelaIniciada, SemEmpresasNenhumaEscolhida) {
    inicia({}, QStringLiteral("cod_empresa=5\n"));
    EXPECT_EQ(janela->tabExporta->edCodEmpres->text(), QStringLiteral("5"));
    EXPECT_EQ(janela->tabExporta->lkEmpresa->currentIndex(), -1);
}

TEST_F(JanelaIniciada, CodigoDigitadoEscolheAEmpresaQueExiste) {
    inicia({1, 2});
    janela->tabExporta->edCodEmpres->clear();
    janela->tabExporta->edCodEmpres->setFocus();
    QTest::keyClick(janela->tabExporta->edCodEmpres, Qt::Key_1);
    EXPECT_EQ(janela->tabExporta->lkEmpresa->currentText(), QStringLiteral("Empresa 1"));
    // 13 does not exist: the choice stays on company 1 while the field shows what was typed.
    QTest::keyClick(janela->tabExporta->edCodEmpres, Qt::Key_3);
    EXPECT_EQ(janela->tabExporta->edCodEmpres->text(), QStringLiteral("13"));
    EXPECT_EQ(janela->tabExporta->lkEmpresa->currentText(), QStringLiteral("Empresa 1"));
    // Letters never reach the field.
    QTest::keyClicks(janela->tabExporta->edCodEmpres, QStringLiteral("a-"));
    EXPECT_EQ(janela->tabExporta->edCodEmpres->text(), QStringLiteral("13"));
    QTest::keyClick(janela->tabExporta->edCodEmpres, Qt::Key_Backspace);
    QTest::keyClick(janela->tabExporta->edCodEmpres, Qt::Key_Backspace);
    QTest::keyClick(janela->tabExporta->edCodEmpres, Qt::Key_2);
    EXPECT_EQ(janela->tabExporta->lkEmpresa->currentText(), QStringLiteral("Empresa 2"));
}

TEST_F(JanelaIniciada, EnterLevaOFocoAoProximoControle) {
    inicia({1});
    janela->activateWindow();
    janela->tabExporta->dtHoraInicial->setFocus();
    QTest::keyClick(janela->tabExporta->dtHoraInicial, Qt::Key_Return);
    EXPECT_FALSE(janela->tabExporta->dtHoraInicial->hasFocus());
    EXPECT_TRUE(janela->isVisible());
}

class EscFecha : public JanelaIniciada, public testing::WithParamInterface<int> {};

// Esc in any field of either tab ends the program at once, without a question.
TEST_P(EscFecha, EmQualquerAba) {
    inicia({1});
    janela->pcPrincipal->setCurrentIndex(GetParam());
    QWidget *campo = GetParam() == 0 ? static_cast<QWidget *>(janela->tabExporta->edCodEmpres)
                                     : janela->tabImportarRet->fnLocalLeitura;
    campo->setFocus();
    QTest::keyClick(campo, Qt::Key_Escape);
    EXPECT_FALSE(janela->isVisible());
    EXPECT_TRUE(mensagens.mostradas.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Janela, EscFecha, testing::Values(0, 1));

TEST_F(JanelaIniciada, CancelarFechaAJanela) {
    inicia({1});
    QTest::mouseClick(janela->tabExporta->bCancelar, Qt::LeftButton);
    EXPECT_FALSE(janela->isVisible());
}

// Clicks the button and hands the modal dialog it opens to `olha`, which must close it.
void abreDialogo(QPushButton *botao, const std::function<void(QDialog *)> &olha) {
    bool aberto = false;
    QTimer::singleShot(0, [&] {
        auto *dialogo = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialogo, nullptr);
        aberto = true;
        olha(dialogo);
        if (dialogo->isVisible())
            dialogo->reject();
    });
    QTest::mouseClick(botao, Qt::LeftButton);
    EXPECT_TRUE(aberto);
}

TEST_F(JanelaIniciada, ConfiguracoesDoBoletoAbreOCedenteComOsDadosDaInstalacao) {
    inicia({1}, QStringLiteral("banco=756\ncarteira=1\nnome_empresa=Loja Modelo\n"));
    abreDialogo(janela->tabExporta->bConfig, [&](QDialog *d) {
        auto *cedente = qobject_cast<TFConfigCedente *>(d);
        ASSERT_NE(cedente, nullptr);
        EXPECT_EQ(cedente->parentWidget(), janela.get());
        EXPECT_EQ(cedente->edCodBanco->text(), QStringLiteral("756"));
        EXPECT_EQ(cedente->edNomeEmpres->text(), QStringLiteral("Loja Modelo"));
    });
    EXPECT_TRUE(janela->isVisible());
    EXPECT_TRUE(mensagens.mostradas.isEmpty());
}

TEST_F(JanelaIniciada, RelatorioAbreOsBoletosImpressosSemDono) {
    inicia({1});
    abreDialogo(janela->tabExporta->Button1, [](QDialog *d) {
        EXPECT_NE(qobject_cast<TFRelBoletos *>(d), nullptr);
        EXPECT_EQ(d->parentWidget(), nullptr);
    });
    EXPECT_TRUE(janela->isVisible());
}

TEST_F(JanelaIniciada, DuranteUmaExecucaoNadaIniciaOutraNemFechaAJanela) {
    inicia({1});
    janela->tabImportarRet->butProcessar->setEnabled(false);
    {
        const auto execucao = janela->iniciaExecucao();
        for (QWidget *w : {static_cast<QWidget *>(janela->tabExporta->bGerar),
                           static_cast<QWidget *>(janela->tabExporta->sbListarFunc),
                           static_cast<QWidget *>(janela->tabExporta->bConfig),
                           static_cast<QWidget *>(janela->tabExporta->Button1),
                           static_cast<QWidget *>(janela->tabImportarRet->butLerArquivo)})
            EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        EXPECT_FALSE(janela->close());
        EXPECT_TRUE(janela->isVisible());
        ASSERT_EQ(mensagens.mostradas.size(), 1);
    }
    EXPECT_TRUE(janela->tabExporta->bGerar->isEnabled());
    EXPECT_TRUE(janela->tabImportarRet->butLerArquivo->isEnabled());
    EXPECT_FALSE(janela->tabImportarRet->butProcessar->isEnabled());
    EXPECT_TRUE(janela->close());
}

TEST_F(JanelaIniciada, DataDigitadaEAQueFoiDigitadaOuERecusada) {
    inicia({1});
    const QString invalida = QStringLiteral("erro: '%1' não é uma data válida");
    const struct {
        int posicao; // character clicked in "30/06/2026"; -1: Tab into the field
        const char *teclas;
        const char *data;
        const char *recusada;
    } casos[] = {
        {-1, "31072026", "31/07/2026", nullptr},
        {1, "31072026", "31/07/2026", nullptr},
        {1, "15", "15/06/2026", nullptr},
        {4, "07", "30/07/2026", nullptr},
        {8, "2027", "30/06/2027", nullptr},
        {-1, "4", "04/06/2026", nullptr}, // no day begins with 4 and a second digit
        {-1, "29022028", "29/02/2028", nullptr},
        {-1, "31062026", "30/06/2026", "31/06/2026"},
        {-1, "29022027", "30/06/2026", "29/02/2027"},
        {-1, "31", "30/06/2026", "31/06/2026"},
        {4, "13", "30/06/2026", "30/13/2026"},
        {-1, "0000", "30/06/2026", "00/00/2026"},
        {8, "20", "30/06/2026", "30/06/0020"},
    };
    for (QDateEdit *campo : {janela->tabExporta->dtDataInicial, janela->tabExporta->dtVencimento})
        for (const auto &c : casos) {
            campo->setDate(QDate(2026, 6, 30));
            mensagens.mostradas.clear();
            digitaData(campo, c.posicao, QString::fromLatin1(c.teclas));
            const QString onde = campo->objectName() + QLatin1Char(' ') + QLatin1String(c.teclas);
            EXPECT_EQ(campo->date().toString(u"dd/MM/yyyy"), QLatin1String(c.data)) << onde.toStdString();
            EXPECT_EQ(campo->text(), QLatin1String(c.data)) << onde.toStdString();
            EXPECT_EQ(mensagens.mostradas,
                      c.recusada ? QStringList{invalida.arg(QLatin1String(c.recusada))} : QStringList{})
                << onde.toStdString();
        }
}

TEST_F(JanelaIniciada, HoraExigeTodosOsDigitosMenosOPrimeiro) {
    inicia({1});
    const struct {
        const char *teclas;
        bool aceita;
    } casos[] = {{"1:2:3", false}, {"12::", false}, {"123456", true}, {"09:30:00", true}, {"23:59:59", true}};
    for (const auto &c : casos) {
        janela->tabExporta->dtHoraInicial->selectAll();
        QTest::keyClick(janela->tabExporta->dtHoraInicial, Qt::Key_Delete);
        janela->tabExporta->dtHoraInicial->home(false);
        QTest::keyClicks(janela->tabExporta->dtHoraInicial, QString::fromLatin1(c.teclas));
        EXPECT_EQ(janela->tabExporta->dtHoraInicial->hasAcceptableInput(), c.aceita) << c.teclas;
    }
}

} // namespace
