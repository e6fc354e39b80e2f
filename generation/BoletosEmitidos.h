#pragma once

#include "automation/Variant.h"
#include "boleto/ObjetoBolix.h"

#include <QDateTime>
#include <QList>
#include <QString>

class Connection;
class ResultSet;
struct EstadoPrograma;

// The record of the boletos issued, kept in the store's database in a table of the program's own, so that
// any station can find a boleto and print it again exactly as it was issued. A boleto printed again from
// today's settings or counter would be a title the bank never registered, so the record holds every
// member the component was given for the account and the document, as the component left them.

// A member of the component and the column that keeps it.
struct MembroGuardado {
    // Chave: a text of the record's key, '' rather than NULL when not set. Centavos: money as printed, in
    // whole cents.
    enum class Forma { Texto, TextoLongo, Chave, Moeda, Centavos, Data, Inteiro, Logico };
    const char *membro;
    const char *coluna;
    Forma forma;
};

// A named value of a MeusDados collection.
struct DadoGuardado {
    QString nome;
    QString valor;
    friend bool operator==(const DadoGuardado &, const DadoGuardado &) = default;
};

struct BoletoEmitido {
    // "C" a client's boleto, "E" a company's; `codigo` is its clientes_id or empresa_id.
    QString tipoSacado;
    qint64 codigo = 0;
    // The component's bank code and the installation's carteira.
    QString banco;
    QString carteira;
    // Values by column, in the order of MembrosDaConta() and MembrosDoDocumento(); empty when not set.
    QList<automation::Variant> conta;
    QList<automation::Variant> documento;
    QList<DadoGuardado> dadosConta;
    QList<DadoGuardado> dadosDocumento;
    // The nosso número as the boleto prints it (the component's NossoNumeroImpresso); empty in records
    // written before it was kept.
    QString nossoNumeroImpresso = {};
    int sequenciaRemessa = 0;
    // The bank's Pix QR text, read from a return after the boleto was issued; empty when none.
    QString pixCopiaECola = {};
};

const QList<MembroGuardado> &MembrosDaConta();
const QList<MembroGuardado> &MembrosDoDocumento();

// The account members as the component holds them once configured, and its bank code.
void LeContaDoComponente(const boleto::ObjetoBolix &bolix, BoletoEmitido &boleto);
// The document's members as the component holds them once built.
void LeDocumentoDoComponente(const boleto::ObjetoBolix &doc, BoletoEmitido &boleto);

// The table, created when missing.
QString sqlCriaBoletosEmitidos();
// The table created when missing, or brought to the present shape in place, rows kept: the columns added
// since, the values in whole cents, and the unique key on the account (bank, carteira, convênio) and the
// nosso número. When the record already holds repeats the key cannot be added: they are returned, one line
// each, and the key is tried again at the next call.
QStringList PreparaBoletosEmitidos(Connection &conexao);
// The station that issues: the computer's name.
QString NomeDaEstacao();
// Refuses boletos of one account whose nosso número the record already holds, naming the first and the
// station that issued it.
void ConfereNaoEmitidos(Connection &conexao, const QList<BoletoEmitido> &boletos);
// The inserts that record the boletos of one run, several to a statement.
QStringList sqlRegistraBoletosEmitidos(Connection &conexao, const QList<BoletoEmitido> &boletos,
                                       const QDateTime &quando, const EstadoPrograma &estado);
// The whole records of the ids given, in their order, each with the Pix QR text stored for it (ruvenal_pix).
QString sqlBoletosPorId(const QList<qint64> &ids);
BoletoEmitido BoletoDoRegistro(const ResultSet &registros, int linha);
// The nosso número as the payer reads it: the printed form, or the sequence where the record lacks it.
QString NossoNumeroMostrado(const BoletoEmitido &boleto);
// The value of one document member of a record, by its member name.
automation::Variant ValorDoDocumento(const BoletoEmitido &boleto, const char *membro);
