#pragma once

namespace plataforma {

// Blocks or unblocks keyboard and mouse input on Windows; elsewhere there is nothing to undo.
void BlockInput(bool bloquear);

} // namespace plataforma
