#include "assets/artwork.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "assets/font_set.h"
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

TEST(ArtFonts, EveryFaceHasEveryCzechLetter) {
    const FontSet fonts(GameFonts());
    for (Face face : {Face::Sans, Face::SansBold, Face::Verdana, Face::VerdanaBold}) {
        EXPECT_TRUE(fonts.Covers(face, "ěščřžýáíéůúťďň ĚŠČŘŽÝÁÍÉŮÚŤĎŇ 0123456789 Kč .,:·"));
    }
}

TEST(ArtFonts, MissingGlyphsAndBrokenTextAreNotCovered) {
    const FontSet fonts(GameFonts());
    EXPECT_FALSE(fonts.Covers(Face::Sans, "Tolarka 字"));
    EXPECT_FALSE(fonts.Covers(Face::Sans, "\xC4"));  // a two-byte letter cut short
    EXPECT_TRUE(fonts.Covers(Face::Sans, ""));
}

TEST(ArtFonts, UnreadableFontFileIsNamed) {
    FontFiles files = GameFonts();
    files.verdana_bold = "/nonexistent/Chybí.ttf";
    try {
        const FontSet fonts(files);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/Chybí.ttf"), std::string::npos) << e.what();
    }
}

TEST(ArtRender, TextTheFontCannotShowFailsNamingThePicture) {
    const FontSet fonts(GameFonts());
    const Artwork art{"ZKOUSKA", 40, 20, true, [](const Painter& p) {
                          p.Text({Face::Sans, 12, {1, 1, 1, 1}}, "字", 2, 15, tolarka::art::Align::Left);
                      }};
    try {
        RenderPng(art, fonts);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("ZKOUSKA"), std::string::npos) << e.what();
    }
}

// Byte 25 of a PNG file is the colour type of its header chunk: 2 RGB, 6 RGBA.
TEST(ArtRender, OpaquePicturesAreRgbAndTheOthersCarryAlpha) {
    const FontSet fonts(GameFonts());
    const auto draw = [](const Painter& p) {
        p.Text({Face::SansBold, 12, {1, 1, 0, 1}}, "Kč", 2, 15, tolarka::art::Align::Left);
    };
    const auto opaque = RenderPng({"PLNY", 30, 20, false, draw}, fonts);
    const auto clear = RenderPng({"PRUHLEDNY", 30, 20, true, draw}, fonts);
    ASSERT_GT(opaque.size(), 26u);
    ASSERT_GT(clear.size(), 26u);
    EXPECT_EQ(opaque[25], 2);
    EXPECT_EQ(clear[25], 6);
}

}  // namespace
