#include "util/Mensagens.h"

#include <stdexcept>

namespace {

// Until a window or a test installs its boxes, showing one is a fault of the caller: say so loudly
// instead of answering on the operator's behalf.
class SemMensagens final : public Mensagens {
public:
    void mensagem(const QString &texto) override { falta(texto); }
    void atencao(const QString &texto) override { falta(texto); }
    Resposta pergunta(const QString &texto) override { falta(texto); }
    Resposta perguntaSimNao(const QString &texto) override { falta(texto); }
    void aviso(const QString &texto) override { falta(texto); }
    void erro(const QString &texto) override { falta(texto); }

private:
    [[noreturn]] static void falta(const QString &texto) {
        throw std::logic_error("no message boxes installed to show: " + texto.toStdString());
    }
};

Mensagens *instalada = nullptr;

} // namespace

Mensagens &Mensagens::atual() {
    static SemMensagens nenhuma;
    return instalada ? *instalada : nenhuma;
}

void Mensagens::instalar(Mensagens *m) {
    instalada = m;
}

QStringList PrimeirosDaLista(const QStringList &linhas, int mostrados) {
    QStringList primeiros = linhas.mid(0, mostrados);
    if (linhas.size() > mostrados)
        primeiros << QStringLiteral("... e mais %1.").arg(linhas.size() - mostrados);
    return primeiros;
}
