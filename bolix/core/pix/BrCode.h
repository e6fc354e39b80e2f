#pragma once

// The Pix QR's text (BR Code, "copia e cola") of a boleto: assembled from the location of the charge the
// bank created for the registered title, or checked as the bank handed it whole. Never a charge of ours:
// a QR of the store's own key would not settle the title.

#include <QByteArray>
#include <QString>

namespace bolix {

// CRC16/CCITT-FALSE of the text, as four upper-case hexadecimal digits.
QString crcBrCode(QByteArrayView texto);

// The dynamic BR Code of a charge with due date: `location` without "https://" (up to 77 characters);
// payee name and city in plain ASCII, cut to 25 and 15. ErroBolix for an empty or too long location.
QString brCodeDaLocation(const QString &location, const QString &nomeBeneficiario, const QString &cidade);

// A whole BR Code as a bank hands it over, trailing blanks of its field dropped. ErroBolix saying what is
// wrong when its shape or its CRC is broken: such a text must never be printed.
QString brCodeConferido(const QString &emv);

} // namespace bolix
