#pragma once

// Digit strings and the check-digit routines the banks use. Every routine takes a string of
// decimal digits; callers validate before calling.

#include <QChar>
#include <QString>
#include <QStringView>
#include <cstdint>

namespace bolix {

QString soDigitos(QStringView texto);
bool soTemDigitos(QStringView texto); // true for a non-empty string of decimal digits
// Left-fills with zeros up to `largura`; longer texts are returned unchanged.
QString zerosEsquerda(QStringView digitos, int largura);
// The digits without their leading zeros, "0" when nothing else is left.
QString semZerosEsquerda(QStringView digitos);

// Weights 2,1,2,1... from the right, two-digit products counted by their digit sum.
int modulo10(QStringView digitos);
// Bar-code general digit: weights 2..9 from the right; remainders giving 0, 10 or 11 make it 1.
int modulo11Geral(QStringView digitos);
// Banco do Brasil: 11 - r, with 10 as 'X' and 11 as '0'.
QChar modulo11BancoDoBrasil(QStringView digitos);
// Caixa: 11 - r, with results above 9 as 0.
int modulo11Caixa(QStringView digitos);
// Bradesco nosso número: weights 2..7; r = 0 gives '0', r = 1 gives 'P'.
QChar modulo11Bradesco(QStringView digitos);
// Sicoob nosso número: weights 3,1,9,7 from the left; r of 0 or 1 gives 0.
int modulo11Sicoob(QStringView digitos);
// Santander nosso número: weights 2..9; r of 0 or 1 gives 0, r of 10 gives 1.
int modulo11Santander(QStringView digitos);
// Sicredi nosso número and campo livre: weights 2..9, 11 - r; r of 0 or 1 gives 0.
int modulo11Sicredi(QStringView digitos);
// Banrisul's two control digits ("NC"): modulus 10, then modulus 11 with weights 2..7 over the number
// and that digit; a remainder of 1 raises the first digit and starts over.
QString ncBanrisul(QStringView digitos);

} // namespace bolix
