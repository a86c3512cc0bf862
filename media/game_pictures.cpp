#include "media/game_pictures.h"

#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>

#include "assets/artwork.h"
#include "assets/font_set.h"
#include "assets/render.h"
#include "media/picture_catalogue.h"
#include "platform/font_files.h"

namespace tolarka::media {
namespace {

// The drawing code of every picture, and the fonts it letters with.
struct ArtCatalogue {
    art::FontSet fonts{art::FontFiles{platform::FontFiles().sans, platform::FontFiles().sansBold,
                                      platform::FontFiles().verdana, platform::FontFiles().verdanaBold}};
    std::map<std::string, art::Artwork, std::less<>> byName;
    ArtCatalogue() {
        for (auto& a : art::AllArtwork()) {
            std::string name = a.name;
            byName.emplace(std::move(name), std::move(a));
        }
    }
};

class Pictures final : public platform::PictureSource {
public:
    std::optional<platform::PictureFile> Find(std::string_view name) const override {
        const Picture* p = FindPicture(name);
        if (!p) return std::nullopt;
        return platform::PictureFile{p->width, p->height, p->png};
    }

    std::optional<platform::RedrawnSize> Redrawn(std::string_view name, double scale) const override {
        const art::Artwork* a = ArtOf(name);
        if (!a) return std::nullopt;
        return platform::RedrawnSize{art::ScaledLength(a->width, scale), art::ScaledLength(a->height, scale),
                                     a->alpha};
    }

    bool RedrawInto(std::string_view name, double scale, const platform::Rect& part, std::uint32_t* pixels,
                    int pitch) const override {
        const art::Artwork* a = ArtOf(name);
        if (!a || part.width <= 0 || part.height <= 0) return false;
        try {
            art::RenderInto(*a, Art()->fonts, scale, part.left, part.top, part.width, part.height, pixels,
                            pitch);
        } catch (const std::exception&) {
            return false;
        }
        return true;
    }

    Hotspot ArrowHotspot() const override { return {kArrowHotspot.x, kArrowHotspot.y}; }

private:
    // Made on first use; without the fonts there is none, and the PNG files are scaled instead.
    ArtCatalogue* Art() const {
        std::call_once(made_, [this] {
            try {
                art_ = std::make_unique<ArtCatalogue>();
            } catch (const std::exception&) {
            }
        });
        return art_.get();
    }

    const art::Artwork* ArtOf(std::string_view name) const {
        const Picture* p = FindPicture(name);
        ArtCatalogue* art = p ? Art() : nullptr;
        if (!art) return nullptr;
        auto it = art->byName.find(p->name);
        return it == art->byName.end() ? nullptr : &it->second;
    }

    mutable std::once_flag made_;
    mutable std::unique_ptr<ArtCatalogue> art_;
};

}  // namespace

const platform::PictureSource& GamePictures() {
    static const Pictures pictures;
    return pictures;
}

}  // namespace tolarka::media
