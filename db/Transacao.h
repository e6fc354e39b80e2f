#pragma once

#include "db/Connection.h"

#include <exception>

// Rolls back the open transaction after an error.
inline void DesfazTransacao(Connection &conexao) {
    try {
        conexao.executa(QStringLiteral("rollback"));
    } catch (const std::exception &) {
        // A server that is gone rolls the transaction back itself.
    }
}

// Runs the statements of `corpo` as a whole: committed together, or on any error rolled back and the error
// passed on. The connection is never reopened inside it, so a lost server loses the whole.
template <typename F> void EmTransacao(Connection &conexao, F &&corpo) {
    conexao.executa(QStringLiteral("start transaction"));
    try {
        corpo();
        conexao.executa(QStringLiteral("commit"));
    } catch (...) {
        DesfazTransacao(conexao);
        throw;
    }
}
