#pragma once

#include "boleto/ObjetoBolix.h"
#include "config/EstadoPrograma.h"
#include "generation/ConfigurarConta.h"
#include "generation/Geracao.h"
#include "retorno/ArquivoRetorno.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class QToolButton;
class CampoPasta;
class CampoArquivo;
class Connection;
class EscolhaEmpresa;
class IniFile;
class ModeloListagem;
class ModeloOcorrencias;
class ResultSet;

// The main window: the export tab (listing, marking, generation) and the import tab (return files).
// It owns the connection, the component object and the program-wide state for the whole run.
class TFRuvenal : public QWidget {
    Q_OBJECT
public:
    // programDir holds sistema_zel.ini and the component's registration; the executable's folder
    // in the program, a test's own folder in tests.
    explicit TFRuvenal(const QString &programDir, QWidget *parent = nullptr);
    ~TFRuvenal() override;

    // Start-up. False when it failed: the warning has been shown and the window closed.
    bool FormCreate();

    const EstadoPrograma &estado() const { return estado_; }
    // True while a generation, a return loading or a settlement runs.
    bool emExecucao() const { return emExecucao_; }
    // Starts a run (generation, return loading, settlement): until the returned guard is released the
    // controls that would start another run or change the listing under it are disabled, the marking
    // keys do nothing and the window refuses to close. Each control gets back the state it had; a run
    // that leaves a control otherwise sets it after releasing the guard.
    [[nodiscard]] std::shared_ptr<void> iniciaExecucao();

    // The listed results; nullptr while closed.
    ResultSet *QListaFunc() const;
    ResultSet *QListEmpres() const;

    // Export tab, top panel.
    QTabWidget *pcPrincipal;
    QWidget *tabExporta;
    QWidget *tabImportarRet;
    QRadioButton *rbCliente;
    QRadioButton *rbEmpresa;
    QCheckBox *cbDtVenc;
    QDateEdit *dtVencimento;
    CampoPasta *DirFinal;
    QGroupBox *GBPeriodo;
    QComboBox *ComboBox1;
    QDateEdit *dtDataInicial;
    QDateEdit *dtDataFinal;
    QLineEdit *dtHoraInicial;
    QLineEdit *dtHoraFinal;
    QCheckBox *CheckBox1;
    QGroupBox *GBEmpresa;
    QLineEdit *edCodEmpres;
    QComboBox *lkEmpresa;
    QToolButton *sbListarFunc;
    QCheckBox *checkDebitoCC;
    // Export tab, middle panel.
    QCheckBox *cbImprimir;
    QPushButton *bConfig;
    QLabel *labTotMarc;
    QLabel *labTotGeral;
    // Export tab, lists and bottom panel.
    QTableView *dbFuncs;
    QTableView *dbEmpresas;
    QPushButton *Button1;
    QPushButton *bGerar;
    QPushButton *bCancelar;
    // Import tab.
    CampoArquivo *fnLocalLeitura;
    QWidget *painelTotais;
    QLabel *lblTotDebitado;
    QLabel *lblTotNDebitado;
    QLabel *lblQtdeReg;
    QTableView *dbLista;
    QPushButton *butLerArquivo;
    QPushButton *butProcessar;
    QPushButton *butCancela;
    // Rows done out of rows while a return loads or settles.
    QProgressBar *pbRetorno;
    // Marked rows done out of rows marked while a generation runs; hidden otherwise.
    QProgressBar *pbGeracao;

    // SequenciaRemessa, TaxaBoleto and CodigosMarcados of the last generation run.
    const CamposGeracao &camposGeracao() const { return geracao_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void criaTabExporta();
    void criaPainelSuperior(QWidget *pagina);
    void criaPainelMeio(QWidget *pagina);
    void criaPainelInferior(QWidget *pagina);
    void criaTabImportar();
    void ligaEventos();

    IniFile configuracao() const;
    void executaInicio();
    void atualizaTitulo();
    void abreEmpresas(const QString &codEmpresa);
    void FormClose();
    bool FormKeyDown(QKeyEvent *event);

    void edCodEmpresChange();
    void lkEmpresaChange(int indice);
    void QEmpresasAfterScroll();
    void mostraEmpresaEscolhida();
    void rbClienteClick();
    void HabilitaClienteEmpresa(bool porEmpresa);
    void CheckBox1Click();
    void cbDtVencClick();
    void sbListarFuncClick();
    void abreLista(QTableView *grade, ModeloListagem *modelo, ResultSet resultado);
    void marcaComTecla(int tecla);
    void CalcularTotal();
    void checkDebitoCCClick();
    void bConfigClick();
    void bGerarClick();
    ControlesGeracao controlesGeracao() const;
    // The component's account set-up in the mode of the page shown; refreshes the caption.
    void ConfigurarConta();
    ControlesConta controlesConta() const;
    void Button1Click();

    void butLerArquivoClick();
    bool carregaRetorno();
    bool ListaOcorrenciasBoleto(ArquivoRetorno arquivo, Money TaxaBoleto);
    void ListaRetornoDebito(ArquivoRetorno arquivo, Money TaxaBoleto);
    void abreOcorrencias(ResultSet lista, ArquivoRetorno arquivo);
    bool podeProcessar();
    void butProcessarClick();

    QString programDir_;
    EstadoPrograma estado_;
    std::unique_ptr<Connection> conexao_;
    boleto::ObjetoBolix ObjBolix;
    std::unique_ptr<EscolhaEmpresa> empresas_;
    ModeloListagem *modeloFuncs_ = nullptr;
    ModeloListagem *modeloEmpresas_ = nullptr;
    bool fechado_ = false;
    bool emExecucao_ = false;
    // The occurrence list and the return it was loaded from; settled at most once per loading.
    ModeloOcorrencias *modeloLista_ = nullptr;
    ArquivoRetorno retorno_;
    // Rows of the loaded list settled before it was loaded.
    int jaBaixadas_ = 0;
    bool listaProcessada_ = false;
    // The message naming the payments of the last loaded file that match no receivable; empty when none.
    QString naoEncontrados_;
    CamposGeracao geracao_;
};
