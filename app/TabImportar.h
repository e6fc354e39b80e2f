#pragma once

#include "retorno/ArquivoRetorno.h"
#include "util/Money.h"

#include <QDate>

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class CampoArquivo;
class ModeloOcorrencias;
class ResultSet;
class ContextoAbas;

// The "Importar Retorno" tab: a bank's return file loaded into the list of paid titles, and their
// settlement.
class TabImportar : public QWidget {
    Q_OBJECT
public:
    explicit TabImportar(ContextoAbas &contexto);

    CampoArquivo *fnLocalLeitura;
    QWidget *painelTotais;
    QLabel *lblTotDebitado;
    QLabel *lblTotNDebitado;
    QLabel *lblQtdeReg;
    QTableView *dbLista;
    QPushButton *butLerArquivo;
    // Shown with registro=API: the payments since the last query, fetched from the bank.
    QPushButton *butConsultarBanco;
    QPushButton *butProcessar;
    QPushButton *butCancela;
    // Rows done out of rows while a return loads or settles.
    QProgressBar *pbRetorno;

private:
    void criaControles();
    void ligaEventos();

    void butLerArquivoClick();
    bool carregaRetorno();
    bool ListaOcorrenciasBoleto(ArquivoRetorno arquivo, Money TaxaBoleto);
    void ListaRetornoDebito(ArquivoRetorno arquivo, Money TaxaBoleto);
    void abreOcorrencias(ResultSet lista, ArquivoRetorno arquivo);
    void butConsultarBancoClick();
    void mostraCarregados();
    bool podeProcessar();
    void butProcessarClick();

    ContextoAbas &contexto_;
    // The occurrence list and the return it was loaded from; settled at most once per loading.
    ModeloOcorrencias *modeloLista_ = nullptr;
    ArquivoRetorno retorno_;
    // Rows of the loaded list settled before it was loaded.
    int jaBaixadas_ = 0;
    bool listaProcessada_ = false;
    // The message naming the payments of the last loaded file that match no receivable; empty when none.
    QString naoEncontrados_;
    // Further lines on the last loaded boleto return: its Pix QRs, or the payments the bank only announced.
    QString mensagemPix_;
    // The titles the bank wrote off unpaid and the reading's notices; empty when none.
    QString avisosRetorno_;
    // The account and day of the loaded query to the bank, kept once it is settled; empty for a file.
    QString contaApi_;
    QDate diaConsultaApi_;
};
