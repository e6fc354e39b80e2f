#include "cedente/UConfiguraCedente.h"

#include "forms/CamposArquivo.h"
#include "forms/Formulario.h"
#include "util/Guarda.h"
#include "cedente/CampoDecimal.h"
#include "cedente/ConfiguracaoCedente.h"
#include "cedente/TabelasCobranca.h"
#include "util/Mensagens.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSpinBox>
#include <QTextDocument>
#include <algorithm>
#include <climits>

namespace {

constexpr int Largura = 516;
constexpr int AlturaCampos = 552;
constexpr int AlturaPainel = 44;

void rotulo(QWidget *pai, const QString &texto, QRect campo) {
    auto *l = new QLabel(texto, pai);
    l->setGeometry(campo.x(), campo.y() - 16, campo.width(), 16);
}

// A field with its label above it.
template <typename W> W *campo(QWidget *pai, const char *nome, const QString &texto, QRect geometria) {
    rotulo(pai, texto, geometria);
    return cria<W>(pai, nome, geometria);
}

QLineEdit *display(QWidget *pai, const char *nome, const QString &rotulo, int tamanho, QRect geometria) {
    auto *e = campo<QLineEdit>(pai, nome, rotulo, geometria);
    e->setReadOnly(true);
    e->setMaxLength(tamanho);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}

// A stored text shown whole: the field's limit restricts typing, as on Windows, and never cuts what the
// file holds, or confirming without a change would rewrite it.
void mostraInteiro(QLineEdit *campo, const QString &texto) {
    campo->setMaxLength(std::max(campo->maxLength(), int(texto.size())));
    campo->setText(texto);
}

// The memo holds LF line breaks; the stored form is the Windows text with CR LF.
QString paraMemo(const QString &texto) {
    return QString(texto).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
// The memo's text as typed: toPlainText() would turn a non-breaking space into a blank.
QString doMemo(const QPlainTextEdit *memo) {
    QString texto = memo->document()->toRawText();
    texto.replace(QChar::ParagraphSeparator, QLatin1Char('\n'))
        .replace(QChar::LineSeparator, QLatin1Char('\n'));
    return texto.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

} // namespace

TFConfigCedente::TFConfigCedente(const IniFile &ini, const QString &banco, const QString &carteira,
                                 QWidget *parent)
    : QDialog(parent), ini_(ini), banco_(banco), carteira_(carteira) {
    setObjectName(QStringLiteral("FConfigCedente"));
    setWindowTitle(QStringLiteral("Configurações do Cedente"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(Largura, AlturaCampos + AlturaPainel);
    setFont(fonteFormulario());
    // On the desktop's centre, not over wherever the main window has been moved.
    move(screen()->availableGeometry().center() - rect().center());
    criaCampos();
    criaBotoes();
}

void TFConfigCedente::criaCampos() {
    edNomeEmpres =
        campo<QLineEdit>(this, "edNomeEmpres", QStringLiteral("Nome da Empresa"), QRect(8, 24, 500, 21));
    edNomeEmpres->setMaxLength(60);
    edNomeEmpres->setToolTip(QStringLiteral("Informe Sacador/Avalista ou somente mensagem."));

    edCodBanco = display(this, "edCodBanco", QStringLiteral("Banco"), 3, QRect(8, 66, 44, 21));
    edNAgencia =
        campo<QLineEdit>(this, "edNAgencia", QStringLiteral("Número Agência"), QRect(60, 66, 130, 21));
    edNAgencia->setMaxLength(20);
    edNAgencia->setToolTip(QStringLiteral("Identificação do título no Banespa."));
    edNConta = campo<QLineEdit>(this, "edNConta", QStringLiteral("Conta Corrente"), QRect(198, 66, 250, 21));
    edCodCarteira = display(this, "edCodCarteira", QStringLiteral("Carteira"), 2, QRect(456, 66, 52, 21));

    edIDEmpresa = campo<QLineEdit>(this, "edIDEmpresa", QStringLiteral("Identificação da Empresa"),
                                   QRect(8, 108, 240, 21));
    ComboEspecie =
        campo<QComboBox>(this, "ComboEspecie", QStringLiteral("Espécie do Título"), QRect(256, 108, 252, 22));
    for (const EspecieTitulo &especie : EspeciesTitulo)
        ComboEspecie->addItem(especie.nome.toString());

    ValJuros =
        campo<CampoDecimal>(this, "ValJuros", QStringLiteral("Valor de Juros"), QRect(8, 150, 170, 21));
    ValJuros->setToolTip(QStringLiteral("Valor do percentual de Juros a ser cobrado por dia de atraso."));
    ValDesconto =
        campo<CampoDecimal>(this, "ValDesconto", QStringLiteral("Valor Desconto"), QRect(256, 150, 200, 21));
    ValDesconto->setToolTip(QStringLiteral("Valor do percentual do desconto a ser concedido."));
    ValAcrescimo = campo<CampoDecimal>(this, "ValAcrescimo", QStringLiteral("Valor de Acréscimo"),
                                       QRect(8, 192, 170, 21));
    ValAcrescimo->setToolTip(QStringLiteral("Valor a ser aumentado no valor cobrado."));
    ValMulta = campo<CampoDecimal>(this, "ValMulta", QStringLiteral("Valor Multa de Atraso"),
                                   QRect(256, 192, 200, 21));
    ValMulta->setToolTip(QStringLiteral("Valor do percentual a ser aplicado de multa em caso de atraso."));

    cbInstruc =
        campo<QComboBox>(this, "cbInstruc", QStringLiteral("Instrução de Cobrança"), QRect(8, 234, 500, 22));
    cbInstruc->setEditable(true);
    cbInstruc->setInsertPolicy(QComboBox::NoInsert);
    for (QStringView instrucao : InstrucoesCobranca)
        cbInstruc->addItem(instrucao.toString());

    const QRect logotipo(8, 276, 500, 22);
    rotulo(this, QStringLiteral("Logotipo Banco Impressão"), logotipo);
    dirLogotipo =
        new CampoArquivo(this, QStringLiteral("Arquivo Imagem (*.jpg)|*.jpg|Todos Arquivos (*.*)|*.*"));
    dirLogotipo->setObjectName(QStringLiteral("dirLogotipo"));
    dirLogotipo->setGeometry(logotipo);

    spMargem = campo<QSpinBox>(this, "spMargem", QStringLiteral("Margem Superior Impressão"),
                               QRect(8, 318, 170, 21));
    spMargem->setRange(INT_MIN, INT_MAX);
    EditDiasProtesto = campo<QLineEdit>(this, "EditDiasProtesto", QStringLiteral("Dias para Protesto"),
                                        QRect(256, 318, 200, 21));

    memDemonstrativo = campo<QPlainTextEdit>(this, "memDemonstrativo", QStringLiteral("Demonstrativo"),
                                             QRect(8, 360, 500, 84));
    memDemonstrativo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memDemonstrativo->setTabChangesFocus(true);

    cbLocPadrao = cria<QCheckBox>(this, "cbLocPadrao", QRect(8, 450, 300, 18));
    cbLocPadrao->setText(QStringLiteral("Local de Pagamento Padrão"));
    cbLocPadrao->setChecked(true);
    edLocalPagamento = cria<QLineEdit>(this, "edLocalPagamento", QRect(8, 472, 500, 21));
    edLocalPagamento->setEnabled(false);
    connect(cbLocPadrao, &QCheckBox::clicked, this, [this] { guarda([this] { cbLocPadraoClick(); }); });

    JvTaxaBoleto = campo<CampoDecimal>(this, "JvTaxaBoleto", QStringLiteral("Cobrar Taxa do Boleto"),
                                       QRect(8, 520, 170, 21));
    EditSequencialRemessa =
        campo<CampoDecimal>(this, "EditSequencialRemessa", QStringLiteral("Sequência Arquivo de Remessa"),
                            QRect(256, 520, 200, 21));
    EditSequencialRemessa->setToolTip(QStringLiteral("Último Número de Sequência do Arquivo de Remessa"));
}

void TFConfigCedente::criaBotoes() {
    auto *painel = cria<QFrame>(this, "Panel1", QRect(0, AlturaCampos, Largura, AlturaPainel));
    painel->setFrameShape(QFrame::StyledPanel);
    butConfirmar = cria<QPushButton>(painel, "butConfirmar", QRect(96, 8, 160, 28));
    butConfirmar->setText(QStringLiteral("Confirmar Configurações"));
    butCancelar = cria<QPushButton>(painel, "butCancelar", QRect(264, 8, 160, 28));
    butCancelar->setText(QStringLiteral("Cancelar Configurações"));
    // Enter in a field must not confirm the dialog.
    butConfirmar->setAutoDefault(false);
    butCancelar->setAutoDefault(false);
    connect(butConfirmar, &QPushButton::clicked, this, [this] { guarda([this] { butConfirmarClick(); }); });
    connect(butCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void TFConfigCedente::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        guarda([this] { FormShow(); });
}

void TFConfigCedente::FormShow() {
    mostraInteiro(edCodBanco, banco_);
    mostraInteiro(edCodCarteira, carteira_);
    const ConfiguracaoCedente c = CarregaConfiguracaoCedente(ini_);
    mostraInteiro(edNomeEmpres, c.nomeEmpresa);
    mostraInteiro(edNAgencia, c.numAgencia);
    edNConta->setText(c.contaCorrente);
    edIDEmpresa->setText(c.identificacaoEmpresa);
    ValJuros->setValor(c.valorJuros);
    ValDesconto->setValor(c.valorDesconto);
    ValAcrescimo->setValor(c.valorAcrescimo);
    ValMulta->setValor(c.valorMulta);
    JvTaxaBoleto->setValor(c.valorTaxa);
    cbInstruc->setCurrentIndex(PosicaoInstrucao(c.instrucao));
    cbInstruc->setEditText(c.instrucao);
    dirLogotipo->setText(c.logotipoBanco);
    spMargem->setValue(c.margemSup);
    cbLocPadrao->setChecked(c.localPgtoPadrao);
    edLocalPagamento->setText(c.localPgto);
    cbLocPadraoClick();
    memDemonstrativo->setPlainText(paraMemo(c.demonstrativo));
    EditSequencialRemessa->setValor(c.sequenciaRemessa);
    ComboEspecie->setCurrentIndex(c.especieTitulo);
    EditDiasProtesto->setText(QString::number(c.diasProtesto));
    if (c.demonstrativoCortado)
        Mensagens::atual().mensagem(AvisoDemonstrativoCortado());
}

void TFConfigCedente::butConfirmarClick() {
    const std::optional<int> dias = ConverteDiasProtesto(EditDiasProtesto->text());
    if (!dias) {
        Mensagens::atual().mensagem(QStringLiteral("Dias para Protesto inválido!"));
        EditDiasProtesto->setFocus();
        return;
    }
    ConfiguracaoCedente c;
    c.nomeEmpresa = edNomeEmpres->text();
    c.numAgencia = edNAgencia->text();
    c.contaCorrente = edNConta->text();
    c.identificacaoEmpresa = edIDEmpresa->text();
    c.valorJuros = ValJuros->valor();
    c.valorDesconto = ValDesconto->valor();
    c.valorAcrescimo = ValAcrescimo->valor();
    c.valorMulta = ValMulta->valor();
    c.valorTaxa = JvTaxaBoleto->valor();
    c.instrucao = cbInstruc->currentText();
    c.logotipoBanco = dirLogotipo->text();
    c.margemSup = spMargem->value();
    c.localPgtoPadrao = cbLocPadrao->isChecked();
    c.localPgto = edLocalPagamento->text();
    c.demonstrativo = doMemo(memDemonstrativo);
    c.sequenciaRemessa = EditSequencialRemessa->valor();
    c.especieTitulo = ComboEspecie->currentIndex();
    c.diasProtesto = *dias;
    if (const std::optional<Recusa> recusa = ConfereValores(c)) {
        Mensagens::atual().mensagem(recusa->mensagem);
        campoRecusado(recusa->campo)->setFocus();
        return;
    }
    GravaConfiguracaoCedente(ini_, c);
    accept();
}

QWidget *TFConfigCedente::campoRecusado(CampoRecusado campo) const {
    switch (campo) {
    case CampoRecusado::Juros:
        return ValJuros;
    case CampoRecusado::Desconto:
        return ValDesconto;
    case CampoRecusado::Acrescimo:
        return ValAcrescimo;
    case CampoRecusado::Multa:
        return ValMulta;
    case CampoRecusado::Margem:
        return spMargem;
    case CampoRecusado::Demonstrativo:
        return memDemonstrativo;
    case CampoRecusado::Taxa:
        return JvTaxaBoleto;
    case CampoRecusado::Sequencia:
        return EditSequencialRemessa;
    }
    return nullptr;
}

void TFConfigCedente::cbLocPadraoClick() {
    edLocalPagamento->setEnabled(!cbLocPadrao->isChecked());
}

QString TFConfigCedente::CodigoEspecie(int posicao) {
    return ::CodigoEspecie(posicao);
}

QString TFConfigCedente::LerEspecieTitulo(const IniFile &ini) {
    return ::LerEspecieTitulo(ini);
}

int TFConfigCedente::LerDiasProtesto(const IniFile &ini) {
    return ::LerDiasProtesto(ini);
}
