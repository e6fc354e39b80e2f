#include "util/Plataforma.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace plataforma {

void BlockInput(bool bloquear) {
#ifdef Q_OS_WIN
    ::BlockInput(bloquear ? TRUE : FALSE);
#else
    Q_UNUSED(bloquear);
#endif
}

} // namespace plataforma
