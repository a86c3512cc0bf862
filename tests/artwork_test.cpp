#include "assets/artwork.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets/font_set.h"
#include "assets/icon_file.h"
#include "assets/render.h"

namespace {

using tolarka::art::Artwork;
using tolarka::art::Face;
using tolarka::art::FontFiles;
using tolarka::art::FontSet;
using tolarka::art::Painter;
using tolarka::art::RenderPng;

FontFiles GameFonts() {
    return {TOLARKA_FONT_SANS_FILE, TOLARKA_FONT_SANS_BOLD_FILE, TOLARKA_FONT_VERDANA_FILE,
            TOLARKA_FONT_VERDANA_BOLD_FILE};
}

// Whether a call throws an error that names `part`.
template <typename Call>
bool FailsNaming(Call call, const std::string& part) {
    try {
        call();
    } catch (const std::runtime_error& e) {
        return std::string(e.what()).find(part) != std::string::npos;
    }
    return false;
}

TEST(ArtFonts, EveryFaceHasEveryCzechLetterAndNothingElseCounts) {
    const FontSet fonts(GameFonts());
    for (Face face : {Face::Sans, Face::SansBold, Face::Verdana, Face::VerdanaBold})
        EXPECT_TRUE(fonts.Covers(face, "ěščřžýáíéůúťďň ĚŠČŘŽÝÁÍÉŮÚŤĎŇ 0123456789 Kč .,:·"));
    EXPECT_FALSE(fonts.Covers(Face::Sans, "Tolarka 字"));
    EXPECT_FALSE(fonts.Covers(Face::Sans, "\xC4"));  // a two-byte letter cut short
    EXPECT_TRUE(fonts.Covers(Face::Sans, ""));
    FontFiles files = GameFonts();
    files.verdana_bold = "/nonexistent/Chybí.ttf";
    EXPECT_TRUE(FailsNaming([&] { const FontSet broken(files); }, "/nonexistent/Chybí.ttf"));
}

// The picture catalogue keeps its fonts for the whole run while tests (and tools) make and drop
// their own: a set that ends takes nothing from the others.
TEST(ArtFonts, ASetThatEndsLeavesTheOthersDrawing) {
    const Artwork art{"NAPIS", 60, 20, true, [](const Painter& p) {
                          p.Text({Face::Sans, 12, {1, 1, 1, 1}}, "Žofie", 2, 15, tolarka::art::Align::Left);
                      }};
    const FontSet kept(GameFonts());
    const auto before = RenderPng(art, kept);
    {
        const FontSet dropped(GameFonts());
        RenderPng(art, dropped);
    }
    EXPECT_EQ(RenderPng(art, kept), before);
}

// Byte 25 of a PNG file is the colour type of its header chunk: 2 RGB, 6 RGBA. Text the font
// cannot show fails, naming the picture.
TEST(ArtRender, OpaquePicturesAreRgbTheOthersCarryAlphaAndUnshowableTextNamesThePicture) {
    const FontSet fonts(GameFonts());
    const auto text = [](const char* t) {
        return [t](const Painter& p) {
            p.Text({Face::SansBold, 12, {1, 1, 0, 1}}, t, 2, 15, tolarka::art::Align::Left);
        };
    };
    EXPECT_TRUE(FailsNaming([&] { RenderPng({"ZKOUSKA", 40, 20, true, text("字")}, fonts); }, "ZKOUSKA"));
    const auto draw = text("Kč");
    const auto opaque = RenderPng({"PLNY", 30, 20, false, draw}, fonts);
    const auto clear = RenderPng({"PRUHLEDNY", 30, 20, true, draw}, fonts);
    ASSERT_GT(opaque.size(), 26u);
    ASSERT_GT(clear.size(), 26u);
    EXPECT_EQ(opaque[25], 2);
    EXPECT_EQ(clear[25], 6);
}

unsigned Le(const std::vector<unsigned char>& b, size_t at, int bytes) {
    unsigned v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b.at(at + static_cast<size_t>(i));
    return v;
}

// Windows finds each picture by the directory's offsets, reads a bitmap bottom row first with its
// height doubled for the mask, and takes a width byte of 0 as 256.
TEST(WindowsIcon, DirectoryBitmapAndPngEntries) {
    tolarka::art::IconImage small{3, std::vector<std::uint32_t>(9, 0xFF102030u), {}};
    small.pixels[0] = 0x00000000u;  // top left transparent
    small.pixels[6] = 0xFFAABBCCu;  // bottom left
    const std::vector<unsigned char> png{0x89, 'P', 'N', 'G', 1, 2, 3};
    const auto ico = tolarka::art::IconFile({small, {256, {}, png}});

    using Fields = std::vector<unsigned>;
    // Reserved, type 1 (icon), two entries; each entry's width, byte count and offset.
    EXPECT_EQ((Fields{Le(ico, 0, 2), Le(ico, 2, 2), Le(ico, 4, 2)}), (Fields{0, 1, 2}));
    const unsigned bitmapSize = 40 + 9 * 4 + 3 * 4;  // header, pixels, three mask rows of 32 bits
    const auto entry = [&](size_t at) { return Fields{ico.at(at), Le(ico, at + 8, 4), Le(ico, at + 12, 4)}; };
    EXPECT_EQ(entry(6), (Fields{3, bitmapSize, 6 + 32}));
    EXPECT_EQ(entry(22), (Fields{0, static_cast<unsigned>(png.size()), 38 + bitmapSize}));
    ASSERT_EQ(ico.size(), 38u + bitmapSize + png.size());
    // The bitmap: width, doubled height, bits a pixel; the bottom row stored first.
    const size_t bmp = 38;
    EXPECT_EQ((Fields{Le(ico, bmp + 4, 4), Le(ico, bmp + 8, 4), Le(ico, bmp + 14, 2)}), (Fields{3, 6, 32}));
    EXPECT_EQ(Le(ico, bmp + 40, 4), 0xFFAABBCCu);
    EXPECT_EQ(Le(ico, bmp + 40 + 6 * 4, 4), 0x00000000u);  // last row stored: the top one
    const size_t mask = bmp + 40 + 9 * 4;
    EXPECT_EQ(ico.at(mask), 0x00);          // bottom row: all opaque
    EXPECT_EQ(ico.at(mask + 2 * 4), 0x80);  // top row: its first pixel shows through
    EXPECT_TRUE(std::equal(png.begin(), png.end(), ico.end() - static_cast<long>(png.size())));

    EXPECT_THROW(tolarka::art::IconFile({{257, {}, png}}), std::invalid_argument);
    EXPECT_THROW(tolarka::art::IconFile({{4, std::vector<std::uint32_t>(15), {}}}), std::invalid_argument);
}

}  // namespace
