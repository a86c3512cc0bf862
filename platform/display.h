#pragma once
#include <optional>

namespace tolarka::platform {

// A display mode: its size in pixels. Colour depth and refresh rate never matter to the game.
struct DisplayMode {
    int width = 0;
    int height = 0;
    friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

// The primary display as the game sees it: its present size, the modes it offers by index, and
// a temporary change of mode (undone by the next change or when the program ends).
class Display {
public:
    virtual ~Display() = default;
    virtual DisplayMode DisplaySize() const = 0;
    // Mode number `index` (0, 1, ...), or nullopt past the last one.
    virtual std::optional<DisplayMode> EnumDisplayMode(int index) const = 0;
    virtual void SetDisplayMode(DisplayMode mode) = 0;
};

}  // namespace tolarka::platform
