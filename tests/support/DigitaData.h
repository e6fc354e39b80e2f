#pragma once

#include <QDateEdit>
#include <QLineEdit>
#include <QTest>

// Types into a date field as an operator does: a click on the character at `posicao` of the text
// shown (Tab into the field when it is negative), the keys, then Tab out of the field.
inline void digitaData(QDateEdit *campo, int posicao, const QString &teclas) {
    // Focus moves, and the field sees it, only in the active window.
    campo->window()->activateWindow();
    if (!QTest::qWaitForWindowActive(campo->window()))
        qWarning("the window of %s is not active", qPrintable(campo->objectName()));
    if (posicao < 0) {
        campo->setFocus(Qt::TabFocusReason);
    } else {
        QLineEdit *texto = campo->findChild<QLineEdit *>();
        const int meio = texto->height() / 2;
        int x = 0;
        while (x < texto->width() && texto->cursorPositionAt(QPoint(x, meio)) < posicao)
            ++x;
        QTest::mouseClick(texto, Qt::LeftButton, {}, QPoint(x + 1, meio));
    }
    QTest::keyClicks(campo, teclas);
    QTest::keyClick(campo, Qt::Key_Tab);
}
