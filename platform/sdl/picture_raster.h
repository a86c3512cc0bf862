#pragma once
#include <optional>
#include <string_view>

#include "platform/sdl/sdl_handles.h"

namespace tolarka::platform::sdl {

// One of the program's pictures (platform/pictures.h) as a surface `scale` times its own size. At scale 1 it
// is the PNG the build drew; at any other scale the picture's drawing code runs again at that size, so edges
// and lettering stay sharp. Null for an unknown name or when drawing fails.
SurfacePtr PictureSurface(std::string_view name, double scale);

// A picture as its drawing code makes it at `scale`: its size in output pixels and whether it
// has transparent parts. Nullopt for an unknown name or one without drawing code.
struct RedrawnShape {
    int width = 0;
    int height = 0;
    bool alpha = true;
};
std::optional<RedrawnShape> RedrawnPictureShape(std::string_view name, double scale);
// Runs the picture's drawing code at `scale` straight into 32-bit ARGB pixels (`pitch` bytes a
// row), drawing only `part` (output pixels of the whole scaled picture). False when it failed.
bool RedrawPictureInto(std::string_view name, double scale, const SDL_Rect& part, void* pixels, int pitch);

}  // namespace tolarka::platform::sdl
