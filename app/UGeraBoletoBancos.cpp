#include "app/UGeraBoletoBancos.h"

#include "app/TabExporta.h"
#include "app/TabImportar.h"
#include "app/TabSegundaVia.h"
#include "config/IniFile.h"
#include "db/Connection.h"
#include "forms/CamposArquivo.h"
#include "forms/Formulario.h"
#include "generation/BoletosEmitidos.h"
#include "generation/RegistroNoBanco.h"
#include "util/Erro.h"
#include "util/Guarda.h"
#include "util/Mensagens.h"
#include "util/RegistroDeFalhas.h"
#include "util/Rotinas.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

namespace {

const char *const avisoBolix = "É necessário que o Bolix esteja instalado neste computador.";

} // namespace

TFRuvenal::TFRuvenal(const QString &programDir, QWidget *parent) : QWidget(parent), contexto_(programDir) {
    contexto_.configurarConta_ = [this] { ConfigurarConta(); };
    contexto_.iniciaExecucao_ = [this] { return iniciaExecucao(); };
    setObjectName(QStringLiteral("FRuvenal"));
    setWindowTitle(QStringLiteral("Ruvenal 1.0.0.34"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFont(fonteFormulario());
    setFixedSize(660, 526);

    pcPrincipal = cria<QTabWidget>(this, "pcPrincipal", QRect(0, 0, 660, 526));
    tabExporta = new TabExporta(contexto_);
    pcPrincipal->addTab(tabExporta, QStringLiteral("Exporta Arquivo"));
    tabImportarRet = new TabImportar(contexto_);
    pcPrincipal->addTab(tabImportarRet, QStringLiteral("Importar Retorno"));
    tabSegundaVia = new TabSegundaVia(contexto_);
    pcPrincipal->addTab(tabSegundaVia, QStringLiteral("2ª via"));
    // Key preview: the window sees every key before the focused control.
    qApp->installEventFilter(this);
}

TFRuvenal::~TFRuvenal() {
    qApp->removeEventFilter(this);
    FormClose();
}

bool TFRuvenal::FormCreate() {
    try {
        // A failure outside the named steps is logged under start-up as a whole.
        naEtapa(QStringLiteral("início"), [this] { executaInicio(); });
        return true;
    } catch (const ErroNaEtapa &e) {
        registraFalha(contexto_.programDir_, e.etapa(), e.texto());
    } catch (...) {
        registraFalha(contexto_.programDir_, QStringLiteral("início"), QStringLiteral("erro desconhecido"));
    }
    // Whatever failed, the operator sees the one warning; the error's own text goes to the log only.
    Aviso(QString::fromUtf8(avisoBolix));
    close();
    return false;
}

void TFRuvenal::executaInicio() {
    const ConfiguracaoInicial cfg = naEtapa(QStringLiteral("sistema_zel.ini"), [this] {
        return leConfiguracaoInicial(contexto_.configuracao(), contexto_.estado_);
    });
    tabExporta->DirFinal->setText(cfg.enderecoDestino);
    tabSegundaVia->edPasta->setText(cfg.enderecoDestino);
    tabImportarRet->fnLocalLeitura->setText(cfg.enderecoLeitura);

    auto &conexao = contexto_.conexao_;
    conexao = std::make_unique<Connection>();
    conexao->configura(cfg.host, cfg.database, cfg.senha);
    conexao->defineEspera([](bool emExecucao) {
        if (emExecucao)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    // Connecting on its own, just before the caption's statement would, so that the log tells a
    // connection refused from a statement refused.
    naEtapa(QStringLiteral("conexão com o banco de dados"), [&] { conexao->conecta(); });
    naEtapa(QStringLiteral("título da janela (tabela bancos)"), [this] { atualizaTitulo(); });

    naEtapa(QStringLiteral("componente Bolix.ContaCorrente"),
            [this] { contexto_.ObjBolix = boleto::ObjetoBolix::cria(contexto_.programDir_); });

    naEtapa(QStringLiteral("empresas"), [&] { tabExporta->abreEmpresas(cfg.codEmpresa); });
    tabExporta->rbClienteClick();
    pcPrincipal->setCurrentWidget(tabExporta);
    preparaBoletosEmitidos();
    // After the record of issued boletos is ready: registrations finished now keep their QR in it.
    tabImportarRet->butConsultarBanco->setVisible(
        AnunciaRegistroNoBanco(contexto_.ObjBolix, contexto_.conexao()));
}

// The record of issued boletos in its present shape. Numbers it holds twice (issued before it refused them)
// keep it from refusing more, but not the program from working: the operator is told which they are.
void TFRuvenal::preparaBoletosEmitidos() {
    try {
        const QStringList repetidos = PreparaBoletosEmitidos(contexto_.conexao());
        if (!repetidos.isEmpty())
            Mensagens::atual().atencao(
                QStringLiteral(
                    "O registro de boletos emitidos tem nossos números repetidos: o banco recusa o "
                    "segundo registro de cada um. Confira-os com o banco:\r") +
                PrimeirosDaLista(repetidos).join(u'\r'));
    } catch (const std::exception &e) {
        Mensagens::atual().atencao(
            QStringLiteral("O registro de boletos emitidos não pôde ser atualizado: ") + textoDoErro(e));
    }
}

void TFRuvenal::atualizaTitulo() {
    setWindowTitle(TituloComBanco(contexto_.conexao(), contexto_.estado_.banco));
}

void TFRuvenal::ConfigurarConta() {
    setWindowTitle(::ConfigurarConta(controlesConta(), {contexto_.programDir_, contexto_.estado_.banco},
                                     contexto_.ObjBolix, contexto_.configuracao(), contexto_.conexao()));
}

ControlesConta TFRuvenal::controlesConta() const {
    return {pcPrincipal->currentWidget() == tabExporta, tabExporta->DirFinal->text(),
            tabExporta->checkDebitoCC->isChecked(),     tabImportarRet->fnLocalLeitura->text(),
            tabExporta->cbDtVenc->isChecked(),          contexto_.geracao_.SequenciaRemessa};
}

std::shared_ptr<void> TFRuvenal::iniciaExecucao() {
    emExecucao_ = true;
    std::vector<std::pair<QPointer<QWidget>, bool>> estados;
    const TabExporta *e = tabExporta;
    const TabImportar *i = tabImportarRet;
    for (QWidget *w : std::initializer_list<QWidget *>{
             e->bGerar, e->sbListarFunc, e->rbCliente, e->rbEmpresa, e->bConfig, e->Button1, i->butLerArquivo,
             i->butConsultarBanco, i->butProcessar, tabSegundaVia->bPesquisar, tabSegundaVia->bImprimir,
             tabSegundaVia->bSalvarPorCliente}) {
        estados.emplace_back(w, w->isEnabled());
        w->setEnabled(false);
    }
    return std::shared_ptr<void>(nullptr, [this, estados = std::move(estados)](void *) {
        for (const auto &[w, habilitado] : estados)
            if (w)
                w->setEnabled(habilitado);
        emExecucao_ = false;
    });
}

bool TFRuvenal::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->window() == this)
        return FormKeyDown(static_cast<QKeyEvent *>(event));
    return QWidget::eventFilter(watched, event);
}

bool TFRuvenal::FormKeyDown(QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        focusNextChild();
        return true;
    case Qt::Key_F5:
    case Qt::Key_F6:
    case Qt::Key_F7: {
        // Marks change the listing that a run is walking.
        if (emExecucao_)
            return true;
        const int tecla = event->key();
        guarda([this, tecla] { tabExporta->marcaComTecla(tecla); });
        return true;
    }
    default:
        return false;
    }
}

void TFRuvenal::closeEvent(QCloseEvent *event) {
    if (emExecucao_) {
        Mensagens::atual().atencao(QStringLiteral(
            "Existe um processamento em andamento. Aguarde o seu término para fechar o programa."));
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TFRuvenal::FormClose() {
    if (fechado_)
        return;
    fechado_ = true;
    // The component first, then the queries, then the connection.
    contexto_.ObjBolix = {};
    tabExporta->fecha();
    contexto_.conexao_.reset();
    qApp->quit();
}
