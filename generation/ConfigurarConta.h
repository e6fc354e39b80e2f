#pragma once

#include "boleto/ObjetoBolix.h"

#include <QString>

class Connection;
class IniFile;

// The main window's controls that the account set-up reads, taken when it is called.
struct ControlesConta {
    // The export page is the active one; otherwise the import page.
    bool exporta = true;
    QString DirFinal;
    bool checkDebitoCC = false;
    QString fnLocalLeitura;
    bool cbDtVenc = true;
    int SequenciaRemessa = 0;
};

// What the set-up needs of the installation.
struct InstalacaoConta {
    // The folder of the program, with or without its trailing separator.
    QString programDir;
    // The installation's bank number; empty when it has none.
    QString banco;
};

// Loads the payee's account, the nosso-número range, the file and print settings into the component,
// has it configure the account, sets the next nosso número and stores the account as the component
// normalised it. Returns the window caption. Errors travel up; the configuration file then keeps its
// earlier values.
QString ConfigurarConta(const ControlesConta &controles, const InstalacaoConta &instalacao,
                        const boleto::ObjetoBolix &ObjBolix, const IniFile &ini, Connection &conexao);

// The caption of the window: with the installation's bank and its name in `bancos` when it has one.
QString TituloComBanco(Connection &conexao, const QString &banco);
