#pragma once
// The pictures the game carries inside itself, fetched by name. The catalogue hands out the
// PNG bytes; decoding is the renderer's job.
#include <span>
#include <string_view>

namespace tolarka::media {

struct Picture {
    std::string_view name;  // stored name, upper case, e.g. "N-DIVX"
    int width;              // pixels
    int height;
    std::span<const unsigned char> png;  // PNG file bytes (RGB or RGBA)
};

// Case-insensitive lookup ("N-telx" finds "N-TELX"); nullptr for an unknown name.
const Picture* FindPicture(std::string_view name);
std::span<const Picture> AllPictures();

// The pixel of the "ARROW" pointer picture that points: the arrow's tip.
struct CursorHotspot {
    int x;
    int y;
};
inline constexpr CursorHotspot kArrowHotspot{1, 1};

}  // namespace tolarka::media
