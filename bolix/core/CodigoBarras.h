#pragma once

// The 44-digit bar code, the 47-digit linha digitável and the Interleaved 2 of 5 pattern that
// draws the bar code.

#include <QDate>
#include <QString>
#include <QStringView>
#include <cstdint>

namespace bolix {

// Days since 07/10/1997 as four digits, restarting at 1000 on 22/02/2025 and every 9000 days after;
// "0000" for a null date. Dates before 03/07/2000 have no factor and are refused.
QString fatorVencimento(const QDate &vencimento);

// Bank (3) + currency 9 + general digit + factor (4) + value in cents (10) + campo livre (25).
// Refuses values outside 0..9,999,999,999 cents and a campo livre that is not 25 digits.
QString montaCodigoBarras(QStringView banco, QStringView fator, std::int64_t centavos,
                          QStringView campoLivre);

// The 47 digits of the linha digitável for a 44-digit bar code.
QString linhaDigitavel(QStringView codigoBarras);
// "AAABC.CCCCX DDDDD.DDDDDY EEEEE.EEEEEZ K UUUUVVVVVVVVVV" from the 47 digits.
QString formataLinhaDigitavel(QStringView linha);

// The element widths of the bar code as drawn: 'n' narrow, 'W' wide, alternating bar and space and
// starting with a bar (start pattern, the digit pairs, stop pattern). Needs an even count of digits.
QString padraoI2of5(QStringView digitos);

} // namespace bolix
