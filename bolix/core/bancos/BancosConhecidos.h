#pragma once

// The rule object of each supported bank; regraDoBanco picks among them.

#include "bolix/core/bancos/Bancos.h"

namespace bolix {

const RegraBanco &bancoDoBrasil();
const RegraBanco &caixa();
const RegraBanco &bradesco();
const RegraBanco &real();
const RegraBanco &sicoob();
const RegraBanco &itau();
const RegraBanco &santander();
const RegraBanco &sicredi();
const RegraBanco &banrisul();

} // namespace bolix
