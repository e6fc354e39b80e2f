#pragma once

// Remittance files: boletos ("FEBRABAN240": CNAB 240, or the bank's CNAB 400 when the settings ask for
// it) and FEBRABAN 150 débito automático ("DebitoCC").

#include "bolix/core/Conta.h"
#include "bolix/core/Documento.h"

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
// CNAB 400: some banks end the file with a mark after the trailer's line end (RegraBanco::fimDaRemessa400).
QList<QByteArray> remessa400(const ContaConfigurada &conta, const QList<Documento> &docs, int sequencia,
                             const QDateTime &geracao);
QList<QByteArray> remessa150(const ContaConfigurada &conta, const QList<Documento> &docs, int sequencia,
                             const QDateTime &geracao);

// The direct-debit layout's name, "DebitoCC", in any letter case.
bool ehLayoutDebito(const QString &layout);

// What the remittance of the layout would refuse in one document's payer, amount and (direct debit) the
// payer's account, each member checked on its own: the refusals' texts, none when the bank takes it.
// `configuracao` tells a CNAB 400 installation's boleto layout from CNAB 240.
QStringList recusasDoDocumento(const Documento &doc, const QString &layout,
                               const ConfiguracaoBolix &configuracao = {});
// The payer checks of each layout's detail record.
QStringList recusasDoSacado240(const Documento &doc);
QStringList recusasDoDebito(const Documento &doc);
QStringList recusasDoTitulo400(const Documento &doc, QStringView banco);

// The payer's fields as the boleto layouts carry them, refusing what the bank cannot take.
InscricaoSacado inscricaoValida(const Documento &doc);
QString estadoSacado(const Documento &doc);
QString cepSacado(const Documento &doc);
// The payee's key of the title, returned by the bank: NumeroControle, else the document number.
QString controleDoParticipante(const Documento &doc);
// FEBRABAN's species code of the document ("99" when none is given).
QString codigoEspecie(const Documento &doc);

// Directory and file name joined, whether or not the directory ends with a separator.
QString caminhoDoArquivo(const QString &diretorio, const QString &arquivo);

// Refuses, as gravaArquivoRemessa would before any title, what the file members, the account or the
// settings lack for the layout: a code the bank wants in its file headers, a check digit the boleto does
// not carry. Settings only the files need never stop a boleto from printing, so a caller about to print
// asks this first.
void confereRemessa(const ContaConfigurada &conta, const ArquivoRemessa &destino);

// Writes the file of the chosen layout (nothing under the final name on failure) and returns
// "3 títulos gravados em <path>".
QString gravaArquivoRemessa(const ContaConfigurada &conta, const QList<Documento> &docs,
                            const ArquivoRemessa &destino, const QDateTime &geracao);

} // namespace bolix
