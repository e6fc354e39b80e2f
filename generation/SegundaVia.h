#pragma once

#include "generation/BoletosEmitidos.h"

#include <QDate>
#include <QStringList>
#include <optional>

// Finding issued boletos and printing them again from their record: the same nosso número, bar code, value
// and due date, whatever today's settings say. Nothing goes to the bank, no counter or sequence is used
// and no receivable changes.

// What the "2ª via" tab filters by; an empty text or a missing date does not filter.
struct FiltroBoletos {
    // A client's or company's name (any part) or, when it is a number, its code.
    QString cliente;
    QString numeroDocumento;
    // The nosso número as printed, with or without punctuation and check digit, or its sequence; the start of
    // either is enough.
    QString nossoNumero;
    // The period applies to the due date when set, otherwise to the issue date.
    bool porVencimento = false;
    std::optional<QDate> de;
    std::optional<QDate> ate;
};

// The nosso número shows as printed. The state of an issued boleto, from the settlements recorded since it
// was issued and its receivables: "A" open, "B" paid, "P" paid in part, "E" neither paid through a return nor
// open any more (its receivables deleted or settled by hand).
QString sqlListaBoletosEmitidos(Connection &conexao, const FiltroBoletos &filtro);
// The words the tab shows for a state letter.
QString DescricaoSituacao(const QString &situacao);

struct ResultadoSegundaVia {
    QStringList arquivos;
    // One line per boleto that could not be printed, naming it and why.
    QStringList recusados;
};

// Prints the boletos again through the component, in the order given, into one PDF, whatever runs they
// came from; only boletos of different accounts (another convênio, agency or setting) go to files of their
// own. `arquivo` names the file; empty, the component chooses the name in `pasta` and offers the printer. A
// boleto of a bank the component is not set up for, or that the component refuses, is named in `recusados`;
// the others still print.
ResultadoSegundaVia ImprimeSegundaVia(const boleto::ObjetoBolix &bolix, const QList<BoletoEmitido> &boletos,
                                      const QString &pasta, const QString &arquivo = {});

// The file of one client's boletos: "<código>_<CPF or CNPJ digits>.pdf" in `pasta`.
QString ArquivoDoCliente(const QString &pasta, const BoletoEmitido &boleto);
