#pragma once

#include "reports/ClassImpressao.h"

#include <QDialog>

class QButtonGroup;
class QDateEdit;
class QGroupBox;
class QPushButton;
class Connection;

// The report of the boletos printed in a period, produced as often as the operator asks while it is open.
class TFRelBoletos : public QDialog {
    Q_OBJECT
public:
    // conexao: the main window's connection, which outlives the dialog.
    explicit TFRelBoletos(Connection &conexao, QWidget *parent = nullptr);

    // How the viewer is started; tests replace it.
    void defineIniciador(TImpres::Iniciador iniciador) { iniciador_ = std::move(iniciador); }

    QDateEdit *dtInicial;
    QDateEdit *dtFinal;
    QGroupBox *grpOrdem;
    QButtonGroup *ordem;
    QPushButton *btnOK;
    QPushButton *btnFechar;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void btnOKClick();
    void habilita(bool sim);

    Connection &conexao_;
    TImpres::Iniciador iniciador_;
};
