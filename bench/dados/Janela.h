#pragma once

#include <functional>

// The main of a benchmark of the window: an offscreen application with the Brazilian settings,
// `prepara` (the database) before the benchmarks named on the command line, `encerra` after them while
// the application still exists, so that windows are destroyed before it.
int rodaBenchmarksDaJanela(int argc, char **argv, const std::function<void()> &prepara,
                           const std::function<void()> &encerra);
