#pragma once
// The Windows icon file (.ico): one picture at several sizes, from which Windows picks the one
// that fits (16 px in a title bar, 256 px in Explorer's large view).
#include <cstdint>
#include <vector>

namespace tolarka::art {

struct IconImage {
    int size = 0;                       // width and height in pixels, 1 to 256
    std::vector<std::uint32_t> pixels;  // size x size, 0xAARRGGBB with straight alpha, top row first
    std::vector<unsigned char> png;     // a PNG file stored in place of the pixels when not empty
};

// The bytes of the .ico file, the images in the given order: a PNG where one is given (the
// form Windows expects at 256 px), else a 32-bit bitmap with its alpha and a transparency mask
// for the oldest readers. Throws std::invalid_argument for a size outside 1 to 256 or pixels
// of the wrong count.
std::vector<unsigned char> IconFile(const std::vector<IconImage>& images);

}  // namespace tolarka::art
