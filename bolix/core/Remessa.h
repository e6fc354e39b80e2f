#pragma once

// Remittance files: CNAB 240 cobrança ("FEBRABAN240") and FEBRABAN 150 débito automático ("DebitoCC").

#include "Conta.h"
#include "Documento.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace bolix {

struct ArquivoRemessa {
    QString diretorio;
    QString arquivo;
    QString layout = QStringLiteral("FEBRABAN240");
    int sequencia = 0; // the file's sequence number (NSA)
};

// The records of each layout, without line ends. Errors name the document and the member.
QList<QByteArray> remessa240(const ContaConfigurada &conta, const QList<Documento> &docs, int sequencia,
                             const QDateTime &geracao);
QList<QByteArray> remessa150(const ContaConfigurada &conta, const QList<Documento> &docs, int sequencia,
                             const QDateTime &geracao);

// What the remittance of the layout would refuse in one document's payer, amount and (direct debit) the
// payer's account, each member checked on its own: the refusals' texts, none when the bank takes it.
QStringList recusasDoDocumento(const Documento &doc, const QString &layout);
// The payer checks of each layout's detail record.
QStringList recusasDoSacado240(const Documento &doc);
QStringList recusasDoDebito(const Documento &doc);

// Directory and file name joined, whether or not the directory ends with a separator.
QString caminhoDoArquivo(const QString &diretorio, const QString &arquivo);

// Writes the file of the chosen layout (nothing under the final name on failure) and returns
// "3 títulos gravados em <path>".
QString gravaArquivoRemessa(const ContaConfigurada &conta, const QList<Documento> &docs,
                            const ArquivoRemessa &destino, const QDateTime &geracao);

} // namespace bolix
