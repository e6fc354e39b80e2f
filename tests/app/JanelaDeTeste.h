#pragma once

#include "app/TabExporta.h"
#include "app/TabImportar.h"
#include "app/TabSegundaVia.h"
#include "app/UGeraBoletoBancos.h"
#include "forms/CamposArquivo.h"
#include "tests/support/BancoDeTeste.h"
#include "tests/support/MensagensGravadas.h"

#include <QComboBox>
#include <QStringList>
#include <QTabWidget>
#include <QTemporaryDir>
#include <memory>

// A program folder of the test's own: sistema_zel.ini and the component's registration, as an
// installation has them beside the executable, and a main window started on it.
class PastaDoPrograma {
public:
    PastaDoPrograma();

    QString caminho() const { return pasta_.path(); }
    // Writes the configuration file as given (Windows-1252 text, CR LF).
    void ini(const QString &conteudo) const;
    // An ini pointing at the test's database, with any further lines.
    void iniPara(const BancoDeTeste &banco, const QString &mais = {}) const;
    void semRegistroDoComponente() const;
    // Registers the component under this plugin file.
    void registro(const QString &plugin) const;

    // The lines of ruvenal.log beside the program; none when there is no log.
    QStringList registroDeFalhas() const;

    // Runs start-up; the window exists whether or not it succeeded.
    std::unique_ptr<TFRuvenal> inicia(bool *ok = nullptr) const;
    // Starts the program and shows its window; a failed start is a fatal failure naming the messages shown.
    void iniciaEMostra(std::unique_ptr<TFRuvenal> &janela, const MensagensGravadas &mensagens) const;

private:
    QTemporaryDir pasta_;
};
