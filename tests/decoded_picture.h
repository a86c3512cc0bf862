#pragma once
// Pictures as pixels for the content, drawing and clip tests: a catalogue picture decoded from its
// PNG bytes as the game decodes it, a PNG file such as a screenshot, or a window-less canvas.
#include <SDL.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "media/picture_catalogue.h"
#include "platform/sdl/png_codec.h"
#include "platform/sdl/sdl_handles.h"
#include "tests/scratch_dir.h"

namespace tolarka::testing {

struct Rgba {
    int r = 0, g = 0, b = 0, a = 0;
};

class DecodedPicture {
public:
    explicit DecodedPicture(const media::Picture& picture)
        : DecodedPicture(platform::sdl::DecodePng(picture.png)) {}
    // A catalogue picture by name (empty when there is none), or a PNG file.
    static DecodedPicture Named(const std::string& name) {
        const media::Picture* p = media::FindPicture(name);
        return p ? DecodedPicture(*p) : DecodedPicture(platform::sdl::SurfacePtr());
    }
    static DecodedPicture File(const std::string& path) {
        const std::string bytes = ReadFile(path);
        return DecodedPicture(
            platform::sdl::DecodePng({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}));
    }

    explicit operator bool() const { return surface_ != nullptr; }
    int Width() const { return surface_->w; }
    int Height() const { return surface_->h; }
    Rgba At(int x, int y) const {
        const auto* p = static_cast<const std::uint8_t*>(surface_->pixels) + y * surface_->pitch + x * 4;
        return {p[0], p[1], p[2], p[3]};
    }

private:
    explicit DecodedPicture(platform::sdl::SurfacePtr loaded) {
        if (loaded) surface_.reset(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0));
    }
    platform::sdl::SurfacePtr surface_;
};

// A software renderer on a plain surface of 32-bit pixels: no window, no display needed.
class Canvas {
public:
    Canvas(int width, int height)
        : surface_(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888)),
          renderer_(surface_ ? SDL_CreateSoftwareRenderer(surface_.get()) : nullptr) {}

    SDL_Renderer* Renderer() const { return renderer_.get(); }
    SDL_Surface* Surface() const { return surface_.get(); }
    void Clear() {
        SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
        SDL_RenderClear(renderer_.get());
    }
    Rgba At(int x, int y) const {
        const auto* row = static_cast<const std::uint8_t*>(surface_->pixels) + y * surface_->pitch;
        std::uint32_t pixel = 0;
        std::memcpy(&pixel, row + 4 * x, 4);
        Uint8 r = 0, g = 0, b = 0, a = 0;
        SDL_GetRGBA(pixel, surface_->format, &r, &g, &b, &a);
        return {r, g, b, a};
    }

private:
    platform::sdl::SurfacePtr surface_;
    platform::sdl::RendererPtr renderer_;  // destroyed before its surface
};

}  // namespace tolarka::testing
