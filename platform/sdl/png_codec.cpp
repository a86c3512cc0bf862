#include "platform/sdl/png_codec.h"

#include <png.h>

#include <memory>
#include <vector>

#include "io/file_io.h"

namespace tolarka::platform::sdl {

namespace {

// Larger pictures are refused before any pixel memory is taken: the game's largest is its
// background at 640 x 480, a screenshot at most a few thousand pixels a side.
constexpr png_uint_32 kMaxSide = 16384;

// libpng's state for one image, released on every way out (also after a failed read or write).
struct ImageFreer {
    void operator()(png_image* image) const { png_image_free(image); }
};
using ImageGuard = std::unique_ptr<png_image, ImageFreer>;

// libpng's byte order whose pixels read as SDL's packed 0xAARRGGBB words.
constexpr png_uint_32 kPacked32 = SDL_BYTEORDER == SDL_BIG_ENDIAN ? PNG_FORMAT_ARGB : PNG_FORMAT_BGRA;

}  // namespace

SurfacePtr DecodePng(std::span<const std::uint8_t> png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return nullptr;
    const ImageGuard guard(&image);
    if (image.width == 0 || image.height == 0 || image.width > kMaxSide || image.height > kMaxSide)
        return nullptr;
    const bool alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(image.width),
                                                static_cast<int>(image.height), 32,
                                                alpha ? SDL_PIXELFORMAT_ARGB8888 : SDL_PIXELFORMAT_RGB888));
    if (!s) return nullptr;
    // Opaque pictures get an alpha byte of 255 that RGB888 ignores.
    image.format = kPacked32;
    if (!png_image_finish_read(&image, nullptr, s->pixels, s->pitch, nullptr)) return nullptr;
    return s;
}

bool SavePng(SDL_Surface* surface, const std::string& path) {
    if (!surface) return false;
    // A byte-ordered format, so that SDL's and libpng's names of it agree on every machine; a
    // surface without alpha comes out opaque.
    const SurfacePtr bytes(SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGBA32, 0));
    if (!bytes) return false;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(bytes->w);
    image.height = static_cast<png_uint_32>(bytes->h);
    image.format = PNG_FORMAT_RGBA;
    const ImageGuard guard(&image);
    std::vector<unsigned char> file(PNG_IMAGE_PNG_SIZE_MAX(image));
    png_alloc_size_t size = file.size();
    if (!png_image_write_to_memory(&image, file.data(), &size, 0, bytes->pixels, bytes->pitch, nullptr))
        return false;
    file.resize(size);
    return ReplaceFile(path, file);
}

}  // namespace tolarka::platform::sdl
