#pragma once
#include <SDL.h>

#include <memory>
#include <string_view>

namespace tolarka::platform::sdl {

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// A compiled-in picture as a surface `scale` times its own size. At scale 1 it is the PNG the
// build drew; at any other scale the picture's drawing code runs again at that size, so edges
// and lettering stay sharp. Null for an unknown name or when drawing fails.
SurfacePtr PictureSurface(std::string_view name, double scale);

}  // namespace tolarka::platform::sdl
