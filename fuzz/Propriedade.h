#pragma once

// What the harnesses share: a property that every input must keep. A broken one aborts, so that
// libFuzzer stops and keeps the input that broke it.

#include <QString>
#include <cstdio>
#include <cstdlib>

inline void exige(bool condicao, const char *propriedade, const QString &detalhe = {}) {
    if (condicao)
        return;
    std::fprintf(stderr, "Broken: %s\n%s\n", propriedade, qUtf8Printable(detalhe));
    std::abort();
}
