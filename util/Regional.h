#pragma once

#include "util/Money.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <optional>

// The machine's regional settings that formats and parses follow. Read from the system once at
// start-up; tests set them explicitly.
class Regional {
public:
    QString separadorDecimal;
    QString separadorMilhar;
    QString separadorData;
    QString separadorHora;

    static Regional doSistema();
    static Regional brasileiro();

    // The settings in force; the system's until something else is set.
    static const Regional &atual();
    static void definir(const Regional &regional);
    static void carregaDoSistema() { definir(doSistema()); }

    // "###,###,##0.00": "1.234,56", "-0,50"; a half cent rounds away from zero, as shown amounts do.
    QString formataValor(Money valor) const;
    // General number form: no thousands separator, no trailing zeros: "2,5", "0", "-0,0001". Every
    // digit of the value is written, so that leDecimal reads back the same amount; amounts of up to
    // fifteen significant digits come out as the usual fifteen-digit general form.
    QString formataGeral(Money valor) const;
    // A decimal with an optional sign and the regional decimal separator, blanks around allowed;
    // anything else (thousands separators, the other separator, letters) is no number, and so is a
    // value beyond the range of money. Beyond four decimals the value rounds to the nearest
    // ten-thousandth, half away from zero.
    std::optional<Money> leDecimal(QStringView texto) const;

    // Pattern letters in either case: d dd, m mm (minutes right after an hour), yy yyyy, h hh, n nn,
    // s ss; "/" and ":" stand for the regional date and time separators; anything else is copied.
    QString formataDataHora(const QDateTime &momento, QStringView padrao) const;
    QString formataData(QDate data, QStringView padrao) const;
};
