#pragma once

#include "boleto/ObjetoBolix.h"
#include "config/EstadoPrograma.h"
#include "config/IniFile.h"
#include "selection/Listagem.h"
#include "util/Money.h"
#include "util/Progresso.h"

#include <QDate>
#include <QList>
#include <QString>

class Connection;

// The export page's controls that a generation run reads, taken when the run starts.
struct ControlesGeracao {
    // rbEmpresa checked; otherwise per client.
    bool porEmpresa = false;
    // The date column from ComboBox1, the date pickers and the time edits.
    Periodo periodo;
    // CheckBox1 ("Agrupar por vencimento") checked and enabled.
    bool agruparPorVencimento = false;
    bool cbDtVenc = true;
    QDate dtVencimento;
    bool checkDebitoCC = false;
    bool cbImprimir = false;
    QString DirFinal;
    QString edCodEmpres;
};

// The main window's fields that a run sets and the remittance completion reads.
struct CamposGeracao {
    int SequenciaRemessa = 0;
    Money TaxaBoleto;
    // The ids of the marked rows in listing order: the i-th document's row at position i - 1.
    QList<qint64> CodigosMarcados;
};

// What a run works with besides the window.
struct AmbienteGeracao {
    const EstadoPrograma &estado;
    QString programDir;
    boleto::ObjetoBolix bolix;
    IniFile ini;
    Connection &conexao;
    // Shows the count of marked rows done; may be empty.
    Progresso::Mostra progresso;
    // Shows beside the count why it stands still (waiting for the bank), or nothing; may be empty.
    std::function<void(const QString &)> situacao = {};
    // Rows whose write-back goes in one pair of requests: at 20 ms a round trip the progress still moves a
    // few times a second. 1 sends each row's statements alone, as the tests that compare the two do.
    int numerosPorLote = 100;
};
