#pragma once
// Turns one picture's drawing code into the bytes of a PNG file.
#include <cstdint>
#include <vector>

#include "assets/artwork.h"
#include "assets/font_set.h"

namespace tolarka::art {

// Throws std::runtime_error naming the picture when drawing or encoding fails.
std::vector<unsigned char> RenderPng(const Artwork& art, const FontSet& fonts);

// A picture's length (width or height) drawn at `scale` output pixels per picture pixel.
int ScaledLength(int length, double scale);
// Draws the picture at `scale` straight into someone else's pixels (0xAARRGGBB words, straight
// alpha, `pitch` bytes a row, a multiple of 4): the part of `width` x `height` pixels whose top
// left corner lies at (x, y) of the whole scaled picture. No copy of the picture is made.
void RenderInto(const Artwork& art, const FontSet& fonts, double scale, int x, int y, int width, int height,
                std::uint32_t* pixels, int pitch);

}  // namespace tolarka::art
