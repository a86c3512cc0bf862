#pragma once
// The pictures widgets show, by name. The toolkit carries none of its own: the program hands it
// its pictures at start-up (UsePictures), before the first window, and widgets and renderers
// fetch them from there.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/geometry.h"

namespace tolarka::platform {

// A picture at its own size, as a PNG file.
struct PictureFile {
    int width = 0;  // pixels
    int height = 0;
    std::span<const unsigned char> png;
};

// A picture drawn again by its own code at a scale: its size in output pixels and whether it has
// transparent parts.
struct RedrawnSize {
    int width = 0;
    int height = 0;
    bool alpha = true;
};

class PictureSource {
public:
    virtual ~PictureSource() = default;
    // Names are found whatever their case ("N-telx" is "N-TELX"); nullopt for an unknown name.
    virtual std::optional<PictureFile> Find(std::string_view name) const = 0;
    // The picture as its drawing code makes it at `scale`; nullopt for one without drawing code
    // (it is then its PNG, scaled).
    virtual std::optional<RedrawnSize> Redrawn(std::string_view name, double scale) const = 0;
    // Runs the picture's drawing code at `scale` into 32-bit ARGB pixels (`pitch` bytes a row),
    // only the `part` given in output pixels of the whole scaled picture. False when it failed.
    virtual bool RedrawInto(std::string_view name, double scale, const Rect& part, std::uint32_t* pixels,
                            int pitch) const = 0;
    // The pixel of the pointer's picture ("ARROW") that points.
    struct Hotspot {
        int x = 0;
        int y = 0;
    };
    virtual Hotspot ArrowHotspot() const = 0;
};

// The program's pictures; until it hands over its own, a source without any.
const PictureSource& Pictures();
// The source stays the program's: it must outlive every widget and renderer. Null: none again.
void UsePictures(const PictureSource* source);

}  // namespace tolarka::platform
