#pragma once

#include <QString>
#include <QStringList>

// The builder's report of 200 body lines, saved by TImpres::Visualiza at 09/12/2026 10:00: four pages of
// 66, 64, 64 and 6 body lines under their page headers.
struct RelatorioDeTeste {
    explicit RelatorioDeTeste(const QString &arquivo);

    // The lines with words that page n shows: its page header and body lines de to ate.
    QStringList pagina(int n, int de, int ate) const;

    QStringList corpo;
    // The viewer, the report file and the column count, as the builder starts it.
    QStringList iniciado;
};
