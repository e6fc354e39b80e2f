#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableView;
class CampoPasta;
class ModeloBoletosEmitidos;
struct FiltroBoletos;
class TFRuvenal;

// The "2ª via" tab: issued boletos found by client, number or period, with their state, and the ticked ones
// printed again as they were issued, in one file or one file per client.
class TabSegundaVia : public QWidget {
    Q_OBJECT
public:
    explicit TabSegundaVia(TFRuvenal &janela);

    QLineEdit *edCliente;
    QLineEdit *edDocumento;
    QLineEdit *edNossoNumero;
    QCheckBox *cbPeriodo;
    QComboBox *cbDataPeriodo;
    QDateEdit *dtDe;
    QDateEdit *dtAte;
    QPushButton *bPesquisar;
    QTableView *dbBoletos;
    CampoPasta *edPasta;
    QPushButton *bImprimir;
    QPushButton *bSalvarPorCliente;
    QPushButton *bCancelar;

    void bPesquisarClick();
    void bImprimirClick();
    void bSalvarPorClienteClick();

private:
    void criaFiltros();
    void criaRodape();
    void ligaEventos();
    FiltroBoletos filtro() const;

    TFRuvenal &janela_;
    ModeloBoletosEmitidos *modelo_ = nullptr;
};
