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
    // Loading stopped at LinhasDemonstrativoMaximo lines (a hand-edited count).
    bool demonstrativoCortado = false;
    Money sequenciaRemessa;
    // Position in EspeciesTitulo; -1 for none.
    int especieTitulo = 21;
    int diasProtesto = 0;
};

// Reads every field's key, from one reading of the file.
ConfiguracaoCedente CarregaConfiguracaoCedente(const IniFile &ini);

// Writes every key in the dialog's order. A refused write raises the error naming the file; the keys
// written before it keep their new values.
void GravaConfiguracaoCedente(const IniFile &ini, const ConfiguracaoCedente &config);

// The protest-days field: blanks around are dropped, empty is 0, otherwise a 32-bit integer not below zero.
std::optional<int> ConverteDiasProtesto(const QString &texto);

// The demonstrativo lines as stored: lines 0 to num_linhas_demonstrativo, none when it is negative. A
// hand-edited count of millions would take ages to read and could never print: reading stops at
// LinhasDemonstrativoMaximo lines and says so. The one reader for the dialog and the charge documents.
inline constexpr int LinhasDemonstrativoMaximo = 1000;
struct Demonstrativo {
    QStringList linhas;
    bool cortado = false; // the stored count went beyond LinhasDemonstrativoMaximo
};
Demonstrativo LerDemonstrativo(const IniFileLido &ini);
// Reads the file once.
Demonstrativo LerDemonstrativo(const IniFile &ini);
// What the operator is told when reading stopped at the limit.
QString AvisoDemonstrativoCortado();

// The fields checked on confirmation after the protest days, in the dialog's order: none takes a negative
// value, and the demonstrativo holds no more lines than are read back.
enum class CampoRecusado { Juros, Desconto, Acrescimo, Multa, Margem, Demonstrativo, Taxa, Sequencia };
struct Recusa {
    CampoRecusado campo;
    QString mensagem; // names the field, as "Dias para Protesto inválido!" does
};
// The first field refused.
std::optional<Recusa> ConfereValores(const ConfiguracaoCedente &config);

// The memo text of the stored lines (each followed by CR LF) and back (one final line break dropped).
QString TextoDemonstrativo(const QStringList &linhas);
QStringList LinhasDemonstrativo(QString texto);

// The species code stored in the configuration file ("RC" when none is); "Índice inválido!" outside the
// table.
QString LerEspecieTitulo(const IniFile &ini = IniFile());
int LerDiasProtesto(const IniFile &ini = IniFile());
