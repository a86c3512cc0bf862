#include "platform/pictures.h"

namespace tolarka::platform {
namespace {

class NoPictures final : public PictureSource {
public:
    std::optional<PictureFile> Find(std::string_view) const override { return std::nullopt; }
    std::optional<RedrawnSize> Redrawn(std::string_view, double) const override { return std::nullopt; }
    bool RedrawInto(std::string_view, double, const Rect&, std::uint32_t*, int) const override {
        return false;
    }
    Hotspot ArrowHotspot() const override { return {}; }
};

// Set before any other static is made, so a program may hand its pictures over from one.
constinit const PictureSource* used = nullptr;

}  // namespace

const PictureSource& Pictures() {
    static const NoPictures none;
    return used ? *used : none;
}

void UsePictures(const PictureSource* source) { used = source; }

}  // namespace tolarka::platform
