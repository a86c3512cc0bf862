#include "platform/sdl/window_manager.h"

namespace tolarka::platform::sdl {

// Windows always has its window manager.
bool HasWindowManager(SDL_Window*) { return true; }

// Windows has no session bus to look for.
void SkipAbsentSessionBus() {}

}  // namespace tolarka::platform::sdl
