#pragma once
// PNG pictures through libpng's simplified API: the program's own art decoded from memory, and
// screenshots written out.
#include <SDL.h>

#include <cstdint>
#include <span>
#include <string>

#include "platform/sdl/sdl_handles.h"

namespace tolarka::platform::sdl {

// The picture in `png` as a 32-bit surface: ARGB8888 when it has transparency (an alpha channel
// or a transparent colour), RGB888 otherwise, so opaque pictures are copied rather than blended.
// Null when the data is not a PNG that libpng reads whole, or is unreasonably large.
SurfacePtr DecodePng(std::span<const std::uint8_t> png);

// Writes the surface as an RGBA PNG file (opaque when its format has no alpha) to a temporary
// file beside `path`, renamed over it once whole. False when it could not be written; a file
// already at `path` then stays as it was.
bool SavePng(SDL_Surface* surface, const std::string& path);

}  // namespace tolarka::platform::sdl
