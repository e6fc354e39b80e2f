#pragma once

#include "config/IniFile.h"
#include "util/Money.h"

#include <QString>
#include <QStringList>
#include <optional>

// The values of the cedente dialog as its fields hold them.
struct ConfiguracaoCedente {
    QString nomeEmpresa;
    QString numAgencia;
    QString contaCorrente;
    QString identificacaoEmpresa;
    Money valorJuros;
    Money valorDesconto;
    Money valorAcrescimo;
    Money valorMulta;
    Money valorTaxa;
    // The instruction box's text: a list entry or typed by hand.
    QString instrucao;
    QString logotipoBanco;
    int margemSup = 15;
    bool localPgtoPadrao = true;
    QString localPgto;
    // The memo's text, lines separated by CR LF.
    QString demonstrativo;
    Money sequenciaRemessa;
    // Position in EspeciesTitulo; -1 for none.
    int especieTitulo = 21;
    int diasProtesto = 0;
};

// Reads every field's key.
ConfiguracaoCedente CarregaConfiguracaoCedente(const IniFile &ini);

// Writes every key in the dialog's order. A refused write raises the error naming the file; the keys
// written before it keep their new values.
void GravaConfiguracaoCedente(const IniFile &ini, const ConfiguracaoCedente &config);

// The protest-days field: blanks around are dropped, empty is 0, otherwise a signed 32-bit integer.
std::optional<int> ConverteDiasProtesto(const QString &texto);

// The memo text of the stored lines (each followed by CR LF) and back (one final line break dropped).
QString TextoDemonstrativo(const QStringList &linhas);
QStringList LinhasDemonstrativo(QString texto);

// The species code stored in the configuration file ("RC" when none is); "Índice inválido!" outside the
// table.
QString LerEspecieTitulo(const IniFile &ini = IniFile());
int LerDiasProtesto(const IniFile &ini = IniFile());
