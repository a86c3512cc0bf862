#pragma once
#include "platform/sdl/clip_player.h"

namespace tolarka::platform::sdl {

// The factory of the clip code in this binary (the program's, or the module's own copy).
ClipPlayerFactory& LinkedClipPlayers();

}  // namespace tolarka::platform::sdl
