#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

// Forms here are laid out at fixed positions, as the operators know them; every control carries the
// name the code and the tests find it by.
template <typename W> W *cria(QWidget *pai, const char *nome, QRect geometria) {
    auto *w = new W(pai);
    w->setObjectName(QLatin1String(nome));
    w->setGeometry(geometria);
    return w;
}
