#include "util/Progresso.h"

#include <QCoreApplication>

namespace {
constexpr qint64 intervaloMs = 100;
// Often enough for the window to answer at once; each look for events costs a system call, which a fast
// run would otherwise pay on every row.
constexpr qint64 eventosMs = 10;
} // namespace

Progresso::Progresso(qint64 total, Mostra mostra) : total_(total), mostra_(std::move(mostra)) {
    this->mostra();
}

Progresso::~Progresso() {
    // The last count, whatever the interval: a run's end is always shown.
    if (mostra_)
        mostra_(feitas_, total_);
}

void Progresso::avanca() {
    ++feitas_;
    if (desdeUltima_.elapsed() >= intervaloMs)
        mostra();
    if (!desdeEventos_.isValid() || desdeEventos_.elapsed() >= eventosMs) {
        QCoreApplication::processEvents();
        desdeEventos_.start();
    }
}

void Progresso::mostra() {
    if (mostra_)
        mostra_(feitas_, total_);
    desdeUltima_.start();
}
