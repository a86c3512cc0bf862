#pragma once
// Turns one picture's drawing code into the bytes of a PNG file.
#include <cstdint>
#include <vector>

#include "assets/artwork.h"
#include "assets/font_set.h"

namespace tolarka::art {

// Throws std::runtime_error naming the picture when drawing or encoding fails.
std::vector<unsigned char> RenderPng(const Artwork& art, const FontSet& fonts);

// The picture drawn at `scale` output pixels per picture pixel, at its own rounded size:
// straight (not premultiplied) RGBA, one 0xAARRGGBB word per pixel, rows without padding.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};
Pixels RenderPixels(const Artwork& art, const FontSet& fonts, double scale);

}  // namespace tolarka::art
