#pragma once

#include "bolix/objeto/Objeto.h"

namespace bolix::objeto {

// What the bank's return file says about one charge.
class OcorrenciaCobranca : public Objeto {
public:
    OcorrenciaCobranca();
};

// What the bank's return says about a charge's Pix QR: the text to print, or why there is none. Kept
// apart from the occurrences, which the program settles.
class PixCobranca : public Objeto {
public:
    PixCobranca();
};

// A title the bank's return wrote off unpaid: listed to the operator, never settled.
class BaixaCobranca : public Objeto {
public:
    BaixaCobranca();
};

} // namespace bolix::objeto
