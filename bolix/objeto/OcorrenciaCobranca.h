#pragma once

#include "bolix/objeto/Objeto.h"

namespace bolix::objeto {

// What the bank's return file says about one charge.
class OcorrenciaCobranca : public Objeto {
public:
    OcorrenciaCobranca();
};

} // namespace bolix::objeto
