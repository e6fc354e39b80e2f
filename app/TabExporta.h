#pragma once

#include "generation/Geracao.h"

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
class QTableView;
class QToolButton;
class CampoPasta;
class EscolhaEmpresa;
class ModeloListagem;
class ResultSet;
class ContextoAbas;

// The "Exporta Arquivo" tab: the listing of what clients and companies owe, marking, totals and the
// generation run.
class TabExporta : public QWidget {
    Q_OBJECT
public:
    explicit TabExporta(ContextoAbas &contexto);
    ~TabExporta() override;

    // Start-up: the companies, the remembered company chosen, the client mode shown.
    void abreEmpresas(const QString &codEmpresa);
    void rbClienteClick();
    // F5 marks or unmarks the current row, F6 marks all, F7 none.
    void marcaComTecla(int tecla);
    // Closes the listings and the companies; the window closes its connection after.
    void fecha();

    // The listed results; nullptr while closed.
    ResultSet *QListaFunc() const;
    ResultSet *QListEmpres() const;

    // Top panel.
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
    // Middle panel.
    QCheckBox *cbImprimir;
    QPushButton *bConfig;
    QLabel *labTotMarc;
    QLabel *labTotGeral;
    // Lists and bottom panel.
    QTableView *dbFuncs;
    QTableView *dbEmpresas;
    QPushButton *Button1;
    QPushButton *bGerar;
    QPushButton *bCancelar;
    // Marked rows done out of rows marked while a generation runs; hidden otherwise.
    QProgressBar *pbGeracao;

private:
    void criaPainelSuperior();
    void criaPainelMeio();
    void criaListas();
    void criaPainelInferior();
    void ligaEventos();

    void edCodEmpresChange();
    void lkEmpresaChange(int indice);
    void QEmpresasAfterScroll();
    void mostraEmpresaEscolhida();
    void HabilitaClienteEmpresa(bool porEmpresa);
    void CheckBox1Click();
    void cbDtVencClick();
    void sbListarFuncClick();
    void abreLista(QTableView *grade, ModeloListagem *modelo, ResultSet resultado);
    void CalcularTotal();
    void checkDebitoCCClick();
    void bConfigClick();
    void bGerarClick();
    ControlesGeracao controlesGeracao() const;
    void Button1Click();

    ContextoAbas &contexto_;
    std::unique_ptr<EscolhaEmpresa> empresas_;
    ModeloListagem *modeloFuncs_ = nullptr;
    ModeloListagem *modeloEmpresas_ = nullptr;
};
