#include "platform/sdl/picture_raster.h"

#include <SDL_image.h>

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "assets/artwork.h"
#include "assets/font_set.h"
#include "assets/render.h"
#include "media/picture_catalogue.h"
#include "platform/sdl/font_files.h"

namespace tolarka::platform::sdl {
namespace {

// The drawing code of every picture, and the fonts it letters with, made on first use.
struct ArtCatalogue {
    art::FontSet fonts{
        art::FontFiles{FontFiles().sans, FontFiles().sansBold, FontFiles().verdana, FontFiles().verdanaBold}};
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

const art::Artwork* ArtOf(std::string_view name, ArtCatalogue*& catalogue) {
    catalogue = Catalogue();
    const media::Picture* p = media::FindPicture(name);
    if (!catalogue || !p) return nullptr;
    auto it = catalogue->byName.find(p->name);
    return it == catalogue->byName.end() ? nullptr : &it->second;
}

}  // namespace

std::optional<RedrawnShape> RedrawnPictureShape(std::string_view name, double scale) {
    ArtCatalogue* c = nullptr;
    const art::Artwork* a = ArtOf(name, c);
    if (!a) return std::nullopt;
    return RedrawnShape{art::ScaledLength(a->width, scale), art::ScaledLength(a->height, scale), a->alpha};
}

bool RedrawPictureInto(std::string_view name, double scale, const SDL_Rect& part, void* pixels, int pitch) {
    ArtCatalogue* c = nullptr;
    const art::Artwork* a = ArtOf(name, c);
    if (!a || part.w <= 0 || part.h <= 0) return false;
    try {
        art::RenderInto(*a, c->fonts, scale, part.x, part.y, part.w, part.h,
                        static_cast<std::uint32_t*>(pixels), pitch);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

SurfacePtr PictureSurface(std::string_view name, double scale) {
    const media::Picture* p = media::FindPicture(name);
    if (!p) return nullptr;
    if (scale != 1.0) {
        if (const auto shape = RedrawnPictureShape(name, scale)) {
            SurfacePtr s(
                SDL_CreateRGBSurfaceWithFormat(0, shape->width, shape->height, 32, SDL_PIXELFORMAT_ARGB8888));
            if (s && RedrawPictureInto(name, scale, SDL_Rect{0, 0, shape->width, shape->height}, s->pixels,
                                       s->pitch))
                return s;
        }
    }
    return FromPng(*p);
}

}  // namespace tolarka::platform::sdl
