#pragma once

#include "util/Money.h"

#include <QLineEdit>

// A right-aligned edit for a decimal with two places and the regional decimal separator.
class CampoDecimal : public QLineEdit {
    Q_OBJECT
public:
    explicit CampoDecimal(QWidget *parent);

    // The typed number; an empty field or a lone sign is zero. A value set stays exact while its text is
    // not edited, so a stored value with more places than the field shows goes back to the file unchanged.
    Money valor() const;
    void setValor(Money valor);

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    Money valor_;
    QString mostrado_;
};
