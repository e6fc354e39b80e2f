#include "cedente/CampoDecimal.h"

#include "util/Regional.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace {

constexpr int Casas = 2;
constexpr int Digitaveis = 11;

// Two places, half a cent away from zero, no thousands separator: what the field accepts back.
QString formata(Money valor) {
    Regional semMilhar = Regional::atual();
    semMilhar.separadorMilhar.clear();
    return semMilhar.formataValor(valor);
}

} // namespace

CampoDecimal::CampoDecimal(QWidget *parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
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
    mostrado_ = formata(valor);
    // The length limits typing only: a longer stored value is shown whole.
    setMaxLength(std::max(Digitaveis, int(mostrado_.size())));
    setText(mostrado_);
}

void CampoDecimal::focusOutEvent(QFocusEvent *event) {
    setValor(valor());
    QLineEdit::focusOutEvent(event);
}
