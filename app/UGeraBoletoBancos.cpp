#include "app/UGeraBoletoBancos.h"

#include "boleto/ObjetoBolix.h"
#include "cedente/UConfiguraCedente.h"
#include "config/IniFile.h"
#include "db/Connection.h"
#include "forms/CampoData.h"
#include "forms/CamposArquivo.h"
#include "forms/Formulario.h"
#include "generation/ConfigurarConta.h"
#include "generation/GerarArquivo.h"
#include "reports/URelBoletos.h"
#include "retorno/Baixa.h"
#include "retorno/BaixasRegistradas.h"
#include "retorno/ListaOcorrencias.h"
#include "retorno/ModeloOcorrencias.h"
#include "selection/EscolhaEmpresa.h"
#include "selection/Listagem.h"
#include "selection/Marcacao.h"
#include "selection/ModeloListagem.h"
#include "selection/Totais.h"
#include "util/Guarda.h"
#include "util/Mensagens.h"
#include "util/Progresso.h"
#include "util/Regional.h"
#include "util/RegistroDeFalhas.h"
#include "util/Rotinas.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScopeGuard>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

namespace {

const char *const avisoBolix = "É necessário que o Bolix esteja instalado neste computador.";

QLabel *rotulo(QWidget *pai, const QString &texto, QRect geometria) {
    auto *l = new QLabel(texto, pai);
    l->setGeometry(geometria);
    return l;
}

QLineEdit *campoHora(QWidget *pai, const char *nome, const QString &valor, QRect geometria) {
    auto *e = cria<QLineEdit>(pai, nome, geometria);
    // The first digit of the hour may be left out; every other digit is required.
    e->setInputMask(QStringLiteral("09:99:99;_"));
    e->setText(valor);
    return e;
}

QLabel *total(QWidget *pai, const char *nome, QRect geometria) {
    auto *l = cria<QLabel>(pai, nome, geometria);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFont(QFont(QStringLiteral("Arial"), 12, QFont::Bold));
    l->setText(QStringLiteral("R$ 0,00"));
    return l;
}

QTableView *lista(QWidget *pai, const char *nome, QRect geometria, QColor corTitulo) {
    auto *t = cria<QTableView>(pai, nome, geometria);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // No row indicator; rows of one height, so that long lists lay out and scroll at once.
    t->verticalHeader()->hide();
    t->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->verticalHeader()->setDefaultSectionSize(18);
    // The Windows window colour is the background of edits and grids, Qt's base colour.
    t->horizontalHeader()->setStyleSheet(
        // With a border of its own the title is filled flat, not shaded by the style.
        QStringLiteral("QHeaderView::section { background-color: %1; color: palette(base); border: 0px; "
                       "border-right: 1px solid palette(mid); }")
            .arg(corTitulo.name()));
    return t;
}

// A listing grid over its model, painted with the row colours.
ModeloListagem *ligaModelo(QTableView *grade, std::vector<ColunaLista> colunas,
                           std::function<bool()> debito) {
    auto *modelo = new ModeloListagem(std::move(colunas), grade);
    grade->setModel(modelo);
    grade->setItemDelegate(new PinturaLista(grade, std::move(debito)));
    for (int i = 0; i < modelo->columnCount(); ++i)
        grade->setColumnWidth(i, modelo->colunas()[size_t(i)].largura);
    // The current row has its own colour: moving it repaints the rows.
    QObject::connect(grade->selectionModel(), &QItemSelectionModel::currentRowChanged, grade,
                     [grade] { grade->viewport()->update(); });
    return modelo;
}

const char *const contaInvalidaTexto = "Esse cliente está com uma conta corrente ou agência inválida. \r"
                                       "Defina os dados corretamente no Cadastro de Clientes no SistemaZEL";

QFrame *amostra(QWidget *pai, QColor cor, QRect geometria) {
    auto *f = new QFrame(pai);
    f->setGeometry(geometria);
    f->setFrameShape(QFrame::Box);
    f->setAutoFillBackground(true);
    f->setStyleSheet(QStringLiteral("background-color: %1;").arg(cor.name()));
    return f;
}

// A run's count, "x de y", shown while the run goes on.
QProgressBar *barraProgresso(QWidget *pai, const char *nome, QRect geometria) {
    auto *barra = cria<QProgressBar>(pai, nome, geometria);
    barra->setFormat(QStringLiteral("%v de %m"));
    barra->hide();
    return barra;
}

Progresso::Mostra mostraEm(QProgressBar *barra) {
    return [barra](qint64 feitas, qint64 total) {
        barra->setMaximum(int(total));
        barra->setValue(int(feitas));
        barra->show();
    };
}

} // namespace

TFRuvenal::TFRuvenal(const QString &programDir, QWidget *parent) : QWidget(parent), programDir_(programDir) {
    setObjectName(QStringLiteral("FRuvenal"));
    setWindowTitle(QStringLiteral("Ruvenal 1.0.0.34"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFont(fonteFormulario());
    setFixedSize(660, 526);

    pcPrincipal = cria<QTabWidget>(this, "pcPrincipal", QRect(0, 0, 660, 526));
    criaTabExporta();
    criaTabImportar();
    ligaEventos();
    // Key preview: the window sees every key before the focused control.
    qApp->installEventFilter(this);
}

TFRuvenal::~TFRuvenal() {
    qApp->removeEventFilter(this);
    FormClose();
}

void TFRuvenal::criaTabExporta() {
    tabExporta = new QWidget;
    tabExporta->setObjectName(QStringLiteral("tabExporta"));
    pcPrincipal->addTab(tabExporta, QStringLiteral("Exporta Arquivo"));
    criaPainelSuperior(tabExporta);
    criaPainelMeio(tabExporta);

    dbFuncs = lista(tabExporta, "dbFuncs", QRect(4, 212, 646, 222), corWindows(0x00804000));
    dbEmpresas = lista(tabExporta, "dbEmpresas", QRect(4, 212, 646, 222), corWindows(0x00804000));
    dbFuncs->setEnabled(false);
    dbEmpresas->setEnabled(false);
    dbEmpresas->hide();
    modeloFuncs_ = ligaModelo(dbFuncs, colunasDbFuncs(), [this] { return checkDebitoCC->isChecked(); });
    modeloEmpresas_ = ligaModelo(dbEmpresas, colunasDbEmpresas(), {});
    // The due date shows only once a listing is grouped by it.
    dbFuncs->setColumnHidden(modeloFuncs_->coluna(QStringLiteral("vencimento")), true);

    criaPainelInferior(tabExporta);
}

void TFRuvenal::criaPainelSuperior(QWidget *p) {
    rbCliente = cria<QRadioButton>(p, "rbCliente", QRect(8, 8, 140, 18));
    rbCliente->setText(QStringLiteral("Boleto por Cliente"));
    rbCliente->setChecked(true);
    rbEmpresa = cria<QRadioButton>(p, "rbEmpresa", QRect(8, 28, 140, 18));
    rbEmpresa->setText(QStringLiteral("Boleto por Empresa"));

    cbDtVenc = cria<QCheckBox>(p, "cbDtVenc", QRect(8, 54, 140, 18));
    cbDtVenc->setText(QStringLiteral("Data Vencimento"));
    cbDtVenc->setChecked(true);
    dtVencimento = cria<CampoData>(p, "dtVencimento", QRect(8, 74, 110, 22));
    dtVencimento->setStyleSheet(
        QStringLiteral("QDateEdit:disabled { background-color: %1; }").arg(corWindows(0x00E0E0E0).name()));

    rotulo(p, QStringLiteral("Destino do Arquivo"), QRect(8, 102, 140, 16));
    DirFinal = new CampoPasta(p);
    DirFinal->setObjectName(QStringLiteral("DirFinal"));
    DirFinal->setGeometry(8, 118, 184, 22);

    GBPeriodo = cria<QGroupBox>(p, "GBPeriodo", QRect(200, 4, 250, 140));
    GBPeriodo->setTitle(QStringLiteral("Período"));
    rotulo(GBPeriodo, QStringLiteral("Utilizar Data da:"), QRect(8, 20, 90, 18));
    ComboBox1 = cria<QComboBox>(GBPeriodo, "ComboBox1", QRect(100, 18, 140, 22));
    ComboBox1->setEditable(true);
    ComboBox1->addItems({QStringLiteral("Venda"), QStringLiteral("Vencimento")});
    ComboBox1->setCurrentIndex(0);
    rotulo(GBPeriodo, QStringLiteral("Data Inicial"), QRect(8, 44, 110, 16));
    dtDataInicial = cria<CampoData>(GBPeriodo, "dtDataInicial", QRect(8, 60, 110, 22));
    rotulo(GBPeriodo, QStringLiteral("Data Final"), QRect(128, 44, 110, 16));
    dtDataFinal = cria<CampoData>(GBPeriodo, "dtDataFinal", QRect(128, 60, 110, 22));
    rotulo(GBPeriodo, QStringLiteral("Hora Inicial"), QRect(8, 84, 110, 16));
    dtHoraInicial = campoHora(GBPeriodo, "dtHoraInicial", QStringLiteral("00:00:00"), QRect(8, 100, 70, 22));
    rotulo(GBPeriodo, QStringLiteral("Hora Final"), QRect(128, 84, 110, 16));
    dtHoraFinal = campoHora(GBPeriodo, "dtHoraFinal", QStringLiteral("23:59:59"), QRect(128, 100, 70, 22));
    CheckBox1 = cria<QCheckBox>(p, "CheckBox1", QRect(208, 146, 180, 18));
    CheckBox1->setText(QStringLiteral("Agrupar por vencimento"));

    GBEmpresa = cria<QGroupBox>(p, "GBEmpresa", QRect(456, 4, 194, 84));
    GBEmpresa->setTitle(QStringLiteral("Empresa"));
    edCodEmpres = cria<QLineEdit>(GBEmpresa, "edCodEmpres", QRect(8, 20, 50, 22));
    lkEmpresa = cria<QComboBox>(GBEmpresa, "lkEmpresa", QRect(8, 48, 178, 22));
    lkEmpresa->setMaxVisibleItems(8);
    // Under a style sheet the drop-down's own item painter draws the highlighted entry white on white;
    // the grid's painter gives it the selection colours.
    lkEmpresa->setItemDelegate(new QStyledItemDelegate(lkEmpresa));
    sbListarFunc = cria<QToolButton>(GBEmpresa, "sbListarFunc", QRect(150, 16, 36, 28));
    sbListarFunc->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    sbListarFunc->setToolTip(QStringLiteral("Iniciar pesquisa por contas abertas."));

    auto *gbDebito = cria<QGroupBox>(p, "GBDebito", QRect(456, 92, 194, 48));
    gbDebito->setTitle(QStringLiteral("Débito em conta corrente"));
    checkDebitoCC = cria<QCheckBox>(gbDebito, "checkDebitoCC", QRect(6, 20, 186, 18));
    checkDebitoCC->setText(QStringLiteral("Ativar débito em conta corrente"));
}

void TFRuvenal::criaPainelMeio(QWidget *p) {
    cbImprimir = cria<QCheckBox>(p, "cbImprimir", QRect(8, 172, 120, 18));
    cbImprimir->setText(QStringLiteral("Imprimir Boleto"));
    bConfig = cria<QPushButton>(p, "bConfig", QRect(130, 168, 170, 26));
    bConfig->setText(QStringLiteral("Configurações do Boleto..."));

    auto *gbMarcado = cria<QGroupBox>(p, "GBTotalMarcado", QRect(310, 160, 166, 46));
    gbMarcado->setTitle(QStringLiteral("Total Marcado"));
    labTotMarc = total(gbMarcado, "labTotMarc", QRect(6, 18, 154, 22));
    auto *gbGeral = cria<QGroupBox>(p, "GBTotalGeral", QRect(484, 160, 166, 46));
    gbGeral->setTitle(QStringLiteral("Total Geral"));
    labTotGeral = total(gbGeral, "labTotGeral", QRect(6, 18, 154, 22));
}

void TFRuvenal::criaPainelInferior(QWidget *p) {
    rotulo(p, QStringLiteral("F5 - Marca / Desmarca   F6 - Todos   F7 - Nenhum"), QRect(8, 440, 300, 16));
    amostra(p, corWindows(0x00B7B7FF), QRect(8, 460, 14, 14));
    rotulo(p, QStringLiteral("Marcados para Seleção"), QRect(26, 459, 150, 16));
    amostra(p, corWindows(0x00BFBF80), QRect(8, 478, 14, 14));
    rotulo(p, QStringLiteral("Agencia / Conta Corrente Inválida"), QRect(26, 477, 190, 16));

    Button1 = cria<QPushButton>(p, "Button1", QRect(330, 462, 100, 28));
    Button1->setText(QStringLiteral("Relatório"));
    bGerar = cria<QPushButton>(p, "bGerar", QRect(438, 462, 100, 28));
    bGerar->setText(QStringLiteral("Gerar Arquivo"));
    bCancelar = cria<QPushButton>(p, "bCancelar", QRect(546, 462, 100, 28));
    bCancelar->setText(QStringLiteral("Cancelar"));
    pbGeracao = barraProgresso(p, "pbGeracao", QRect(330, 440, 316, 18));
}

void TFRuvenal::criaTabImportar() {
    tabImportarRet = new QWidget;
    tabImportarRet->setObjectName(QStringLiteral("tabImportarRet"));
    pcPrincipal->addTab(tabImportarRet, QStringLiteral("Importar Retorno"));
    QWidget *p = tabImportarRet;

    rotulo(p, QStringLiteral("Local do arquivo:"), QRect(8, 10, 120, 16))
        ->setObjectName(QStringLiteral("Label4"));
    fnLocalLeitura = new CampoArquivo(
        p,
        QStringLiteral("Arquivo Retorno (*.ret)|*.ret|Arquivo Texto (*.txt)|*.txt|Todos Arquivos (*.*)|*.*"));
    fnLocalLeitura->setObjectName(QStringLiteral("fnLocalLeitura"));
    fnLocalLeitura->setGeometry(8, 28, 400, 22);

    // The totals panel: shown or hidden as one.
    painelTotais = cria<QFrame>(p, "Bevel3", QRect(416, 4, 234, 72));
    static_cast<QFrame *>(painelTotais)->setFrameShape(QFrame::StyledPanel);
    rotulo(painelTotais, QStringLiteral("Total Debitado"), QRect(6, 4, 110, 18))
        ->setObjectName(QStringLiteral("Label9"));
    rotulo(painelTotais, QStringLiteral("Total não Debitado"), QRect(6, 26, 110, 18))
        ->setObjectName(QStringLiteral("Label10"));
    rotulo(painelTotais, QStringLiteral("Qtde de Registros"), QRect(6, 48, 110, 18))
        ->setObjectName(QStringLiteral("Label11"));
    rotulo(painelTotais, QStringLiteral("R$"), QRect(120, 4, 20, 18))
        ->setObjectName(QStringLiteral("Label12"));
    rotulo(painelTotais, QStringLiteral("R$"), QRect(120, 26, 20, 18))
        ->setObjectName(QStringLiteral("Label16"));
    QFont negrito = font();
    negrito.setBold(true);
    const auto valor = [&](const char *nome, const char *texto, int y) {
        QLabel *l = cria<QLabel>(painelTotais, nome, QRect(140, y, 86, 18));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setFont(negrito);
        l->setText(QLatin1String(texto));
        return l;
    };
    lblTotDebitado = valor("lblTotDebitado", "0,00", 4);
    lblTotNDebitado = valor("lblTotNDebitado", "0,00", 26);
    lblQtdeReg = valor("lblQtdeReg", "0", 48);
    painelTotais->hide();

    dbLista = lista(p, "dbLista", QRect(4, 84, 646, 350), QColor(0, 64, 128));
    modeloLista_ = ligaListaOcorrencias(dbLista);

    amostra(p, QColor(255, 183, 183), QRect(8, 448, 14, 14))->setObjectName(QStringLiteral("Shape3"));
    rotulo(p, QStringLiteral("Débitos não Efetuados"), QRect(26, 447, 150, 16))
        ->setObjectName(QStringLiteral("Label8"));
    amostra(p, CorJaBaixada, QRect(8, 466, 14, 14))->setObjectName(QStringLiteral("ShapeJaBaixados"));
    rotulo(p, QStringLiteral("Já baixados"), QRect(26, 465, 150, 16))
        ->setObjectName(QStringLiteral("LabelJaBaixados"));
    butLerArquivo = cria<QPushButton>(p, "butLerArquivo", QRect(330, 462, 100, 28));
    butLerArquivo->setText(QStringLiteral("Ler Arquivo"));
    butProcessar = cria<QPushButton>(p, "butProcessar", QRect(438, 462, 100, 28));
    butProcessar->setText(QStringLiteral("Processar"));
    butProcessar->setEnabled(false);
    butCancela = cria<QPushButton>(p, "butCancela", QRect(546, 462, 100, 28));
    butCancela->setText(QStringLiteral("Cancelar"));
    pbRetorno = barraProgresso(p, "pbRetorno", QRect(180, 467, 140, 18));
}

void TFRuvenal::ligaEventos() {
    connect(bCancelar, &QPushButton::clicked, this, &QWidget::close);
    connect(butCancela, &QPushButton::clicked, this, &QWidget::close);
    connect(butLerArquivo, &QPushButton::clicked, this, [this] { guarda([this] { butLerArquivoClick(); }); });
    connect(butProcessar, &QPushButton::clicked, this, [this] { guarda([this] { butProcessarClick(); }); });
    // The mode changes when a button becomes selected, not when the selected one is clicked again.
    for (QRadioButton *modo : {rbCliente, rbEmpresa})
        connect(modo, &QRadioButton::toggled, this, [this](bool selecionado) {
            if (selecionado)
                guarda([this] { rbClienteClick(); });
        });
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { guarda([this] { CheckBox1Click(); }); });
    connect(cbDtVenc, &QCheckBox::toggled, this, [this] { guarda([this] { cbDtVencClick(); }); });
    connect(edCodEmpres, &QLineEdit::textChanged, this, [this] { guarda([this] { edCodEmpresChange(); }); });
    connect(lkEmpresa, &QComboBox::activated, this,
            [this](int i) { guarda([this, i] { lkEmpresaChange(i); }); });
    connect(sbListarFunc, &QToolButton::clicked, this, [this] { guarda([this] { sbListarFuncClick(); }); });
    connect(checkDebitoCC, &QCheckBox::clicked, this, [this] { guarda([this] { checkDebitoCCClick(); }); });
    connect(bConfig, &QPushButton::clicked, this, [this] { guarda([this] { bConfigClick(); }); });
    connect(bGerar, &QPushButton::clicked, this, [this] { guarda([this] { bGerarClick(); }); });
    connect(Button1, &QPushButton::clicked, this, [this] { guarda([this] { Button1Click(); }); });
    // Only digits, Backspace and Enter reach the company code.
    edCodEmpres->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edCodEmpres));
}

bool TFRuvenal::FormCreate() {
    try {
        // A failure outside the named steps is logged under start-up as a whole.
        naEtapa(QStringLiteral("início"), [this] { executaInicio(); });
        return true;
    } catch (const ErroNaEtapa &e) {
        registraFalha(programDir_, e.etapa(), e.texto());
    } catch (...) {
        registraFalha(programDir_, QStringLiteral("início"), QStringLiteral("erro desconhecido"));
    }
    // Whatever failed, the operator sees the one warning; the error's own text goes to the log only.
    Aviso(QString::fromUtf8(avisoBolix));
    close();
    return false;
}

IniFile TFRuvenal::configuracao() const {
    return IniFile(QDir(programDir_).filePath(QStringLiteral("sistema_zel.ini")));
}

void TFRuvenal::executaInicio() {
    const ConfiguracaoInicial cfg = naEtapa(
        QStringLiteral("sistema_zel.ini"), [this] { return leConfiguracaoInicial(configuracao(), estado_); });
    DirFinal->setText(cfg.enderecoDestino);
    fnLocalLeitura->setText(cfg.enderecoLeitura);

    conexao_ = std::make_unique<Connection>();
    conexao_->configura(cfg.host, cfg.database, cfg.senha);
    conexao_->defineEspera([](bool emExecucao) {
        if (emExecucao)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    // Connecting on its own, just before the caption's statement would, so that the log tells a
    // connection refused from a statement refused.
    naEtapa(QStringLiteral("conexão com o banco de dados"), [this] { conexao_->conecta(); });
    naEtapa(QStringLiteral("título da janela (tabela bancos)"), [this] { atualizaTitulo(); });

    naEtapa(QStringLiteral("componente Bolix.ContaCorrente"),
            [this] { ObjBolix = boleto::ObjetoBolix::cria(programDir_); });

    naEtapa(QStringLiteral("empresas"), [&] { abreEmpresas(cfg.codEmpresa); });
    rbClienteClick();
    pcPrincipal->setCurrentWidget(tabExporta);
}

void TFRuvenal::atualizaTitulo() {
    setWindowTitle(TituloComBanco(*conexao_, estado_.banco));
}

void TFRuvenal::abreEmpresas(const QString &codEmpresa) {
    empresas_ = std::make_unique<EscolhaEmpresa>(conexao_->abre(EscolhaEmpresa::sqlEmpresas()));
    lkEmpresa->clear();
    for (const EscolhaEmpresa::Empresa &e : empresas_->empresas())
        lkEmpresa->addItem(e.nome, e.id);

    // Opening positions on the first company, which is chosen; then the remembered code is
    // written and chosen when it exists. Both happen even when the field already shows the code.
    const QSignalBlocker bloqueio(edCodEmpres);
    if (empresas_->posicionaPrimeira())
        QEmpresasAfterScroll();
    edCodEmpres->setText(codEmpresa);
    edCodEmpresChange();
}

void TFRuvenal::QEmpresasAfterScroll() {
    edCodEmpres->setText(QString::number(empresas_->atual().id));
    edCodEmpresChange();
}

void TFRuvenal::edCodEmpresChange() {
    if (!empresas_)
        return;
    const int antes = empresas_->posicao();
    if (!empresas_->escolhePorCodigo(edCodEmpres->text()))
        return;
    mostraEmpresaEscolhida();
    if (empresas_->posicao() != antes) {
        const QSignalBlocker bloqueio(edCodEmpres);
        edCodEmpres->setText(QString::number(empresas_->atual().id));
    }
}

void TFRuvenal::lkEmpresaChange(int indice) {
    empresas_->escolhe(lkEmpresa->itemData(indice).toInt());
    mostraEmpresaEscolhida();
    // The drop-down moves QEmpresas to the company picked, so the code field follows the name.
    edCodEmpres->setText(QString::number(empresas_->codempres()));
}

void TFRuvenal::mostraEmpresaEscolhida() {
    lkEmpresa->setCurrentIndex(lkEmpresa->findData(empresas_->codempres()));
}

void TFRuvenal::rbClienteClick() {
    HabilitaClienteEmpresa(rbEmpresa->isChecked());
}

void TFRuvenal::HabilitaClienteEmpresa(bool porEmpresa) {
    dbFuncs->setVisible(!porEmpresa);
    dbFuncs->setEnabled(!porEmpresa);
    dbEmpresas->setVisible(porEmpresa);
    dbEmpresas->setEnabled(porEmpresa);

    (porEmpresa ? modeloFuncs_ : modeloEmpresas_)->fecha();

    edCodEmpres->setEnabled(!porEmpresa);
    lkEmpresa->setEnabled(!porEmpresa);
    CheckBox1->setEnabled(!porEmpresa);
    const QString fundo = porEmpresa ? corWindows(0x00E0E0E0).name() : QStringLiteral("palette(base)");
    // A border of their own keeps the style from shading the drop-down like a button.
    const QString folha = QStringLiteral("background-color: %1; border: 1px solid palette(mid);").arg(fundo);
    edCodEmpres->setStyleSheet(folha);
    lkEmpresa->setStyleSheet(folha);

    labTotMarc->setText(QStringLiteral("R$ 0,00"));
    labTotGeral->setText(QStringLiteral("R$ 0,00"));
}

void TFRuvenal::CheckBox1Click() {
    cbDtVenc->setChecked(!CheckBox1->isChecked());
}

void TFRuvenal::cbDtVencClick() {
    dtVencimento->setEnabled(cbDtVenc->isChecked());
}

ResultSet *TFRuvenal::QListaFunc() const {
    return modeloFuncs_->lista();
}

ResultSet *TFRuvenal::QListEmpres() const {
    return modeloEmpresas_->lista();
}

void TFRuvenal::sbListarFuncClick() {
    estado_.CampoData = CampoDataDe(ComboBox1->currentText());
    sbListarFunc->setEnabled(false);
    const auto reabilita = qScopeGuard([this] { sbListarFunc->setEnabled(true); });

    const ResultSet QTemp = conexao_->abre(sqlFilial(estado_.FilialAtual));
    const std::optional<int> filial = aplicaFiltroFilial(QTemp, estado_.FilialAtual, estado_.FilialLogica)
                                          ? std::optional(estado_.FilialLogica)
                                          : std::nullopt;
    const Periodo periodo{estado_.CampoData, dtDataInicial->date(), dtDataFinal->date(),
                          dtHoraInicial->text(), dtHoraFinal->text()};
    if (rbEmpresa->isChecked()) {
        // A new statement closes the previous result and its totals, even when it then fails.
        modeloEmpresas_->fecha();
        CalcularTotal();
        abreLista(dbEmpresas, modeloEmpresas_, conexao_->abre(sqlListaEmpresas(*conexao_, periodo, filial)));
    } else {
        dbFuncs->setColumnHidden(modeloFuncs_->coluna(QStringLiteral("vencimento")), !CheckBox1->isChecked());
        modeloFuncs_->fecha();
        CalcularTotal();
        ResultSet lista = conexao_->abre(
            sqlListaClientes(*conexao_, periodo, empresas_->codempres(), CheckBox1->isChecked(), filial));
        acrescentaTotalComJuros(lista);
        abreLista(dbFuncs, modeloFuncs_, std::move(lista));
    }
}

void TFRuvenal::abreLista(QTableView *grade, ModeloListagem *modelo, ResultSet resultado) {
    modelo->abre(std::move(resultado));
    if (modelo->rowCount() > 0)
        grade->setCurrentIndex(modelo->index(0, 0));
    // A listing whose totals cannot be summed fails whole: its grid closes with the totals at zero.
    try {
        CalcularTotal();
    } catch (...) {
        modelo->fecha();
        throw;
    }
    if (modelo->rowCount() == 0)
        Mensagens::atual().mensagem(QStringLiteral("Não existe dados na pesquisa efetuada nesse período."));
}

void TFRuvenal::marcaComTecla(int tecla) {
    const bool porEmpresa = rbEmpresa->isChecked();
    QTableView *grade = porEmpresa ? dbEmpresas : dbFuncs;
    ModeloListagem *modelo = porEmpresa ? modeloEmpresas_ : modeloFuncs_;
    ResultSet *lista = modelo->lista();
    if (!lista)
        return;
    // Bank data only matter for a client's direct debit.
    const bool exigeConta = !porEmpresa && checkDebitoCC->isChecked();
    if (tecla == Qt::Key_F5) {
        const int linha = grade->currentIndex().row();
        if (linha < 0)
            return;
        if (alternaMarca(*lista, linha, exigeConta) == Marca::Recusou) {
            Mensagens::atual().atencao(QString::fromUtf8(contaInvalidaTexto));
            return;
        }
        modelo->marcasAlteradas(linha, linha);
    } else {
        if (tecla == Qt::Key_F6)
            marcaTodas(*lista, exigeConta);
        else
            desmarcaTodas(*lista);
        modelo->marcasAlteradas(0, lista->linhas() - 1);
    }
    CalcularTotal();
}

void TFRuvenal::CalcularTotal() {
    const bool porEmpresa = rbEmpresa->isChecked();
    const ResultSet *lista = (porEmpresa ? modeloEmpresas_ : modeloFuncs_)->lista();
    const auto mostra = [this](const Totais &t) {
        labTotGeral->setText(textoTotal(t.geral));
        labTotMarc->setText(textoTotal(t.marcado));
    };
    // Zero until the sums are known: a sum that fails never leaves an old or wrong amount shown.
    mostra({});
    if (lista)
        mostra(somaTotais(*lista, porEmpresa ? "TOTAL" : "totalcomjuros"));
    (porEmpresa ? dbEmpresas : dbFuncs)->viewport()->update();
}

void TFRuvenal::checkDebitoCCClick() {
    const ResultSet *clientes = modeloFuncs_->lista();
    (clientes && !clientes->vazio() ? dbFuncs : dbEmpresas)->viewport()->update();
}

void TFRuvenal::bConfigClick() {
    TFConfigCedente dialogo(configuracao(), estado_.banco, estado_.carteira, this);
    if (dialogo.exec() == QDialog::Accepted)
        ConfigurarConta();
}

void TFRuvenal::ConfigurarConta() {
    setWindowTitle(::ConfigurarConta(controlesConta(), {programDir_, estado_.banco}, ObjBolix, configuracao(),
                                     *conexao_));
}

ControlesConta TFRuvenal::controlesConta() const {
    return {pcPrincipal->currentWidget() == tabExporta,
            DirFinal->text(),
            checkDebitoCC->isChecked(),
            fnLocalLeitura->text(),
            cbDtVenc->isChecked(),
            geracao_.SequenciaRemessa};
}

ControlesGeracao TFRuvenal::controlesGeracao() const {
    ControlesGeracao c;
    c.porEmpresa = rbEmpresa->isChecked();
    c.periodo = {CampoDataDe(ComboBox1->currentText()), dtDataInicial->date(), dtDataFinal->date(),
                 dtHoraInicial->text(), dtHoraFinal->text()};
    c.agruparPorVencimento = CheckBox1->isChecked() && CheckBox1->isEnabled();
    c.cbDtVenc = cbDtVenc->isChecked();
    c.dtVencimento = dtVencimento->date();
    c.checkDebitoCC = checkDebitoCC->isChecked();
    c.cbImprimir = cbImprimir->isChecked();
    c.DirFinal = DirFinal->text();
    c.edCodEmpres = edCodEmpres->text();
    return c;
}

// The listing is walked in memory and never moves its grid's current row, so the grid needs no detaching
// and shows the same row after the run, whether it ends or stops with an error.
void TFRuvenal::bGerarClick() {
    const ControlesGeracao controles = controlesGeracao();
    const auto execucao = iniciaExecucao();
    const auto esconde = qScopeGuard([this] {
        pbGeracao->hide();
        (rbEmpresa->isChecked() ? dbEmpresas : dbFuncs)->viewport()->update();
    });
    AmbienteGeracao ambiente{estado_, programDir_, ObjBolix, configuracao(), *conexao_, mostraEm(pbGeracao)};
    GerarArquivo(controles, {QListaFunc(), QListEmpres()}, geracao_, ambiente,
                 [this](const QString &titulo) { setWindowTitle(titulo); });
}

void TFRuvenal::Button1Click() {
    TFRelBoletos dialogo(*conexao_);
    dialogo.exec();
}

void TFRuvenal::butLerArquivoClick() {
    bool terminou = false;
    {
        const auto execucao = iniciaExecucao();
        terminou = carregaRetorno();
    }
    butProcessar->setEnabled(podeProcessar());
    if (!terminou)
        return;
    configuracao().gravarTexto(QStringLiteral("Ruvenal"), QStringLiteral("endereco_leitura"),
                               fnLocalLeitura->text());
    const int linhas = modeloLista_->rowCount();
    if (linhas == 0)
        Mensagens::atual().atencao(QStringLiteral("Não existem registro de boletos enviado pelo banco."));
    else if (jaBaixadas_ == 0)
        Mensagens::atual().atencao(QStringLiteral("Pagamentos Carregados"));
    else
        Mensagens::atual().atencao(QStringLiteral("Pagamentos Carregados\r") +
                                   MensagemJaBaixadas(jaBaixadas_, linhas));
    // A payment that no receivable carries is not listed; the bank moved the money all the same.
    if (!naoEncontrados_.isEmpty())
        Mensagens::atual().atencao(naoEncontrados_);
}

// False when the click ended at the message that the file is not there.
bool TFRuvenal::carregaRetorno() {
    const Money TaxaBoleto = LeTaxaBoleto(configuracao());
    const QString caminho = CaminhoDoRetorno(fnLocalLeitura->text());
    naoEncontrados_.clear();
    if (!QFileInfo(caminho).isFile())
        return true;
    ArquivoRetorno arquivo = LeArquivoRetorno(caminho);
    PreparaBaixasRegistradas(*conexao_, QDir(programDir_).filePath(QStringLiteral("retornos_baixados.txt")));
    const auto escondeProgresso = qScopeGuard([this] { pbRetorno->hide(); });
    if (arquivo.modo == ModoRetorno::Debito) {
        painelTotais->show();
        ListaRetornoDebito(std::move(arquivo), TaxaBoleto);
        return true;
    }
    painelTotais->hide();
    return ListaOcorrenciasBoleto(std::move(arquivo), TaxaBoleto);
}

bool TFRuvenal::ListaOcorrenciasBoleto(ArquivoRetorno arquivo, Money TaxaBoleto) {
    fnLocalLeitura->setText(RemoveAspas(fnLocalLeitura->text()));
    // Tested before the component reads it, so that a name it cannot open gets this message.
    if (!QFileInfo(fnLocalLeitura->text()).isFile()) {
        Mensagens::atual().mensagem(QStringLiteral("Arquivo: ") + fnLocalLeitura->text() +
                                    QStringLiteral(" não encontrado.\rInsira o diretório correto."));
        return false;
    }
    ConfigurarConta();
    const std::vector<Ocorrencia> ocorrencias = OcorrenciasBoleto(ObjBolix, TaxaBoleto);
    ListaRetorno lista = ListaOcorrencias(*conexao_, ModoRetorno::Boleto, ocorrencias, mostraEm(pbRetorno));
    naoEncontrados_ = MensagemPagamentosNaoEncontrados(lista);
    abreOcorrencias(std::move(lista.QListaTemp), std::move(arquivo));
    return true;
}

void TFRuvenal::ListaRetornoDebito(ArquivoRetorno arquivo, Money TaxaBoleto) {
    const std::vector<Ocorrencia> ocorrencias = OcorrenciasDebito(arquivo.linhas, TaxaBoleto);
    ListaRetorno lista = ListaOcorrencias(*conexao_, ModoRetorno::Debito, ocorrencias, mostraEm(pbRetorno));
    lblTotDebitado->setText(Regional::atual().formataGeral(lista.totalDebitado));
    lblTotNDebitado->setText(Regional::atual().formataGeral(lista.totalNaoDebitado));
    lblQtdeReg->setText(QString::number(lista.registros));
    naoEncontrados_ = MensagemPagamentosNaoEncontrados(lista);
    abreOcorrencias(std::move(lista.QListaTemp), std::move(arquivo));
}

void TFRuvenal::abreOcorrencias(ResultSet lista, ArquivoRetorno arquivo) {
    jaBaixadas_ = MarcaJaBaixadas(*conexao_, lista, arquivo.modo, arquivo.impressao);
    modeloLista_->abre(std::move(lista));
    if (modeloLista_->rowCount() > 0)
        dbLista->setCurrentIndex(modeloLista_->index(0, 0));
    // The lines are done with; the mode and the fingerprint stay for the settlement.
    arquivo.linhas.clear();
    retorno_ = std::move(arquivo);
    listaProcessada_ = false;
}

bool TFRuvenal::podeProcessar() {
    return modeloLista_->rowCount() > 0 && !listaProcessada_;
}

void TFRuvenal::butProcessarClick() {
    ResultSet *lista = modeloLista_->lista();
    if (!podeProcessar())
        return;
    ResultadoBaixa resultado;
    {
        // Settled once per loading, whether the run ends or stops with an error: disabled again once the
        // guard below has given the buttons back.
        const auto desabilita = qScopeGuard([this] { butProcessar->setEnabled(false); });
        const auto execucao = iniciaExecucao();
        listaProcessada_ = true;
        const int atual = dbLista->currentIndex().row();
        dbLista->setUpdatesEnabled(false);
        const auto repinta = qScopeGuard([this, atual] {
            pbRetorno->hide();
            dbLista->setCurrentIndex(modeloLista_->index(atual, 0));
            dbLista->setUpdatesEnabled(true);
        });
        resultado = ProcessaRetorno(*conexao_, estado_, *lista, retorno_.modo, retorno_.impressao,
                                    mostraEm(pbRetorno));
    }
    if (resultado.recusados > 0)
        Mensagens::atual().atencao(MensagemDebitosRecusados(resultado.recusados));
    Mensagens::atual().atencao(MensagemProcessoConcluido(resultado));
}

std::shared_ptr<void> TFRuvenal::iniciaExecucao() {
    emExecucao_ = true;
    std::vector<std::pair<QPointer<QWidget>, bool>> estados;
    for (QWidget *w : std::initializer_list<QWidget *>{bGerar, sbListarFunc, rbCliente, rbEmpresa, bConfig,
                                                       Button1, butLerArquivo, butProcessar}) {
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
        guarda([this, tecla] { marcaComTecla(tecla); });
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
    ObjBolix = {};
    modeloFuncs_->fecha();
    modeloEmpresas_->fecha();
    empresas_.reset();
    conexao_.reset();
    qApp->quit();
}
