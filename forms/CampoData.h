#pragma once

#include <QDateEdit>

// The date field of the window and the dialogs: "dd/MM/yyyy" with a drop-down calendar, starting on
// today. Digits typed go into the part under the cursor (wherever a click put it) and move on to the
// next part when it is full, so a whole date typed from the day, such as 31072026, gives that date
// however many days the month shown before has. A date that does not exist is refused with the error
// box and the field goes back to the date it had; nothing is adjusted silently.
class CampoData : public QDateEdit {
    Q_OBJECT
public:
    explicit CampoData(QWidget *pai);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    enum Parte { Dia, Mes, Ano };

    void digita(QChar digito);
    int parteNoCursor() const;
    void mudaDeParte(int parte);
    // The typed date as "dd/MM/yyyy".
    QString digitado() const;
    void mostra();
    // Ends the typing: the date typed becomes the field's date, or is refused.
    void conclui();

    bool digitando_ = false;
    int parte_ = Dia;
    // The digits typed into the current part.
    QString digitos_;
    // Day, month and year as typed, not yet checked.
    int valores_[3] = {};
};
