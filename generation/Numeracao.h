#pragma once

#include <QString>

class Connection;
class IniFile;
struct EstadoPrograma;

// The nosso-número counter and the remittance sequence of each bank account, kept in the store's database
// (ruvenal_numeracao, a table of the program's own) so that stations sharing it never hand out one number
// twice. The keys nossonumero and sequencia_remessa of sistema_zel.ini stay for the store's other programs:
// a value there above the table's is taken as the floor (first use, or raised by hand), and after a run
// they get the table's values.

// The account whose numbers are counted: the installation's bank number and carteira, and the convênio or
// payee code as digits without leading zeros, so that the component's normalising of the code keeps the row.
struct ContaNumerada {
    QString banco;
    QString carteira;
    QString convenio;
};
ContaNumerada ContaDaInstalacao(const EstadoPrograma &estado, const IniFile &ini);

// The table, created when missing.
QString sqlCriaNumeracao();

// Hands out `quantos` nosso números of the account, from the table's next one or the floor `piso` when
// higher, and returns the first; a fresh account starts at 1. One short transaction under the row's lock:
// a run that stops afterwards leaves a gap, never a number handed out twice.
qint64 ReservaNossoNumeros(Connection &conexao, const ContaNumerada &conta, qint64 piso, qint64 quantos);
// Gives back the numbers of a reservation that printed and wrote nothing, when no station reserved after
// it; otherwise they stay a gap. Never fails: a number not given back is only a gap.
void DevolveNossoNumeros(Connection &conexao, const ContaNumerada &conta, qint64 primeiro,
                         qint64 quantos) noexcept;
// The account's next remittance sequence number after the table's last one or `piso`, when higher; the
// component numbers the file with 32 bits, so a number that would pass that is refused.
int ReservaSequenciaRemessa(Connection &conexao, const ContaNumerada &conta, qint64 piso);

// Writes the table's values into nossonumero (the next number) and sequencia_remessa (the last one).
void GravaNumeracaoNoIni(Connection &conexao, const ContaNumerada &conta, const IniFile &ini);
