#include "db/Literal.h"

#include "db/Connection.h"
#include "util/Erro.h"

#include <cmath>

namespace {

// Dates and moments are written digit by digit: a long run sends one in every statement, and the
// calendar's general formatting is costly there.
bool anoDeQuatroDigitos(const QDate &data) {
    return data.year() >= 1 && data.year() <= 9999;
}

char *escreveDigitos(char *p, int valor, int casas) {
    for (int i = casas - 1; i >= 0; --i, valor /= 10)
        p[i] = char('0' + valor % 10);
    return p + casas;
}

// The opening quote and yyyy-MM-dd.
char *escreveData(char *p, const QDate &data) {
    *p++ = '\'';
    p = escreveDigitos(p, data.year(), 4);
    *p++ = '-';
    p = escreveDigitos(p, data.month(), 2);
    *p++ = '-';
    return escreveDigitos(p, data.day(), 2);
}

} // namespace

QString Literal(int numero) {
    return QString::number(numero);
}

QString Literal(qint64 numero) {
    return QString::number(numero);
}

QString Literal(double numero) {
    // The server reads at most 65 digits of a decimal literal and silently clamps a longer one.
    if (!std::isfinite(numero) || std::fabs(numero) >= 1e65)
        throw Erro(QStringLiteral("Número inválido para o banco de dados: %1").arg(numero));
    // Fifteen significant digits, then written out in full: 'g' would give "1e-05" for small and large
    // values.
    const QString geral = QString::number(numero, 'g', 15);
    const qsizetype e = geral.indexOf(u'e');
    if (e < 0)
        return geral;
    const bool negativo = geral.startsWith(u'-');
    const QString mantissa = geral.first(e).remove(u'-').remove(u'.');
    // Digits before the point: the mantissa has one, the exponent moves it. 'g' takes the exponent form
    // only below 0.0001 or from 15 integer digits on, so the point never falls inside the mantissa.
    const int inteiros = 1 + geral.sliced(e + 1).toInt();
    const QString texto = inteiros <= 0 ? QStringLiteral("0.") + QString(-inteiros, u'0') + mantissa
                                        : mantissa + QString(inteiros - mantissa.size(), u'0');
    return negativo ? u'-' + texto : texto;
}

QString Literal(Money dinheiro) {
    return dinheiro.toDecimalText();
}

QString Literal(const QDate &data) {
    if (!data.isValid())
        return QStringLiteral("'0000-00-00'");
    if (!anoDeQuatroDigitos(data))
        return u'\'' + data.toString(u"yyyy-MM-dd") + u'\'';
    char texto[12];
    char *fim = escreveData(texto, data);
    *fim++ = '\'';
    return QString::fromLatin1(texto, fim - texto);
}

QString Literal(const QDateTime &momento) {
    if (!momento.isValid())
        return Literal(QDate());
    // Seconds are truncated; a time of day of zero leaves the date alone.
    const QTime hora = momento.time();
    if (hora == QTime(0, 0))
        return Literal(momento.date());
    if (!anoDeQuatroDigitos(momento.date()))
        return u'\'' + momento.toString(u"yyyy-MM-dd HH:mm:ss") + u'\'';
    char texto[21];
    char *fim = escreveData(texto, momento.date());
    *fim++ = ' ';
    fim = escreveDigitos(fim, hora.hour(), 2);
    *fim++ = ':';
    fim = escreveDigitos(fim, hora.minute(), 2);
    *fim++ = ':';
    fim = escreveDigitos(fim, hora.second(), 2);
    *fim++ = '\'';
    return QString::fromLatin1(texto, fim - texto);
}

QString Literal(Connection &conexao, const QString &texto) {
    return u'\'' + conexao.escapa(texto) + u'\'';
}
