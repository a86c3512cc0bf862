#include "platform/sdl/picture_raster.h"

#include <SDL_image.h>

#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "assets/artwork.h"
#include "assets/font_set.h"
#include "assets/render.h"
#include "media/picture_catalogue.h"

namespace tolarka::platform::sdl {
namespace {

// The drawing code of every picture, and the fonts it letters with, made on first use.
struct ArtCatalogue {
    art::FontSet fonts{art::FontFiles{TOLARKA_FONT_SANS_FILE, TOLARKA_FONT_SANS_BOLD_FILE,
                                      TOLARKA_FONT_VERDANA_FILE, TOLARKA_FONT_VERDANA_BOLD_FILE}};
    std::map<std::string, art::Artwork, std::less<>> byName;
    ArtCatalogue() {
        for (auto& a : art::AllArtwork()) {
            std::string name = a.name;
            byName.emplace(std::move(name), std::move(a));
        }
    }
};

ArtCatalogue* Catalogue() {
    static std::unique_ptr<ArtCatalogue> catalogue = []() -> std::unique_ptr<ArtCatalogue> {
        try {
            return std::make_unique<ArtCatalogue>();
        } catch (const std::exception&) {
            return nullptr;  // no fonts: the pictures at their own size are used, scaled
        }
    }();
    return catalogue.get();
}

SurfacePtr FromPng(const media::Picture& p) {
    return SurfacePtr(IMG_Load_RW(SDL_RWFromConstMem(p.png.data(), static_cast<int>(p.png.size())), 1));
}

SurfacePtr Redrawn(const media::Picture& p, double scale) {
    ArtCatalogue* c = Catalogue();
    if (!c) return nullptr;
    auto it = c->byName.find(p.name);
    if (it == c->byName.end()) return nullptr;
    art::Pixels px;
    try {
        px = art::RenderPixels(it->second, c->fonts, scale);
    } catch (const std::exception&) {
        return nullptr;
    }
    SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, px.width, px.height, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!s) return nullptr;
    for (int y = 0; y < px.height; ++y) {
        std::memcpy(static_cast<unsigned char*>(s->pixels) + static_cast<std::ptrdiff_t>(y) * s->pitch,
                    px.argb.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(px.width),
                    static_cast<std::size_t>(px.width) * 4);
    }
    return s;
}

}  // namespace

SurfacePtr PictureSurface(std::string_view name, double scale) {
    const media::Picture* p = media::FindPicture(name);
    if (!p) return nullptr;
    if (scale != 1.0) {
        if (auto s = Redrawn(*p, scale)) return s;
    }
    return FromPng(*p);
}

}  // namespace tolarka::platform::sdl
