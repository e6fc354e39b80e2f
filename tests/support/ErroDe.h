#pragma once

#include "automation/Variant.h"
#include "util/Erro.h"

#include <functional>

// The text of the AutomationError that f raises, or empty when it raises none.
inline QString erroDe(const std::function<void()> &f) {
    try {
        f();
    } catch (const automation::AutomationError &e) {
        return e.text();
    }
    return {};
}

// The text of the program's Erro that f raises, or empty when it raises none.
inline QString erroDoPrograma(const std::function<void()> &f) {
    try {
        f();
    } catch (const Erro &e) {
        return e.texto();
    }
    return {};
}
