#pragma once

// Fields of a CNAB 400 title that every bank's rule writes the same way, refusing what the layout cannot
// carry.

#include "bolix/core/bancos/Bancos.h"

#include <QDate>
#include <QString>
#include <QStringView>
#include <cstdint>

namespace bolix {

// Up to 10 characters (111-120).
QString numeroDocumento400(const Documento &doc);
QDate vencimento400(const Documento &doc);
// Interest per day and discount as amounts, percentages turned into amounts of the charged value.
std::int64_t jurosDoDia400(const Documento &doc);
std::int64_t desconto400(const Documento &doc);
// The fine of a bank that takes it only as a percentage with two decimals (up to 99,99 %); `banco` names the
// bank in the refusal of an amount.
std::int64_t percentualMulta400(const Documento &doc, const QString &banco);
// Empty when the bank numbers the title.
NossoNumero nossoNumero400(const ContaConfigurada &conta, const Documento &doc);
// A bank's species codes for the FEBRABAN ones the store uses; most banks share all but the service
// duplicata's.
struct Especies400 {
    QStringView duplicataDeServico;
    QStringView duplicataMercantil = u"01";
    QStringView notaPromissoria = u"02";
    QStringView recibo = u"05";
    QStringView outros = u"99";
};
QString especie400(const Documento &doc, const Especies400 &especies);

// The payee's Pix key as typed (chave_pix), where the rest of the record is upper case: the DICT keeps a
// random key in lower case and an e-mail key as registered, and neither manual with a key field (Itaú's
// record 3, Santander's record 8) asks for capitals there. The settings take only printable ASCII keys.
QByteArray chavePix400(const ConfiguracaoBolix &configuracao);

} // namespace bolix
