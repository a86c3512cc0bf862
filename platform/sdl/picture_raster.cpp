#include "platform/sdl/picture_raster.h"

#include <cstdint>

#include "platform/pictures.h"
#include "platform/sdl/png_codec.h"

namespace tolarka::platform::sdl {

std::optional<RedrawnShape> RedrawnPictureShape(std::string_view name, double scale) {
    const auto redrawn = Pictures().Redrawn(name, scale);
    if (!redrawn) return std::nullopt;
    return RedrawnShape{redrawn->width, redrawn->height, redrawn->alpha};
}

bool RedrawPictureInto(std::string_view name, double scale, const SDL_Rect& part, void* pixels, int pitch) {
    if (part.w <= 0 || part.h <= 0) return false;
    return Pictures().RedrawInto(name, scale, Rect{part.x, part.y, part.w, part.h},
                                 static_cast<std::uint32_t*>(pixels), pitch);
}

SurfacePtr PictureSurface(std::string_view name, double scale) {
    const auto file = Pictures().Find(name);
    if (!file) return nullptr;
    if (scale != 1.0) {
        if (const auto shape = RedrawnPictureShape(name, scale)) {
            SurfacePtr s(
                SDL_CreateRGBSurfaceWithFormat(0, shape->width, shape->height, 32, SDL_PIXELFORMAT_ARGB8888));
            if (s && RedrawPictureInto(name, scale, SDL_Rect{0, 0, shape->width, shape->height}, s->pixels,
                                       s->pitch))
                return s;
        }
    }
    return DecodePng(file->png);
}

}  // namespace tolarka::platform::sdl
