#include "bolix/objeto/ContaCorrente.h"

namespace bolix::objeto {

namespace {

[[noreturn]] void indisponivel(const char *metodo) {
    throw automation::AutomationError(
        QStringLiteral("%1: o trabalho bancário ainda não está disponível nesta versão do Bolix.")
            .arg(QLatin1String(metodo)));
}

} // namespace

QString ContaCorrente::numeroBanco() const {
    return {};
}

void ContaCorrente::configuraContaCorrente() {
    indisponivel("ConfiguraContaCorrente");
}

void ContaCorrente::imprimeBoletos() {
    indisponivel("ImprimeBoletos");
}

QString ContaCorrente::gravaArquivoRemessa() {
    indisponivel("GravaArquivoRemessa");
}

void ContaCorrente::carregaArquivosRetorno() {
    indisponivel("CarregaArquivosRetorno");
}

} // namespace bolix::objeto
