#pragma once
#include <SDL.h>

namespace tolarka::platform::sdl {

// Whether a window manager looks after the window's display, so that it can grant full screen.
// On X11 it is there when the root window names one (_NET_SUPPORTING_WM_CHECK); a kiosk or a
// bare X server has none. Other video systems always have one.
bool HasWindowManager(SDL_Window* window);

// Call before SDL_Init. SDL's start asks for the desktop's session bus (for input methods and
// the screen saver); where the session has none, libdbus would try to start one with
// dbus-launch, a fork of the whole game costing tens of milliseconds for nothing the game uses.
// With no bus address in the environment and no bus in the user's runtime directory, an
// address of a kind libdbus does not know makes it give up at once.
void SkipAbsentSessionBus();

}  // namespace tolarka::platform::sdl
