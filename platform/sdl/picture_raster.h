#pragma once
#include <string_view>

#include "platform/sdl/sdl_handles.h"

namespace tolarka::platform::sdl {

// A compiled-in picture as a surface `scale` times its own size. At scale 1 it is the PNG the
// build drew; at any other scale the picture's drawing code runs again at that size, so edges
// and lettering stay sharp. Null for an unknown name or when drawing fails.
SurfacePtr PictureSurface(std::string_view name, double scale);

}  // namespace tolarka::platform::sdl
