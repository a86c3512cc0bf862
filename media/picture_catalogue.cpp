#include "media/picture_catalogue.h"

#include <array>
#include <cstddef>

// The PNG files, packed one after another by the build's picture generator.
extern "C" const unsigned char tolarka_picture_blob[];

namespace tolarka::media {
namespace {

struct Entry {
    std::string_view name;
    int width;
    int height;
    std::size_t offset;
    std::size_t size;
};

constexpr Entry kEntries[] = {
#include "picture_table.inc"
};
constexpr std::size_t kCount = std::size(kEntries);

const std::array<Picture, kCount>& Pictures() {
    static const std::array<Picture, kCount> pictures = [] {
        std::array<Picture, kCount> out{};
        for (std::size_t i = 0; i < kCount; ++i) {
            const Entry& e = kEntries[i];
            out[i] = {e.name, e.width, e.height, {tolarka_picture_blob + e.offset, e.size}};
        }
        return out;
    }();
    return pictures;
}

constexpr char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameName(std::string_view stored, std::string_view asked) {
    if (stored.size() != asked.size()) return false;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] != Upper(asked[i])) return false;
    }
    return true;
}

}  // namespace

const Picture* FindPicture(std::string_view name) {
    for (const Picture& picture : Pictures()) {
        if (SameName(picture.name, name)) return &picture;
    }
    return nullptr;
}

std::span<const Picture> AllPictures() { return Pictures(); }

}  // namespace tolarka::media
