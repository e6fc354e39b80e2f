#include "db/Literal.h"

#include "db/Connection.h"

QString Literal(int numero) {
    return QString::number(numero);
}

QString Literal(qint64 numero) {
    return QString::number(numero);
}

QString Literal(double numero) {
    return QString::number(numero, 'g', 15);
}

QString Literal(Money dinheiro) {
    return dinheiro.toDecimalText();
}

QString Literal(const QDate &data) {
    if (!data.isValid())
        return QStringLiteral("'0000-00-00'");
    return u'\'' + data.toString(u"yyyy-MM-dd") + u'\'';
}

QString Literal(const QDateTime &momento) {
    if (!momento.isValid())
        return Literal(QDate());
    // Seconds are truncated; a time of day of zero leaves the date alone.
    const QTime hora = momento.time();
    if (hora == QTime(0, 0))
        return Literal(momento.date());
    return u'\'' + momento.toString(u"yyyy-MM-dd HH:mm:ss") + u'\'';
}

QString Literal(Connection &conexao, const QString &texto) {
    return u'\'' + conexao.escapa(texto) + u'\'';
}
