#include "media/picture_catalogue.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/decoded_picture.h"

namespace {

using tolarka::media::AllPictures;
using tolarka::media::FindPicture;
using tolarka::media::Picture;
using Decoded = tolarka::testing::DecodedPicture;
using tolarka::testing::Rgba;

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Every name the screens ask for, each followed by (or ending a group of names of) the size the
// screens place it at; a design picture's size is its widget's, in twips / 15 (docs/art.md).
std::vector<std::pair<std::string, std::pair<int, int>>> RequiredPictures() {
    std::istringstream words(
        "A-M B-M C-M D-M A-O B-O C-O D-O A-Z B-Z C-Z D-Z 320x37 ZADANI 640x95 FF-M FF-O FF-Z 640x37 "
        "S00 S01 S02 S03 S04 S05 S06 S07 S08 S09 S10 S11 S12 S13 S14 S15 170x311 "
        "C00 130x41 C01 260x41 C02 269x41 C03 271x41 C04 270x41 C05 297x41 C06 311x41 C07 310x41 "
        "C08 312x41 C09 340x41 C10 355x41 C11 354x41 C12 401x41 C13 410x41 C14 410x41 C15 434x41 "
        "N-5050 N-DIV N-TEL N-5050X N-DIVX N-TELX 72x47 FF-R-A FF-R-B FF-R-C FF-R-D 360x37 "
        "ARROW ICON 32x32 ICON-48 48x48 ICON-256 256x256 MENU-POZADI 800x638 NDIV-GRAF 160x210 "
        "HRA-MENU 69x20 HRA-ULOZIT 135x20 HRA-UKONCIT 152x20 LOGO 230x230 SPLASH-TV 110x40 "
        "SPLASH-VYSILANI 267x18 SPLASH-TELEFON 300x45 KEY-A KEY-B KEY-C KEY-D KEY-F5 KEY-F6 KEY-F7 36x35 "
        "KEY-ENTER 56x35 KEY-DELETE 55x35 TIT1 320x279 TIT2 318x297 TIT3 317x277 TIT-LOGO 107x31 "
        "TIT-WEB 315x27");
    std::vector<std::pair<std::string, std::pair<int, int>>> out;
    size_t sized = 0;
    int w = 0, h = 0;
    for (std::string word; words >> word;) {
        if (std::sscanf(word.c_str(), "%dx%d", &w, &h) != 2) {
            out.push_back({word, {}});
            continue;
        }
        for (; sized < out.size(); ++sized) out[sized].second = {w, h};
    }
    return out;
}

TEST(PictureCatalogue, EveryNameResolvesInAnyCaseToAPngOfItsStatedSizeNotBlankAndNoOtherNameDoes) {
    for (const auto& [name, size] : RequiredPictures()) {
        const Picture* picture = FindPicture(name);
        ASSERT_NE(picture, nullptr) << name;
        EXPECT_EQ(picture->name, name);
        EXPECT_EQ(FindPicture(Lower(name)), picture) << name;
        std::string mixed = Lower(name);
        mixed[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(mixed[0])));
        EXPECT_EQ(FindPicture(mixed), picture) << mixed;

        EXPECT_EQ(std::pair(picture->width, picture->height), size) << name;
        const Decoded d(*picture);
        ASSERT_TRUE(d) << name;
        EXPECT_EQ(std::pair(d.Width(), d.Height()), size) << name;
        // Not blank: over 3 % of it visible.
        int visible = 0;
        for (int y = 0; y < d.Height(); ++y)
            for (int x = 0; x < d.Width(); ++x) {
                const Rgba p = d.At(x, y);
                visible += (p.a > 0 && p.r + p.g + p.b > 60) ? 1 : 0;
            }
        EXPECT_GT(visible * 100, d.Width() * d.Height() * 3) << name;
    }
    // Each of as many stored names found by its own: the stored names are these, once each.
    EXPECT_EQ(AllPictures().size(), RequiredPictures().size());
    for (const char* name : {"", "S16", "C-16", "A-M ", " A-M", "N-DIVXX", "N-DI", "ARROWS", "a_m"})
        EXPECT_EQ(FindPicture(name), nullptr) << '"' << name << '"';
}

bool IsGridLine(const Rgba& p) { return p.b > 100 && p.b > p.r + 60 && p.b > p.g + 40 && p.b < 220; }

TEST(AudienceGraphBackdrop, GridLinesSitWhereBarsOfWholeTensEndInsideABrightFrame) {
    const Picture* graph = FindPicture("ndiv-graf");
    ASSERT_NE(graph, nullptr);
    const Decoded d(*graph);
    ASSERT_TRUE(d);
    std::vector<int> line_rows;
    for (int y = 3; y < d.Height() - 4; ++y) {  // inside the frame rows
        int line_pixels = 0;
        for (int x = 6; x < d.Width() - 3; ++x) line_pixels += IsGridLine(d.At(x, y)) ? 1 : 0;
        if (line_pixels > d.Width() / 2) line_rows.push_back(y);
    }
    ASSERT_EQ(line_rows.size(), 11u);  // ten rows of ten percent
    // The graph's bars stand on twip 2775 and rise 24 twips per percent (15 twips a pixel), so a
    // bar of p % has its top pixel row at (2775 - 24 p) / 15 and its top edge on the line above it.
    for (int p = 0; p <= 100; p += 10)
        EXPECT_EQ(line_rows[10 - p / 10], (2775 - 24 * p) / 15 - 1) << p << " %";
    // A bright frame on its columns and rows; outside it black.
    for (const auto& [x, y] : {std::pair{5, 100}, {157, 100}, {80, 2}, {80, 206}}) {
        const Rgba p = d.At(x, y);
        EXPECT_GT(p.b, 200) << x << "," << y;
        EXPECT_LT(p.r, p.b) << x << "," << y;
    }
    EXPECT_LT(d.At(3, 100).b, 60);  // outside the frame stays black
}

bool IsOrange(const Rgba& p) { return p.r > 200 && p.g > 80 && p.g < 220 && p.b < 150 && p.r - p.b > 90; }

// Ladder rows share the height of the ladder's panel (its opaque part) equally, level 15 at
// the top.
std::vector<int> MarkedRows(const Decoded& d) {
    int panel_top = -1, panel_bottom = -1;
    for (int y = 0; y < d.Height(); ++y) {
        if (d.At(d.Width() / 2, y).a > 200) {
            if (panel_top < 0) panel_top = y;
            panel_bottom = y + 1;
        }
    }
    std::vector<int> marked;
    if (panel_top < 0) return marked;
    const int panel_height = panel_bottom - panel_top;
    for (int level = 1; level <= 15; ++level) {
        const int band = 15 - level;
        const int top = panel_top + band * panel_height / 15;
        const int bottom = panel_top + (band + 1) * panel_height / 15;
        int orange = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < d.Width(); ++x) orange += IsOrange(d.At(x, y)) ? 1 : 0;
        if (orange * 5 > (bottom - top) * d.Width() * 2) marked.push_back(level);  // over 40 %
    }
    return marked;
}

TEST(Ladder, EachPictureMarksItsLevelAndNoOther) {
    for (int level = 0; level <= 15; ++level) {
        const Picture* ladder = FindPicture((level < 10 ? "s0" : "s") + std::to_string(level));
        ASSERT_NE(ladder, nullptr) << level;
        const Decoded d(*ladder);
        ASSERT_TRUE(d);
        const std::vector<int> expected = level == 0 ? std::vector<int>{} : std::vector<int>{level};
        EXPECT_EQ(MarkedRows(d), expected) << "S" << level;
    }
}

TEST(Pointer, ArrowIsTransparentAroundAnOpaqueTip) {
    const Decoded d(*FindPicture("arrow"));
    ASSERT_TRUE(d);
    const auto hotspot = tolarka::media::kArrowHotspot;
    EXPECT_GT(d.At(hotspot.x, hotspot.y).a, 128);
    EXPECT_EQ(d.At(31, 0).a, 0);
    EXPECT_EQ(d.At(31, 31).a, 0);
    EXPECT_EQ(d.At(0, 31).a, 0);
}

}  // namespace
