#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class MensagensGravadas;
class TFRuvenal;

namespace benchmark {
class State;
}

// The main of a benchmark of the window: an offscreen application with the Brazilian settings,
// `prepara` (the database) before the benchmarks named on the command line, `encerra` after them while
// the application still exists, so that windows are destroyed before it.
int rodaBenchmarksDaJanela(int argc, char **argv, const std::function<void()> &prepara,
                           const std::function<void()> &encerra);

// One run of a window's listing beside the server alone: `clique` (the click, with the painting after it) is
// timed as the run's time, and `sql` sent and read on a bare connection to `banco`; counters servidor_ms and
// razao. Whichever goes second finds the server's caches warmer, so the order alternates between runs.
void cronometraContraServidor(benchmark::State &state, const QString &banco, const QByteArray &sql,
                              const std::function<void()> &clique);

// The component's registration in `pasta` (its automation.ini), for the program or a benchmark that asks
// for the component itself.
void registraBolix(const QString &pasta, const QByteArray &plugin);

// The program's main window, started and on screen, of an installation in `pasta` over `banco`: the
// component's plugin (`plugin`) and the [Ruvenal] lines `ruvenal` after cod_empresa=1. A start-up that
// fails stops the benchmark with the messages `mensagens` recorded.
std::unique_ptr<TFRuvenal> janelaNaTela(const QString &pasta, const QString &banco, const QByteArray &plugin,
                                        const QByteArray &ruvenal, const MensagensGravadas &mensagens);
