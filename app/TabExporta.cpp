#include "app/TabExporta.h"

#include "app/ContextoAbas.h"
#include "app/ControlesJanela.h"
#include "cedente/UConfiguraCedente.h"
#include "config/IniFile.h"
#include "db/Connection.h"
#include "forms/CampoData.h"
#include "forms/CamposArquivo.h"
#include "forms/Formulario.h"
#include "generation/GerarArquivo.h"
#include "reports/URelBoletos.h"
#include "selection/EscolhaEmpresa.h"
#include "selection/Listagem.h"
#include "selection/Marcacao.h"
#include "selection/ModeloListagem.h"
#include "selection/Totais.h"
#include "util/Guarda.h"
#include "util/Mensagens.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScopeGuard>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>

namespace {

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

} // namespace

TabExporta::TabExporta(ContextoAbas &contexto) : contexto_(contexto) {
    setObjectName(QStringLiteral("tabExporta"));
    criaPainelSuperior();
    criaPainelMeio();
    criaListas();
    criaPainelInferior();
    ligaEventos();
}

TabExporta::~TabExporta() = default;

void TabExporta::criaListas() {
    dbFuncs = lista(this, "dbFuncs", QRect(4, 212, 646, 222), corWindows(0x00804000));
    dbEmpresas = lista(this, "dbEmpresas", QRect(4, 212, 646, 222), corWindows(0x00804000));
    dbFuncs->setEnabled(false);
    dbEmpresas->setEnabled(false);
    dbEmpresas->hide();
    modeloFuncs_ = ligaModelo(dbFuncs, colunasDbFuncs(), [this] { return checkDebitoCC->isChecked(); });
    modeloEmpresas_ = ligaModelo(dbEmpresas, colunasDbEmpresas(), {});
    // The due date shows only once a listing is grouped by it.
    dbFuncs->setColumnHidden(modeloFuncs_->coluna(QStringLiteral("vencimento")), true);
}

void TabExporta::ligaEventos() {
    connect(bCancelar, &QPushButton::clicked, this, [this] { window()->close(); });
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

void TabExporta::fecha() {
    modeloFuncs_->fecha();
    modeloEmpresas_->fecha();
    empresas_.reset();
}

void TabExporta::criaPainelSuperior() {
    QWidget *p = this;
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
    DirFinal = cria<CampoPasta>(p, "DirFinal", QRect(8, 118, 184, 22));

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

void TabExporta::criaPainelMeio() {
    QWidget *p = this;
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

void TabExporta::criaPainelInferior() {
    QWidget *p = this;
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

void TabExporta::abreEmpresas(const QString &codEmpresa) {
    empresas_ = std::make_unique<EscolhaEmpresa>(contexto_.conexao().abre(EscolhaEmpresa::sqlEmpresas()));
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

void TabExporta::QEmpresasAfterScroll() {
    edCodEmpres->setText(QString::number(empresas_->atual().id));
    edCodEmpresChange();
}

void TabExporta::edCodEmpresChange() {
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

void TabExporta::lkEmpresaChange(int indice) {
    empresas_->escolhe(lkEmpresa->itemData(indice).toInt());
    mostraEmpresaEscolhida();
    // The drop-down moves QEmpresas to the company picked, so the code field follows the name.
    edCodEmpres->setText(QString::number(empresas_->codempres()));
}

void TabExporta::mostraEmpresaEscolhida() {
    lkEmpresa->setCurrentIndex(lkEmpresa->findData(empresas_->codempres()));
}

void TabExporta::rbClienteClick() {
    HabilitaClienteEmpresa(rbEmpresa->isChecked());
}

void TabExporta::HabilitaClienteEmpresa(bool porEmpresa) {
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

void TabExporta::CheckBox1Click() {
    cbDtVenc->setChecked(!CheckBox1->isChecked());
}

void TabExporta::cbDtVencClick() {
    dtVencimento->setEnabled(cbDtVenc->isChecked());
}

ResultSet *TabExporta::QListaFunc() const {
    return modeloFuncs_->lista();
}

ResultSet *TabExporta::QListEmpres() const {
    return modeloEmpresas_->lista();
}

void TabExporta::sbListarFuncClick() {
    contexto_.estadoPrograma().CampoData = CampoDataDe(ComboBox1->currentText());
    sbListarFunc->setEnabled(false);
    const auto reabilita = qScopeGuard([this] { sbListarFunc->setEnabled(true); });

    const ResultSet QTemp = contexto_.conexao().abre(sqlFilial(contexto_.estadoPrograma().FilialAtual));
    const std::optional<int> filial = aplicaFiltroFilial(QTemp, contexto_.estadoPrograma().FilialAtual,
                                                         contexto_.estadoPrograma().FilialLogica)
                                          ? std::optional(contexto_.estadoPrograma().FilialLogica)
                                          : std::nullopt;
    const Periodo periodo{contexto_.estadoPrograma().CampoData, dtDataInicial->date(), dtDataFinal->date(),
                          dtHoraInicial->text(), dtHoraFinal->text()};
    if (rbEmpresa->isChecked()) {
        // A new statement closes the previous result and its totals, even when it then fails.
        modeloEmpresas_->fecha();
        CalcularTotal();
        abreLista(dbEmpresas, modeloEmpresas_,
                  contexto_.conexao().abre(sqlListaEmpresas(contexto_.conexao(), periodo, filial)));
    } else {
        dbFuncs->setColumnHidden(modeloFuncs_->coluna(QStringLiteral("vencimento")), !CheckBox1->isChecked());
        modeloFuncs_->fecha();
        CalcularTotal();
        ResultSet lista = contexto_.conexao().abre(sqlListaClientes(
            contexto_.conexao(), periodo, empresas_->codempres(), CheckBox1->isChecked(), filial));
        acrescentaTotalComJuros(lista);
        abreLista(dbFuncs, modeloFuncs_, std::move(lista));
    }
}

void TabExporta::abreLista(QTableView *grade, ModeloListagem *modelo, ResultSet resultado) {
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

void TabExporta::marcaComTecla(int tecla) {
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

void TabExporta::CalcularTotal() {
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

void TabExporta::checkDebitoCCClick() {
    const ResultSet *clientes = modeloFuncs_->lista();
    (clientes && !clientes->vazio() ? dbFuncs : dbEmpresas)->viewport()->update();
}

void TabExporta::bConfigClick() {
    TFConfigCedente dialogo(contexto_.configuracao(), contexto_.estadoPrograma().banco,
                            contexto_.estadoPrograma().carteira, window());
    if (dialogo.exec() == QDialog::Accepted)
        contexto_.ConfigurarConta();
}

ControlesGeracao TabExporta::controlesGeracao() const {
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
void TabExporta::bGerarClick() {
    const ControlesGeracao controles = controlesGeracao();
    const auto execucao = contexto_.iniciaExecucao();
    const auto esconde = qScopeGuard([this] {
        pbGeracao->hide();
        (rbEmpresa->isChecked() ? dbEmpresas : dbFuncs)->viewport()->update();
    });
    AmbienteGeracao ambiente{contexto_.estadoPrograma(), contexto_.pastaPrograma(), contexto_.bolix(),
                             contexto_.configuracao(),   contexto_.conexao(),       mostraEm(pbGeracao),
                             situacaoEm(pbGeracao)};
    GerarArquivo(controles, {QListaFunc(), QListEmpres()}, contexto_.geracao(), ambiente,
                 [this](const QString &titulo) { window()->setWindowTitle(titulo); });
}

void TabExporta::Button1Click() {
    TFRelBoletos dialogo(contexto_.conexao());
    dialogo.exec();
}
