#include "cedente/UConfiguraCedente.h"
#include "cedente/CampoDecimal.h"
#include "config/IniFile.h"
#include "tests/support/MensagensGravadas.h"
#include "util/Erro.h"
#include "util/Regional.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

// Readable failures for texts.
void PrintTo(const QString &texto, std::ostream *os) {
    *os << '"' << texto.toStdString() << '"';
}

namespace {

class DialogoCedenteTest : public testing::Test {
protected:
    QTemporaryDir pasta;
    QString arquivo = pasta.filePath(QStringLiteral("sistema_zel.ini"));
    MensagensGravadas mensagens;

    void SetUp() override { Regional::definir(Regional::brasileiro()); }

    void escreve(const char *conteudo) {
        QFile f(arquivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(conteudo);
    }

    QByteArray conteudo() const {
        QFile f(arquivo);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QString chave(const char *nome) const {
        return IniFile(arquivo).lerTexto(QStringLiteral("Ruvenal"), QLatin1String(nome),
                                         QStringLiteral("<none>"));
    }

    // A new dialog shown as the main window opens it, loaded from the file.
    std::unique_ptr<TFConfigCedente> abre() {
        auto d =
            std::make_unique<TFConfigCedente>(IniFile(arquivo), QStringLiteral("756"), QStringLiteral("01"));
        d->show();
        d->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(d.get()));
        return d;
    }

    // Opens, confirms without touching a field, and closes.
    void confirmaSemMudar() {
        auto d = abre();
        QTest::mouseClick(d->butConfirmar, Qt::LeftButton);
        ASSERT_TRUE(d->confirmado());
    }

    static void digita(QLineEdit *campo, const QString &texto) {
        campo->selectAll();
        QTest::keyClicks(campo, texto);
    }
};

TEST_F(DialogoCedenteTest, SemArquivoMostraOsPadroes) {
    auto d = abre();
    EXPECT_FALSE(d->confirmado());
    EXPECT_EQ(d->edCodBanco->text(), QStringLiteral("756"));
    EXPECT_EQ(d->edCodCarteira->text(), QStringLiteral("01"));
    for (QLineEdit *texto :
         {d->edNomeEmpres, d->edNAgencia, d->edNConta, d->edIDEmpresa, d->edLocalPagamento})
        EXPECT_EQ(texto->text(), QString()) << texto->objectName().toStdString();
    for (CampoDecimal *valor : {d->ValJuros, d->ValDesconto, d->ValAcrescimo, d->ValMulta, d->JvTaxaBoleto,
                                d->EditSequencialRemessa})
        EXPECT_EQ(valor->text(), QStringLiteral("0,00")) << valor->objectName().toStdString();
    EXPECT_EQ(d->cbInstruc->currentIndex(), -1);
    EXPECT_EQ(d->cbInstruc->currentText(), QString());
    EXPECT_EQ(d->ComboEspecie->currentText(), QStringLiteral("Recibo"));
    EXPECT_EQ(d->spMargem->value(), 15);
    EXPECT_TRUE(d->cbLocPadrao->isChecked());
    EXPECT_FALSE(d->edLocalPagamento->isEnabled());
    EXPECT_EQ(d->memDemonstrativo->toPlainText(), QStringLiteral("\n"));
    EXPECT_EQ(d->EditDiasProtesto->text(), QStringLiteral("0"));
}

TEST_F(DialogoCedenteTest, AbreNoCentroDaTelaMesmoComAJanelaPrincipalNoCanto) {
    QWidget principal;
    principal.setGeometry(0, 0, 200, 150);
    principal.show();
    TFConfigCedente d(IniFile(arquivo), QString(), QString(), &principal);
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    const QPoint centro = d.screen()->availableGeometry().center();
    EXPECT_LE((d.geometry().center() - centro).manhattanLength(), 10); // window frame aside
}

TEST_F(DialogoCedenteTest, ConfirmarGravaOsCamposDigitados) {
    auto d = abre();
    digita(d->edNomeEmpres, QStringLiteral("Loja Modelo"));
    digita(d->edNAgencia, QStringLiteral("3069"));
    digita(d->ValJuros, QStringLiteral("2,5"));
    digita(d->JvTaxaBoleto, QStringLiteral("1,75"));
    d->cbInstruc->setCurrentIndex(7);
    d->ComboEspecie->setCurrentIndex(5);
    d->spMargem->setValue(22);
    digita(d->EditDiasProtesto, QStringLiteral(" 4 "));
    d->memDemonstrativo->setPlainText(QStringLiteral("Parcela 1\nParcela 2\nObrigado"));
    QTest::mouseClick(d->cbLocPadrao, Qt::LeftButton);
    EXPECT_TRUE(d->edLocalPagamento->isEnabled());
    digita(d->edLocalPagamento, QStringLiteral("Na loja"));
    digita(d->EditSequencialRemessa, QStringLiteral("12,75"));
    QTest::mouseClick(d->butConfirmar, Qt::LeftButton);

    EXPECT_TRUE(d->confirmado());
    EXPECT_FALSE(d->isVisible());
    // A new file holds the keys in the order they were written.
    EXPECT_EQ(conteudo(), QStringLiteral("[Ruvenal]\r\n"
                                         "nome_empresa=Loja Modelo\r\n"
                                         "num_agencia=3069\r\n"
                                         "conta_corrente=\r\n"
                                         "identificacao_empresa=\r\n"
                                         "configurado=1\r\n"
                                         "valor_juros=2,5\r\n"
                                         "valor_desconto=0\r\n"
                                         "valor_acrescimo=0\r\n"
                                         "valor_multa=0\r\n"
                                         "valor_taxa=1,75\r\n"
                                         "instrucao=Instrução especial contida em manual do Banco \r\n"
                                         "codigo_instrucao=7\r\n"
                                         "logotipo_banco=\r\n"
                                         "margem_sup=22\r\n"
                                         "local_pgto_padrao=0\r\n"
                                         "local_pgto=Na loja\r\n"
                                         "demonstrativo0=Parcela 1\r\n"
                                         "demonstrativo1=Parcela 2\r\n"
                                         "demonstrativo2=Obrigado\r\n"
                                         "num_linhas_demonstrativo=2\r\n"
                                         "sequencia_remessa=12\r\n"
                                         "especie_titulo=5\r\n"
                                         "dias_protesto=4\r\n")
                              .toLatin1());
    EXPECT_EQ(TFConfigCedente::LerEspecieTitulo(IniFile(arquivo)), QStringLiteral("DM"));
    EXPECT_EQ(TFConfigCedente::LerDiasProtesto(IniFile(arquivo)), 4);
}

TEST_F(DialogoCedenteTest, ConfirmarDeNovoNaoMudaOArquivo) {
    escreve("[Ruvenal]\r\nnome_empresa=Loja\r\nvalor_juros=0,0333\r\nvalor_multa=2,5\r\ncodigo_instrucao="
            "3\r\ninstrucao=x\r\n"
            "num_linhas_demonstrativo=2\r\ndemonstrativo0=um\r\ndemonstrativo1=\r\ndemonstrativo2=tres\r\n"
            "demonstrativo3=antiga\r\nsequencia_remessa=41\r\nespecie_titulo=8\r\ndias_protesto=10\r\n");
    confirmaSemMudar();
    const QByteArray depoisDaPrimeira = conteudo();
    EXPECT_EQ(chave("num_linhas_demonstrativo"), QStringLiteral("2"));
    EXPECT_EQ(chave("instrucao"), QStringLiteral("Não cobrar juros de mora"));
    EXPECT_EQ(chave("valor_multa"), QStringLiteral("2,5"));
    EXPECT_EQ(chave("valor_juros"), QStringLiteral("0,0333"));
    EXPECT_EQ(chave("demonstrativo3"), QStringLiteral("antiga"));

    confirmaSemMudar();
    EXPECT_EQ(conteudo(), depoisDaPrimeira);
}

TEST_F(DialogoCedenteTest, SemArquivoConfirmarDuasVezesGuardaUmaLinhaVazia) {
    confirmaSemMudar();
    confirmaSemMudar();
    EXPECT_EQ(chave("num_linhas_demonstrativo"), QStringLiteral("0"));
    EXPECT_EQ(chave("demonstrativo0"), QString());
    EXPECT_EQ(chave("demonstrativo1"), QStringLiteral("<none>"));
    EXPECT_EQ(chave("especie_titulo"), QStringLiteral("21"));
    EXPECT_EQ(chave("codigo_instrucao"), QStringLiteral("-1"));
    EXPECT_EQ(chave("local_pgto"), QStringLiteral("<none>"));
}

TEST_F(DialogoCedenteTest, InstrucaoDigitadaVoltaNasProximasAberturas) {
    {
        auto d = abre();
        d->cbInstruc->setCurrentIndex(1);
        d->cbInstruc->lineEdit()->selectAll();
        QTest::keyClicks(d->cbInstruc->lineEdit(), QStringLiteral("Cobrar no caixa"));
        QTest::mouseClick(d->butConfirmar, Qt::LeftButton);
    }
    EXPECT_EQ(chave("instrucao"), QStringLiteral("Cobrar no caixa"));
    EXPECT_EQ(chave("codigo_instrucao"), QStringLiteral("-1"));

    for (int abertura = 0; abertura < 2; ++abertura) {
        auto d = abre();
        EXPECT_EQ(d->cbInstruc->currentIndex(), -1);
        EXPECT_EQ(d->cbInstruc->currentText(), QStringLiteral("Cobrar no caixa"));
        QTest::mouseClick(d->butConfirmar, Qt::LeftButton);
        EXPECT_EQ(chave("instrucao"), QStringLiteral("Cobrar no caixa"));
        EXPECT_EQ(chave("codigo_instrucao"), QStringLiteral("-1"));
    }
}

TEST_F(DialogoCedenteTest, ValoresNegativosSaoRecusadosSemGravarNada) {
    const struct {
        const char *campo, *texto, *mensagem;
    } casos[] = {
        {"ValJuros", "-1", "Valor de Juros inválido!"},
        {"ValDesconto", "-0,01", "Valor Desconto inválido!"},
        {"ValAcrescimo", "-2", "Valor de Acréscimo inválido!"},
        {"ValMulta", "-3", "Valor Multa de Atraso inválido!"},
        {"spMargem", "-1", "Margem Superior Impressão inválida!"},
        {"EditDiasProtesto", "-4", "Dias para Protesto inválido!"},
        {"JvTaxaBoleto", "-1,75", "Taxa do Boleto inválida!"},
        {"EditSequencialRemessa", "-12", "Sequência Arquivo de Remessa inválida!"},
    };
    for (const auto &caso : casos) {
        mensagens.mostradas.clear();
        auto d = abre();
        auto *campo = d->findChild<QWidget *>(QLatin1String(caso.campo));
        ASSERT_NE(campo, nullptr) << caso.campo;
        auto *texto = qobject_cast<QLineEdit *>(campo);
        if (auto *spin = qobject_cast<QSpinBox *>(campo))
            texto = spin->findChild<QLineEdit *>();
        digita(texto, QString::fromUtf8(caso.texto));
        d->edNomeEmpres->setFocus();
        QTest::mouseClick(d->butConfirmar, Qt::LeftButton);

        EXPECT_EQ(mensagens.mostradas,
                  QStringList{QStringLiteral("mensagem: ") + QString::fromUtf8(caso.mensagem)});
        EXPECT_FALSE(d->confirmado()) << caso.campo;
        EXPECT_TRUE(d->isVisible()) << caso.campo;
        EXPECT_EQ(QApplication::focusWidget(), campo) << caso.campo;
        EXPECT_FALSE(QFile::exists(arquivo)) << caso.campo;
    }
}

// What the file holds is shown whole and goes back unchanged: the fields' limits are for typing only.
TEST_F(DialogoCedenteTest, ConfirmarSemMudarGravaOsMesmosBytes) {
    const QByteArray nomeLongo = QByteArray(35, 'N') + QByteArray(35, 'n');
    const QByteArray arquivoCompleto = "[Ruvenal]\r\n"
                                       "nome_empresa=" +
                                       nomeLongo +
                                       "\r\n"
                                       "num_agencia=123456789012345678901234\r\n"
                                       "conta_corrente=0001234-5\r\n"
                                       "identificacao_empresa=99\r\n"
                                       "configurado=1\r\n"
                                       "valor_juros=0,0333\r\n"
                                       "valor_desconto=1,5\r\n"
                                       "valor_acrescimo=0\r\n"
                                       "valor_multa=2\r\n"
                                       "valor_taxa=3,25\r\n"
                                       "instrucao=Cobrar no caixa\r\n"
                                       "codigo_instrucao=-1\r\n"
                                       "logotipo_banco=C:\\imagens\\756.jpg\r\n"
                                       "margem_sup=0\r\n"
                                       "local_pgto_padrao=0\r\n"
                                       "local_pgto=Na loja\r\n"
                                       "demonstrativo0=Parcela\xA0\x31 de\xA0\x33\r\n"
                                       "demonstrativo1=\xA0\r\n"
                                       "demonstrativo2=Obrigado\r\n"
                                       "num_linhas_demonstrativo=2\r\n"
                                       "sequencia_remessa=41\r\n"
                                       "especie_titulo=8\r\n"
                                       "dias_protesto=0\r\n";
    escreve(arquivoCompleto.constData());
    {
        TFConfigCedente d(IniFile(arquivo), QStringLiteral("237"), QStringLiteral("109"));
        d.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
        EXPECT_EQ(d.edCodCarteira->text(), QStringLiteral("109"));
        EXPECT_EQ(d.edNomeEmpres->text().size(), 70);
        EXPECT_EQ(d.edNAgencia->text().size(), 24);
        QTest::mouseClick(d.butConfirmar, Qt::LeftButton);
        ASSERT_TRUE(d.confirmado());
    }
    EXPECT_EQ(conteudo(), arquivoCompleto);
    confirmaSemMudar();
    EXPECT_EQ(conteudo(), arquivoCompleto);
}

TEST_F(DialogoCedenteTest, LimiteDeDigitacaoContinua) {
    auto d = abre();
    digita(d->edNomeEmpres, QString(70, u'x'));
    EXPECT_EQ(d->edNomeEmpres->text().size(), 60);
    digita(d->edNAgencia, QString(24, u'1'));
    EXPECT_EQ(d->edNAgencia->text().size(), 20);
}

TEST_F(DialogoCedenteTest, DemonstrativoDeMilhoesDeLinhasParaNoLimite) {
    escreve("[Ruvenal]\r\nnum_linhas_demonstrativo=5000000\r\ndemonstrativo0=um\r\n");
    QElapsedTimer relogio;
    relogio.start();
    auto d = abre();
    EXPECT_LT(relogio.elapsed(), 5000);
    EXPECT_EQ(mensagens.mostradas,
              QStringList{QStringLiteral("mensagem: O demonstrativo do arquivo de configuração passa de 1000 "
                                         "linhas: só as 1000 primeiras foram lidas.")});
    const QString memo = d->memDemonstrativo->toPlainText();
    EXPECT_TRUE(memo.startsWith(QStringLiteral("um\n")));
    EXPECT_EQ(memo.count(u'\n'), 1000);
}

TEST_F(DialogoCedenteTest, LocalDePagamentoSoGravadoSemOPadrao) {
    escreve("[Ruvenal]\r\nlocal_pgto=Pagavel na loja\r\n");
    {
        auto d = abre();
        EXPECT_EQ(d->edLocalPagamento->text(), QStringLiteral("Pagavel na loja"));
        d->edLocalPagamento->setText(QStringLiteral("descartado"));
        QTest::mouseClick(d->butConfirmar, Qt::LeftButton);
    }
    EXPECT_EQ(chave("local_pgto"), QStringLiteral("Pagavel na loja"));
    EXPECT_EQ(chave("local_pgto_padrao"), QStringLiteral("1"));
}

TEST_F(DialogoCedenteTest, EspecieForaDaTabelaNaoSelecionaNadaEGravaMenosUm) {
    escreve("[Ruvenal]\r\nespecie_titulo=30\r\n");
    EXPECT_THROW(TFConfigCedente::LerEspecieTitulo(IniFile(arquivo)), Erro);
    auto d = abre();
    EXPECT_EQ(d->ComboEspecie->currentIndex(), -1);
    QTest::mouseClick(d->butConfirmar, Qt::LeftButton);
    EXPECT_EQ(chave("especie_titulo"), QStringLiteral("-1"));
    EXPECT_THROW(TFConfigCedente::LerEspecieTitulo(IniFile(arquivo)), Erro);
}

TEST_F(DialogoCedenteTest, DiasDeProtestoInvalidosNaoGravamNada) {
    auto d = abre();
    digita(d->EditDiasProtesto, QStringLiteral("3 dias"));
    d->edNomeEmpres->setFocus();
    QTest::mouseClick(d->butConfirmar, Qt::LeftButton);

    EXPECT_EQ(mensagens.mostradas, QStringList{QStringLiteral("mensagem: Dias para Protesto inválido!")});
    EXPECT_FALSE(d->confirmado());
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), d->EditDiasProtesto);
    EXPECT_FALSE(QFile::exists(arquivo));

    QTest::mouseClick(d->butCancelar, Qt::LeftButton);
    EXPECT_FALSE(d->confirmado());
    EXPECT_FALSE(QFile::exists(arquivo));
}

TEST_F(DialogoCedenteTest, ArquivoQueNaoSeGravaDeixaODialogoAbertoSemConfirmar) {
    // A folder in the file's place: it reads as no file and refuses every write, even to root.
    ASSERT_TRUE(QDir(pasta.path()).mkdir(QStringLiteral("sistema_zel.ini")));
    auto d = abre();
    QTest::mouseClick(d->butConfirmar, Qt::LeftButton);

    ASSERT_EQ(mensagens.mostradas.size(), 1);
    EXPECT_TRUE(mensagens.mostradas[0].startsWith(QStringLiteral("erro: ")));
    EXPECT_TRUE(mensagens.mostradas[0].contains(QStringLiteral("sistema_zel.ini")));
    EXPECT_FALSE(d->confirmado());
    EXPECT_TRUE(d->isVisible());
}

} // namespace
