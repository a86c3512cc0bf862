#include "assets/icon_file.h"

#include <stdexcept>

namespace tolarka::art {

namespace {

void Put16(std::vector<unsigned char>& out, unsigned v) {
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void Put32(std::vector<unsigned char>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// A bitmap as an icon entry holds it: the header with the height doubled (colour rows and mask
// rows), the colour rows bottom up in BGRA, then the mask, one bit a pixel, rows padded to 32
// bits, set where the pixel is wholly transparent.
std::vector<unsigned char> IconBitmap(const IconImage& image) {
    const auto size = static_cast<std::uint32_t>(image.size);
    const std::uint32_t maskRow = (size + 31) / 32 * 4;
    std::vector<unsigned char> out;
    out.reserve(40 + size * size * 4 + maskRow * size);
    Put32(out, 40);
    Put32(out, size);
    Put32(out, size * 2);
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits a pixel
    Put32(out, 0);   // uncompressed
    Put32(out, size * size * 4 + maskRow * size);
    for (int i = 0; i < 4; ++i) Put32(out, 0);  // resolution and palette: none
    for (std::uint32_t row = size; row-- > 0;)
        for (std::uint32_t x = 0; x < size; ++x) Put32(out, image.pixels[row * size + x]);
    for (std::uint32_t row = size; row-- > 0;) {
        std::vector<unsigned char> bits(maskRow, 0);
        for (std::uint32_t x = 0; x < size; ++x)
            if ((image.pixels[row * size + x] >> 24) == 0)
                bits[x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
        out.insert(out.end(), bits.begin(), bits.end());
    }
    return out;
}

}  // namespace

std::vector<unsigned char> IconFile(const std::vector<IconImage>& images) {
    std::vector<std::vector<unsigned char>> entries;
    for (const IconImage& image : images) {
        if (image.size < 1 || image.size > 256) throw std::invalid_argument("icon size outside 1 to 256");
        if (!image.png.empty()) {
            entries.push_back(image.png);
        } else {
            if (image.pixels.size() != static_cast<size_t>(image.size) * static_cast<size_t>(image.size))
                throw std::invalid_argument("icon pixels do not fill the size");
            entries.push_back(IconBitmap(image));
        }
    }
    std::vector<unsigned char> out;
    Put16(out, 0);
    Put16(out, 1);  // an icon, not a cursor
    Put16(out, static_cast<unsigned>(images.size()));
    auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const auto side =
            static_cast<unsigned char>(images[i].size == 256 ? 0 : images[i].size);  // 0 means 256
        out.push_back(side);
        out.push_back(side);
        out.push_back(0);  // no palette
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<std::uint32_t>(entries[i].size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(entries[i].size());
    }
    for (const auto& entry : entries) out.insert(out.end(), entry.begin(), entry.end());
    return out;
}

}  // namespace tolarka::art
