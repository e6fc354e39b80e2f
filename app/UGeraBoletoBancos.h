#pragma once

#include "app/ContextoAbas.h"
#include "generation/ConfigurarConta.h"

#include <QWidget>
#include <memory>

class QTabWidget;
class TabExporta;
class TabImportar;
class TabSegundaVia;

// The main window: it builds what its tabs share (export, return import, second print) and composes them;
// the caption, the keys and the runs' guard.
class TFRuvenal : public QWidget {
    Q_OBJECT
public:
    // programDir holds sistema_zel.ini and the component's registration; the executable's folder
    // in the program, a test's own folder in tests.
    explicit TFRuvenal(const QString &programDir, QWidget *parent = nullptr);
    ~TFRuvenal() override;

    // Start-up. False when it failed: the warning has been shown and the window closed.
    bool FormCreate();

    const EstadoPrograma &estado() const { return contexto_.estado_; }
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
    const CamposGeracao &camposGeracao() const { return contexto_.geracao_; }
    // What the tabs share, for the benchmarks that measure a click's statements.
    const ContextoAbas &contexto() const { return contexto_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void executaInicio();
    void atualizaTitulo();
    void ConfigurarConta();
    void preparaBoletosEmitidos();
    void FormClose();
    bool FormKeyDown(QKeyEvent *event);
    ControlesConta controlesConta() const;

    // Before the tabs, which hold it.
    ContextoAbas contexto_;
    bool fechado_ = false;
    bool emExecucao_ = false;
};
