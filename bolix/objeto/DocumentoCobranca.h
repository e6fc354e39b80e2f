#pragma once

#include "bolix/objeto/MeusDados.h"
#include "bolix/objeto/PadroesBoleto.h"

namespace bolix::objeto {

// One charge: payer, dates, amounts, instructions, and its own texts and settings.
class DocumentoCobranca : public Objeto {
public:
    // Refuses a nosso número that the account would not take, with the core's text.
    using ConfereNossoNumero = std::function<void(const DocumentoCobranca &, const QString &)>;
    // The nosso número as the boleto prints it; empty until the account is configured.
    using NossoNumeroImpresso = std::function<QString(const DocumentoCobranca &)>;

    explicit DocumentoCobranca(ConfereNossoNumero confere = {}, NossoNumeroImpresso impresso = {});
    PadroesBoleto &padroesBoleto() const { return *padroes_; }
    MeusDados &meusDados() const { return *meusDados_; }

private:
    void confere(const QString &nome, const Variant &valor) const override;

    ConfereNossoNumero confere_;
    std::shared_ptr<PadroesBoleto> padroes_ = std::make_shared<PadroesBoleto>();
    std::shared_ptr<MeusDados> meusDados_ = std::make_shared<MeusDados>();
};

} // namespace bolix::objeto
