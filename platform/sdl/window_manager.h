#pragma once
#include <SDL.h>

namespace tolarka::platform::sdl {

// Whether a window manager looks after the window's display, so that it can grant full screen.
// On X11 it is there when the root window names one (_NET_SUPPORTING_WM_CHECK); a kiosk or a
// bare X server has none. Other video systems always have one.
bool HasWindowManager(SDL_Window* window);

}  // namespace tolarka::platform::sdl
