#pragma once
#include <SDL.h>

namespace tolarka::platform::sdl {

// The screens' key code (classic virtual-key numbers) of an SDL key. Every physical key has a
// code, so "any key" means any key; keys the game never names get codes it ignores.
int KeyCode(const SDL_Keysym& key);

}  // namespace tolarka::platform::sdl
