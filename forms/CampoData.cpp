#include "forms/CampoData.h"

#include "util/Clock.h"
#include "util/Mensagens.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

// Where each part of "dd/MM/yyyy" starts, how many digits it has, and the largest value its first
// digits can lead to (a day that starts with 4 is complete at once).
constexpr int Inicio[] = {0, 3, 6};
constexpr int Largura[] = {2, 2, 4};
constexpr int Maximo[] = {31, 12, 9999};

} // namespace

CampoData::CampoData(QWidget *pai) : QDateEdit(pai) {
    setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    setCalendarPopup(true);
    setDate(Clock::hoje());
}

void CampoData::keyPressEvent(QKeyEvent *event) {
    const QString texto = event->text();
    const bool digito = texto.size() == 1 && texto[0] >= u'0' && texto[0] <= u'9' &&
                        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (digito) {
        digita(texto[0]);
        return;
    }
    if (digitando_) {
        // Moving between the parts keeps what was typed; any other key ends the typing first.
        if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right || texto == QLatin1String("/")) {
            mudaDeParte(std::clamp(parte_ + (event->key() == Qt::Key_Left ? -1 : 1), int(Dia), int(Ano)));
            mostra();
            return;
        }
        conclui();
    }
    QDateEdit::keyPressEvent(event);
}

void CampoData::focusOutEvent(QFocusEvent *event) {
    conclui();
    QDateEdit::focusOutEvent(event);
}

void CampoData::mousePressEvent(QMouseEvent *event) {
    // The calendar button: the calendar starts from the date the field holds.
    conclui();
    QDateEdit::mousePressEvent(event);
}

bool CampoData::focusNextPrevChild(bool next) {
    conclui();
    // Tab leaves the field, as it leaves a Windows date picker, instead of walking its parts.
    return QWidget::focusNextPrevChild(next);
}

int CampoData::parteNoCursor() const {
    const QLineEdit *e = lineEdit();
    const int posicao = e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
    return posicao < Inicio[Mes] ? Dia : posicao < Inicio[Ano] ? Mes : Ano;
}

void CampoData::digita(QChar digito) {
    if (!digitando_) {
        digitando_ = true;
        const QDate d = date();
        valores_[Dia] = d.day();
        valores_[Mes] = d.month();
        valores_[Ano] = d.year();
        mudaDeParte(parteNoCursor());
    } else if (lineEdit()->selectionStart() != Inicio[parte_]) {
        // A click put the cursor into another part.
        mudaDeParte(parteNoCursor());
    }
    digitos_ += digito;
    valores_[parte_] = digitos_.toInt();
    if (digitos_.size() == Largura[parte_] || valores_[parte_] * 10 > Maximo[parte_]) {
        if (parte_ == Ano) {
            conclui();
            return;
        }
        mudaDeParte(parte_ + 1);
    }
    mostra();
}

void CampoData::mudaDeParte(int parte) {
    parte_ = parte;
    digitos_.clear();
}

QString CampoData::digitado() const {
    const QChar zero(u'0');
    return QStringLiteral("%1/%2/%3")
        .arg(valores_[Dia], 2, 10, zero)
        .arg(valores_[Mes], 2, 10, zero)
        .arg(valores_[Ano], 4, 10, zero);
}

void CampoData::mostra() {
    // The field's own parsing would adjust a day the month does not have; it sees only the end result.
    const QSignalBlocker bloqueio(lineEdit());
    lineEdit()->setText(digitado());
    lineEdit()->setSelection(Inicio[parte_], Largura[parte_]);
}

void CampoData::conclui() {
    if (!digitando_)
        return;
    digitando_ = false;
    const QDate data(valores_[Ano], valores_[Mes], valores_[Dia]);
    const bool aceita = data.isValid() && data >= minimumDate() && data <= maximumDate();
    if (aceita)
        setDate(data);
    {
        // Whether it changed or not, the field shows the date it holds.
        const QSignalBlocker bloqueio(lineEdit());
        lineEdit()->setText(textFromDateTime(dateTime()));
    }
    if (!aceita)
        Mensagens::atual().erro(QStringLiteral("'%1' não é uma data válida").arg(digitado()));
}
