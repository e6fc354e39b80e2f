#include "cedente/CampoDecimal.h"

#include "util/Regional.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace {

constexpr int Casas = 2;

// Two places, half a cent away from zero, no thousands separator: what the field accepts back.
QString formata(Money valor) {
    const std::int64_t unidades = valor.unidades();
    const std::int64_t centavos = (std::abs(unidades) + Money::Escala / 200) / (Money::Escala / 100);
    const QString texto = QString::number(centavos / 100) + Regional::atual().separadorDecimal +
                          QStringLiteral("%1").arg(centavos % 100, Casas, 10, QLatin1Char('0'));
    return unidades < 0 && centavos != 0 ? QLatin1Char('-') + texto : texto;
}

} // namespace

CampoDecimal::CampoDecimal(QWidget *parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setMaxLength(11);
    const QString separador = QRegularExpression::escape(Regional::atual().separadorDecimal);
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("-?\\d*(%1\\d{0,%2})?").arg(separador).arg(Casas)), this));
    setValor(Money());
}

Money CampoDecimal::valor() const {
    return text() == mostrado_ ? valor_ : Regional::atual().leDecimal(text()).value_or(Money());
}

void CampoDecimal::setValor(Money valor) {
    valor_ = valor;
    setText(formata(valor));
    mostrado_ = text();
}

void CampoDecimal::focusOutEvent(QFocusEvent *event) {
    setValor(valor());
    QLineEdit::focusOutEvent(event);
}
