#pragma once

#include "util/Progresso.h"

#include <QColor>
#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QProgressBar;
class QTableView;
class QWidget;

// Controls that every tab of the main window builds the same way.

QLabel *rotulo(QWidget *pai, const QString &texto, QRect geometria);

// A read-only grid of whole rows, with the title row in `corTitulo`.
QTableView *lista(QWidget *pai, const char *nome, QRect geometria, QColor corTitulo);

// A small coloured square of a grid's legend.
QFrame *amostra(QWidget *pai, QColor cor, QRect geometria);

// A run's count, "x de y", shown while the run goes on.
QProgressBar *barraProgresso(QWidget *pai, const char *nome, QRect geometria);
Progresso::Mostra mostraEm(QProgressBar *barra);
// Why the bar's count stands still, beside it; empty for the count alone.
std::function<void(const QString &)> situacaoEm(QProgressBar *barra);
