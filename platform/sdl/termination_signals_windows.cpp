// Windows ends a windowed program through its window (the quit event), not through signals.
#include "platform/sdl/termination_signals.h"

namespace tolarka::platform::sdl {

void ChainTerminationHandlers() {}
void UnchainTerminationHandlers() {}
bool TerminationRequested() { return false; }

}  // namespace tolarka::platform::sdl
