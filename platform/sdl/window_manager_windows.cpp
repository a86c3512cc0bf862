#include "platform/sdl/window_manager.h"

namespace tolarka::platform::sdl {

// Windows always has its window manager.
bool HasWindowManager(SDL_Window*) { return true; }

}  // namespace tolarka::platform::sdl
