#pragma once

#include "boleto/ObjetoBolix.h"
#include "config/EstadoPrograma.h"
#include "generation/Geracao.h"

#include <QString>
#include <functional>
#include <memory>

class Connection;
class IniFile;

// What the main window's tabs share for the whole run, built and owned by the window: the connection, the
// component object, the program-wide state and the last generation's fields, and the two things only the
// window can do for a tab. The tabs reach nothing else of the window.
class ContextoAbas {
public:
    explicit ContextoAbas(QString programDir);
    ~ContextoAbas();

    // Connected at start-up; a tab is used only after that.
    Connection &conexao() const { return *conexao_; }
    const boleto::ObjetoBolix &bolix() const { return ObjBolix; }
    EstadoPrograma &estadoPrograma() { return estado_; }
    CamposGeracao &geracao() { return geracao_; }
    const QString &pastaPrograma() const { return programDir_; }
    IniFile configuracao() const;

    // The component's account set-up in the mode of the page shown; refreshes the caption.
    void ConfigurarConta() const { configurarConta_(); }
    // Starts a run: until the returned guard is released the controls that would start another run are
    // disabled and the window refuses to close.
    [[nodiscard]] std::shared_ptr<void> iniciaExecucao() const { return iniciaExecucao_(); }

private:
    friend class TFRuvenal;

    QString programDir_;
    EstadoPrograma estado_;
    std::unique_ptr<Connection> conexao_;
    boleto::ObjetoBolix ObjBolix;
    CamposGeracao geracao_;
    std::function<void()> configurarConta_;
    std::function<std::shared_ptr<void>()> iniciaExecucao_;
};
