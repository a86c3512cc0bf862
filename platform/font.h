#pragma once
#include <string>

namespace tolarka::platform {

// A font as the screens name it: face, size in points (at 96 dpi), bold.
// Faces map to free fonts: "MS Sans Serif" and "Arial" -> Liberation Sans,
// "Verdana" -> DejaVu Sans; anything else -> Liberation Sans.
struct Font {
    std::string face = "MS Sans Serif";
    double points = 8.25;
    bool bold = false;
    friend bool operator==(const Font&, const Font&) = default;
};

// Pixel size of a point size at 96 dpi: 13.5 pt -> 18 px, 17.25 pt -> 23 px.
int FontPixelSize(double points);

}  // namespace tolarka::platform
