#pragma once

#include "automation/Variant.h"
#include "util/Money.h"

#include <QByteArray>
#include <QString>

// The installation's shared routines. Texts stand for Windows-1252 byte strings: one character per byte.

// Mode "E" enciphers the text into hexadecimal digits, "D" deciphers such digits; any other mode gives
// an empty result. Throws Erro for an empty key, and in mode "D" for a text shorter than three
// characters or holding a non-hexadecimal digit.
QString Cifra(const QString &modo, const QString &texto, const QString &chave);
// The same, with the result as the bytes it stands for: the deciphered password goes to the client
// library byte for byte.
QByteArray CifraBytes(const QString &modo, const QString &texto, const QString &chave);

// The one-character replication marker of a branch; throws Erro for ids of 80 and above.
QString FilialParaLojasLeram(int filial);

// Lets input through again and shows the warning box "Atenção...".
void Aviso(const QString &mensagem);

QString RemoveAspas(const QString &texto);
QString LimpaAspas(const QString &texto);
QString SoNumeros(const QString &texto);
// "S" or "N": a lone s or n in either case; anything else is "N".
QString SimNao(const QString &texto);
// Puts `preenche` in front of the text (largura - length) times.
QString PreencheEsquerda(const QString &texto, const QString &preenche, int largura);

// Whole cents, an exact half going to the even cent.
Money Arredonda(Money valor);

// Weighted-sum check digit; the weights are used in turn. With `resto` the result is sum mod
// modulo, otherwise modulo - (sum mod modulo), "0" when that exceeds 9. Throws Erro on a non-digit,
// on empty weights for a non-empty text and on a zero modulus.
QString DigitoModulo(const QString &digitos, const QString &pesos, int modulo, bool resto);

automation::Variant IifVariant(bool condicao, const automation::Variant &seVerdadeiro,
                               const automation::Variant &seFalso);
