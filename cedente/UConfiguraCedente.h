#pragma once

#include "config/IniFile.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class CampoArquivo;
class CampoDecimal;
enum class CampoRecusado;

// The payee data and charge settings, loaded from the configuration file at every show and written
// back on confirmation. The main window runs the account set-up when the result is Accepted.
class TFConfigCedente : public QDialog {
    Q_OBJECT
public:
    // banco and carteira: the installation's, shown only.
    TFConfigCedente(const IniFile &ini, const QString &banco, const QString &carteira,
                    QWidget *parent = nullptr);

    bool confirmado() const { return result() == QDialog::Accepted; }

    static QString CodigoEspecie(int posicao);
    static QString LerEspecieTitulo(const IniFile &ini = IniFile());
    static int LerDiasProtesto(const IniFile &ini = IniFile());

    QLineEdit *edNomeEmpres;
    QLineEdit *edCodBanco;
    QLineEdit *edNAgencia;
    QLineEdit *edNConta;
    QLineEdit *edCodCarteira;
    QLineEdit *edIDEmpresa;
    QComboBox *ComboEspecie;
    CampoDecimal *ValJuros;
    CampoDecimal *ValDesconto;
    CampoDecimal *ValAcrescimo;
    CampoDecimal *ValMulta;
    QComboBox *cbInstruc;
    CampoArquivo *dirLogotipo;
    QSpinBox *spMargem;
    QLineEdit *EditDiasProtesto;
    QPlainTextEdit *memDemonstrativo;
    QCheckBox *cbLocPadrao;
    QLineEdit *edLocalPagamento;
    CampoDecimal *JvTaxaBoleto;
    CampoDecimal *EditSequencialRemessa;
    QPushButton *butConfirmar;
    QPushButton *butCancelar;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void criaCampos();
    void criaBotoes();
    void FormShow();
    void butConfirmarClick();
    void cbLocPadraoClick();
    QWidget *campoRecusado(CampoRecusado campo) const;

    IniFile ini_;
    QString banco_;
    QString carteira_;
};
