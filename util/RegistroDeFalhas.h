#pragma once

#include "util/Erro.h"

#include <QString>
#include <utility>

// An error together with the step of a sequence (start-up) in which it happened, for support.
class ErroNaEtapa : public Erro {
public:
    ErroNaEtapa(const QString &etapa, const QString &texto) : Erro(texto), etapa_(etapa) {}
    const QString &etapa() const { return etapa_; }

private:
    QString etapa_;
};

// Runs one step; whatever it throws comes out as an ErroNaEtapa naming it, its text unchanged. A step
// inside a step keeps the innermost name, which says most.
template <typename Passo> decltype(auto) naEtapa(const QString &etapa, Passo &&passo) {
    try {
        return std::forward<Passo>(passo)();
    } catch (const ErroNaEtapa &) {
        throw;
    } catch (const std::exception &e) {
        throw ErroNaEtapa(etapa, textoDoErro(e));
    }
}

// The log beside the program, "ruvenal.log": a line "<date and time> <step>: <text>" is appended and also
// written to standard error. The file keeps only its last lines, so it never grows without end. A log
// that cannot be written is left alone: the failure it records matters more.
void registraFalha(const QString &pastaDoPrograma, const QString &etapa, const QString &texto);

// How many lines the log keeps.
inline constexpr int LinhasDoRegistro = 300;
