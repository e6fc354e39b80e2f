#pragma once

#include "boleto/ObjetoBolix.h"
#include "config/EstadoPrograma.h"
#include "generation/ConfigurarConta.h"
#include "generation/Geracao.h"

#include <QWidget>
#include <memory>

class QTabWidget;
class Connection;
class IniFile;
class TabExporta;
class TabImportar;
class TabSegundaVia;

// The main window: its tabs (export, return import, second print), the caption, and what they share for
// the whole run: the connection, the component object, the program-wide state and the runs' guard.
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
    // True while a generation, a return loading, a settlement or a second print runs.
    bool emExecucao() const { return emExecucao_; }
    // Starts a run (generation, return loading, settlement, second print): until the returned guard is
    // released the controls that would start another run or change the listing under it are disabled, the
    // marking keys do nothing and the window refuses to close. Each control gets back the state it had; a
    // run that leaves a control otherwise sets it after releasing the guard.
    [[nodiscard]] std::shared_ptr<void> iniciaExecucao();

    QTabWidget *pcPrincipal;
    TabExporta *tabExporta;
    TabImportar *tabImportarRet;
    TabSegundaVia *tabSegundaVia;

    // SequenciaRemessa, TaxaBoleto and CodigosMarcados of the last generation run.
    const CamposGeracao &camposGeracao() const { return geracao_; }

    // What the tabs share.
    Connection &conexao() const { return *conexao_; }
    const boleto::ObjetoBolix &bolix() const { return ObjBolix; }
    EstadoPrograma &estadoPrograma() { return estado_; }
    CamposGeracao &geracao() { return geracao_; }
    const QString &pastaPrograma() const { return programDir_; }
    IniFile configuracao() const;
    // The component's account set-up in the mode of the page shown; refreshes the caption.
    void ConfigurarConta();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void executaInicio();
    void atualizaTitulo();
    void preparaBoletosEmitidos();
    void FormClose();
    bool FormKeyDown(QKeyEvent *event);
    ControlesConta controlesConta() const;

    QString programDir_;
    EstadoPrograma estado_;
    std::unique_ptr<Connection> conexao_;
    boleto::ObjetoBolix ObjBolix;
    bool fechado_ = false;
    bool emExecucao_ = false;
    CamposGeracao geracao_;
};
