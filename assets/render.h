#pragma once
// Turns one picture's drawing code into the bytes of a PNG file.
#include <vector>

#include "assets/artwork.h"
#include "assets/font_set.h"

namespace tolarka::art {

// Throws std::runtime_error naming the picture when drawing or encoding fails.
std::vector<unsigned char> RenderPng(const Artwork& art, const FontSet& fonts);

}  // namespace tolarka::art
