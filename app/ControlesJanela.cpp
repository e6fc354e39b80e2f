#include "app/ControlesJanela.h"

#include "forms/Formulario.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTableView>

QLabel *rotulo(QWidget *pai, const QString &texto, QRect geometria) {
    auto *l = new QLabel(texto, pai);
    l->setGeometry(geometria);
    return l;
}

QTableView *lista(QWidget *pai, const char *nome, QRect geometria, QColor corTitulo) {
    auto *t = cria<QTableView>(pai, nome, geometria);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // No row indicator; rows of one height, so that long lists lay out and scroll at once.
    t->verticalHeader()->hide();
    t->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->verticalHeader()->setDefaultSectionSize(18);
    // The Windows window colour is the background of edits and grids, Qt's base colour.
    t->horizontalHeader()->setStyleSheet(
        // With a border of its own the title is filled flat, not shaded by the style.
        QStringLiteral("QHeaderView::section { background-color: %1; color: palette(base); border: 0px; "
                       "border-right: 1px solid palette(mid); }")
            .arg(corTitulo.name()));
    return t;
}

QFrame *amostra(QWidget *pai, QColor cor, QRect geometria) {
    auto *f = new QFrame(pai);
    f->setGeometry(geometria);
    f->setFrameShape(QFrame::Box);
    f->setAutoFillBackground(true);
    f->setStyleSheet(QStringLiteral("background-color: %1;").arg(cor.name()));
    return f;
}

namespace {
const QString formatoProgresso = QStringLiteral("%v de %m");
}

QProgressBar *barraProgresso(QWidget *pai, const char *nome, QRect geometria) {
    auto *barra = cria<QProgressBar>(pai, nome, geometria);
    barra->setFormat(formatoProgresso);
    barra->hide();
    return barra;
}

Progresso::Mostra mostraEm(QProgressBar *barra) {
    return [barra](qint64 feitas, qint64 total) {
        barra->setMaximum(int(total));
        barra->setValue(int(feitas));
        barra->show();
    };
}

std::function<void(const QString &)> situacaoEm(QProgressBar *barra) {
    return [barra](const QString &texto) {
        barra->setFormat(texto.isEmpty() ? formatoProgresso
                                         : formatoProgresso + QStringLiteral(", ") + texto);
    };
}
