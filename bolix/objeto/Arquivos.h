#pragma once

#include "bolix/objeto/Objeto.h"

namespace bolix::objeto {

// Where and how the remittance file is written.
class ArquivoRemessa : public Objeto {
public:
    ArquivoRemessa();
};

// Where and how the bank's return file is read.
class ArquivoRetorno : public Objeto {
public:
    ArquivoRetorno();
};

} // namespace bolix::objeto
