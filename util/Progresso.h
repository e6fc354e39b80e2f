#pragma once

#include <QElapsedTimer>
#include <functional>

// The progress of a long run (documents, return lines, settlements). The window's pending events are
// processed at the first row and then every 10 ms at most, so it repaints and answers; the count is shown
// at most every 100 ms, since doing either for every row of a fast run would cost more than the run.
class Progresso {
public:
    using Mostra = std::function<void(qint64 feitas, qint64 total)>;

    // mostra may be empty (no window: tests, benchmarks).
    Progresso(qint64 total, Mostra mostra);
    ~Progresso();
    Progresso(const Progresso &) = delete;
    Progresso &operator=(const Progresso &) = delete;

    // One more row done.
    void avanca();
    qint64 feitas() const { return feitas_; }

private:
    void mostra();

    qint64 total_;
    qint64 feitas_ = 0;
    Mostra mostra_;
    QElapsedTimer desdeUltima_;
    QElapsedTimer desdeEventos_;
};
