#pragma once

#include "generation/SegundaVia.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableView;
class CampoPasta;
class ModeloBoletosEmitidos;
class ContextoAbas;

// The "2ª via" tab: issued boletos found by client, number or period, with their state, and the ticked ones
// printed again as they were issued, in one file or one file per client.
class TabSegundaVia : public QWidget {
    Q_OBJECT
public:
    explicit TabSegundaVia(ContextoAbas &contexto);

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
    // The records of the ticked rows; `imprime` prints them while the other runs wait.
    void imprimeMarcados(const std::function<ResultadoSegundaVia(const QList<BoletoEmitido> &)> &imprime);

    ContextoAbas &contexto_;
    ModeloBoletosEmitidos *modelo_ = nullptr;
};
