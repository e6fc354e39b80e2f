#pragma once

#include "bolix/objeto/Objeto.h"

#include <memory>

namespace bolix::objeto {

// Settings of the printed form.
class PadroesBoletoImpresso : public Objeto {
public:
    PadroesBoletoImpresso();
};

// What a boleto shows besides the charge itself: the account's defaults, or one document's texts.
class PadroesBoleto : public Objeto {
public:
    PadroesBoleto();
    PadroesBoletoImpresso &impresso() const { return *impresso_; }

private:
    std::shared_ptr<PadroesBoletoImpresso> impresso_ = std::make_shared<PadroesBoletoImpresso>();
};

} // namespace bolix::objeto
