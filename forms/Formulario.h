#pragma once

#include <QFont>
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

// The operators' font on every form, "MS Sans Serif" 8 point; where it is missing, the metric twin of
// Arial keeps captions inside their controls.
inline QFont fonteFormulario() {
    QFont::insertSubstitutions(
        QStringLiteral("MS Sans Serif"),
        {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    return QFont(QStringLiteral("MS Sans Serif"), 8);
}
