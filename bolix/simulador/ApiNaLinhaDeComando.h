#pragma once

// The simulator's HTTPS mode on the command line: Banco do Brasil's API for the demo and for checking a
// set-up before going live, until the process is stopped.

#include <QStringList>

class QTextStream;

namespace bolix::simulador {

// The options after "--api-bb". Returns the exit code; runs the event loop while it serves.
int executaApiBancoDoBrasil(const QStringList &argumentos, QTextStream &saida, QTextStream &erros);

} // namespace bolix::simulador
