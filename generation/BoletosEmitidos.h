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
    enum class Forma { Texto, TextoLongo, Moeda, Data, Inteiro, Logico };
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
QString sqlRegistraBoletoEmitido(Connection &conexao, const BoletoEmitido &boleto, const QDateTime &quando,
                                 const EstadoPrograma &estado);
// The whole records of the ids given, each with the Pix QR text stored for it (ruvenal_pix).
QString sqlBoletosPorId(const QList<qint64> &ids);
BoletoEmitido BoletoDoRegistro(const ResultSet &registros, int linha);
// The value of one document member of a record, by its member name.
automation::Variant ValorDoDocumento(const BoletoEmitido &boleto, const char *membro);
