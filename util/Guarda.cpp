#include "util/Guarda.h"

#include "util/Erro.h"
#include "util/Mensagens.h"

void guarda(const std::function<void()> &handler) {
    try {
        handler();
    } catch (const std::exception &e) {
        Mensagens::atual().erro(textoDoErro(e));
    } catch (...) {
        Mensagens::atual().erro(QStringLiteral("Erro desconhecido."));
    }
}
