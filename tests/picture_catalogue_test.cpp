#include "media/picture_catalogue.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
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

std::string TwoDigits(const char* prefix, int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%s%02d", prefix, n);
    return buf;
}

// Every name the screens ask for, with the size the screens place it at.
std::vector<std::pair<std::string, std::pair<int, int>>> RequiredPictures() {
    std::vector<std::pair<std::string, std::pair<int, int>>> out;
    for (const char* state : {"M", "O", "Z"}) {
        for (const char* letter : {"A", "B", "C", "D"})
            out.push_back({std::string(letter) + "-" + state, {320, 37}});
    }
    out.push_back({"ZADANI", {640, 95}});
    for (int level = 0; level <= 15; ++level) out.push_back({TwoDigits("S", level), {170, 311}});
    const int amount_widths[] = {130, 260, 269, 271, 270, 297, 311, 310,
                                 312, 340, 355, 354, 401, 410, 410, 434};
    for (int level = 0; level <= 15; ++level)
        out.push_back({TwoDigits("C", level), {amount_widths[level], 41}});
    for (const char* icon : {"N-5050", "N-DIV", "N-TEL", "N-5050X", "N-DIVX", "N-TELX"})
        out.push_back({icon, {72, 47}});
    for (const char* bar : {"FF-M", "FF-O", "FF-Z"}) out.push_back({bar, {640, 37}});
    for (const char* box : {"FF-R-A", "FF-R-B", "FF-R-C", "FF-R-D"}) out.push_back({box, {360, 37}});
    out.push_back({"ARROW", {32, 32}});
    out.push_back({"ICON", {32, 32}});
    out.push_back({"ICON-48", {48, 48}});
    out.push_back({"ICON-256", {256, 256}});
    // Design pictures of the screens (docs/art.md); sizes are the widgets' twips / 15.
    out.push_back({"MENU-POZADI", {12000 / 15, 9570 / 15}});
    out.push_back({"NDIV-GRAF", {2400 / 15, 3150 / 15}});
    out.push_back({"HRA-MENU", {1035 / 15, 300 / 15}});
    out.push_back({"HRA-ULOZIT", {2025 / 15, 300 / 15}});
    out.push_back({"HRA-UKONCIT", {2280 / 15, 300 / 15}});
    out.push_back({"LOGO", {230, 230}});
    out.push_back({"SPLASH-TV", {110, 40}});
    out.push_back({"SPLASH-VYSILANI", {267, 18}});
    out.push_back({"SPLASH-TELEFON", {300, 45}});
    for (const char* key : {"KEY-A", "KEY-B", "KEY-C", "KEY-D", "KEY-F5", "KEY-F6", "KEY-F7"})
        out.push_back({key, {36, 35}});
    out.push_back({"KEY-ENTER", {56, 35}});
    out.push_back({"KEY-DELETE", {55, 35}});
    out.push_back({"TIT1", {4800 / 15, 4185 / 15}});
    out.push_back({"TIT2", {4770 / 15, 4455 / 15}});
    out.push_back({"TIT3", {4755 / 15, 4155 / 15}});
    out.push_back({"TIT-LOGO", {1605 / 15, 465 / 15}});
    out.push_back({"TIT-WEB", {4725 / 15, 405 / 15}});
    return out;
}

TEST(PictureCatalogue, EveryNameResolvesInAnyCaseToAPngOfItsStatedSize) {
    for (const auto& [name, size] : RequiredPictures()) {
        const Picture* picture = FindPicture(name);
        ASSERT_NE(picture, nullptr) << name;
        EXPECT_EQ(picture->name, name);
        EXPECT_EQ(FindPicture(Lower(name)), picture) << name;
        std::string mixed = Lower(name);
        mixed[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(mixed[0])));
        EXPECT_EQ(FindPicture(mixed), picture) << mixed;

        EXPECT_EQ(picture->width, size.first) << name;
        EXPECT_EQ(picture->height, size.second) << name;
        const Decoded decoded(*picture);
        ASSERT_TRUE(decoded) << name;
        EXPECT_EQ(decoded.Width(), size.first) << name;
        EXPECT_EQ(decoded.Height(), size.second) << name;
    }
    // Each of as many stored names found by its own: the stored names are these, once each.
    EXPECT_EQ(AllPictures().size(), RequiredPictures().size());
}

TEST(PictureCatalogue, NoPictureIsBlank) {
    for (const Picture& picture : AllPictures()) {
        const Decoded d(picture);
        ASSERT_TRUE(d) << picture.name;
        int visible = 0;
        for (int y = 0; y < d.Height(); ++y) {
            for (int x = 0; x < d.Width(); ++x) {
                const Rgba p = d.At(x, y);
                visible += (p.a > 0 && p.r + p.g + p.b > 60) ? 1 : 0;
            }
        }
        EXPECT_GT(visible * 100, d.Width() * d.Height() * 3) << picture.name;  // over 3 %
    }
}

TEST(PictureCatalogue, UnknownNamesFindNothing) {
    for (const char* name : {"", "S16", "C-16", "A-M ", " A-M", "N-DIVXX", "N-DI", "ARROWS", "a_m"}) {
        EXPECT_EQ(FindPicture(name), nullptr) << '"' << name << '"';
    }
}

bool IsGridLine(const Rgba& p) { return p.b > 100 && p.b > p.r + 60 && p.b > p.g + 40 && p.b < 220; }

// The graph's bars stand on twip 2775 and rise 24 twips per percent (15 twips a pixel), so a
// bar of p % has its top pixel row at (2775 - 24 p) / 15 and its top edge on the line above it.
int BarTopRow(int percent) { return (2775 - 24 * percent) / 15; }

TEST(AudienceGraphBackdrop, GridLinesSitWhereBarsOfWholeTensEnd) {
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
    EXPECT_EQ(line_rows.front(), BarTopRow(100) - 1);
    EXPECT_EQ(line_rows[5], BarTopRow(50) - 1);
    EXPECT_EQ(line_rows.back(), BarTopRow(0) - 1);
    for (int i = 0; i <= 10; ++i) EXPECT_EQ(line_rows[10 - i], BarTopRow(10 * i) - 1) << i * 10 << " %";
}

TEST(AudienceGraphBackdrop, BrightFrameOnItsColumnsAndRows) {
    const Decoded d(*FindPicture("NDIV-GRAF"));
    ASSERT_TRUE(d);
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
    int panel_top = -1;
    int panel_bottom = -1;
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
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < d.Width(); ++x) orange += IsOrange(d.At(x, y)) ? 1 : 0;
        }
        if (orange * 5 > (bottom - top) * d.Width() * 2) marked.push_back(level);  // over 40 %
    }
    return marked;
}

TEST(Ladder, EachPictureMarksItsLevelAndNoOther) {
    for (int level = 0; level <= 15; ++level) {
        const Picture* ladder = FindPicture(TwoDigits("s", level));
        ASSERT_NE(ladder, nullptr) << level;
        const Decoded d(*ladder);
        ASSERT_TRUE(d);
        const std::vector<int> expected = level == 0 ? std::vector<int>{} : std::vector<int>{level};
        EXPECT_EQ(MarkedRows(d), expected) << "S" << level;
    }
}

TEST(AnswerBoxes, StatesShowNavyOrangeAndGreenFields) {
    for (const char* letter : {"A", "B", "C", "D"}) {
        const Rgba rest = Decoded(*FindPicture(std::string(letter) + "-m")).At(200, 18);
        const Rgba picked = Decoded(*FindPicture(std::string(letter) + "-o")).At(200, 18);
        const Rgba right = Decoded(*FindPicture(std::string(letter) + "-z")).At(200, 18);
        EXPECT_GT(rest.b, rest.r + 30) << letter;
        // Orange: red leads, green about half of it, no blue; green leads a deep green.
        EXPECT_GT(picked.r, picked.b + 60) << letter;
        EXPECT_GT(picked.g * 10, picked.r * 3) << letter;
        EXPECT_LT(picked.g * 10, picked.r * 7) << letter;
        EXPECT_GT(right.g, 2 * right.r) << letter;
        EXPECT_GT(right.g, 2 * right.b) << letter;
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
