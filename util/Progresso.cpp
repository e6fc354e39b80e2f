#include "util/Progresso.h"

#include <QCoreApplication>

namespace {
constexpr qint64 intervaloMs = 100;
}

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
    QCoreApplication::processEvents();
}

void Progresso::mostra() {
    if (mostra_)
        mostra_(feitas_, total_);
    desdeUltima_.start();
}
