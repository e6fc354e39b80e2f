#pragma once

// Between the late-bound objects and the component's typed core.

#include "bolix/core/Conta.h"
#include "bolix/core/Documento.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/cnab/Remessa.h"
#include "bolix/core/cnab/Retorno.h"
#include "bolix/objeto/ContaCorrente.h"

namespace bolix::objeto {

// The core's refusals reach the caller as automation errors with the same text.
template <class F> auto comErroDeAutomacao(F trabalho) {
    try {
        return trabalho();
    } catch (const bolix::ErroBolix &e) {
        throw automation::AutomationError(e.texto());
    }
}

// "bolix.ini" beside the program; the variable BOLIX_INI names another file (tests, demo set-ups).
QString caminhoConfiguracao();

bolix::Conta contaDe(const ContaCorrente &objeto);
// The account's normalised texts back into the object's members.
void devolveConta(ContaCorrente &objeto, const bolix::Conta &conta);

bolix::Documento documentoDe(const DocumentoCobranca &objeto);
bolix::ArquivoRemessa destinoDe(const ArquivoRemessa &objeto);
void preencheOcorrencia(OcorrenciaCobranca &objeto, const bolix::Ocorrencia &ocorrencia);
void preenchePix(PixCobranca &objeto, const bolix::Ocorrencia &ocorrencia);
void preencheBaixa(BaixaCobranca &objeto, const bolix::Ocorrencia &ocorrencia);

} // namespace bolix::objeto
