// The prize ladder: fifteen rows, the top prize at the top, one row marked per picture.
#include <array>
#include <cstdio>
#include <string>

#include "assets/artwork.h"
#include "assets/palette.h"

namespace tolarka::art {
namespace {

constexpr int kWidth = 170;
constexpr int kHeight = 311;
// The rows end above the picture's last 16 px, which overlap the question frame on the game
// screen and stay transparent.
constexpr double kFirstRowTop = 5;  // rows fill 5 … 290
constexpr double kRowHeight = 19;
constexpr double kPanelBottom = 293.5;

// The amounts exactly as the game writes them.
constexpr std::array<const char*, 15> kAmounts{"1.000 Kč",     "2.000 Kč",     "3.000 Kč",     "5.000 Kč",
                                               "10.000 Kč",    "20.000 Kč",    "40.000 Kč",    "80.000 Kč",
                                               "160.000 Kč",   "320.000 Kč",   "640.000 Kč",   "1,250.000 Kč",
                                               "2,500.000 Kč", "5,000.000 Kč", "10,000.000 Kč"};

bool IsSafe(int level) { return level == 5 || level == 10 || level == 15; }

double RowTop(int level) { return kFirstRowTop + (15 - level) * kRowHeight; }

void DrawPanel(const Painter& p) {
    cairo_t* cr = p.cr();
    p.RoundedRect(2.5, 1.5, kWidth - 5, kPanelBottom - 1.5, 7);
    p.Glow(palette::kCyan, 1.2, 1.5, 3);
    p.FillLinear(0, 0, 0, kPanelBottom, {{0.0, Hex(0x2A1470)}, {0.35, Hex(0x101E66)}, {1.0, Hex(0x040A34)}});
    p.Stroke(palette::kCyan, 1.3);
    cairo_new_path(cr);
    // Faint separators under the safe levels group the ladder into its three bands.
    for (int level : {5, 10}) {
        const double y = RowTop(level) + kRowHeight + 0.5;
        cairo_move_to(cr, 10, y);
        cairo_line_to(cr, kWidth - 10, y);
    }
    p.Stroke(WithAlpha(palette::kCyan, 0.35), 1.0);
    cairo_new_path(cr);
}

void DrawMarker(const Painter& p, int level) {
    cairo_t* cr = p.cr();
    const double top = RowTop(level) + 1;
    const double bottom = top + kRowHeight - 2;
    p.Hexagon(6, kWidth - 6, top, bottom, 7);
    p.Glow(palette::kOrangeLight, 1.0, 2.0, 3);
    p.FillLinear(0, top, 0, bottom, {{0.0, Hex(0xFFD080)}, {0.45, palette::kOrange}, {1.0, Hex(0xE07400)}});
    p.Stroke(Hex(0xFFE2A8), 1.0);
    cairo_new_path(cr);
}

void DrawRow(const Painter& p, int level, bool marked) {
    Color color = IsSafe(level) ? palette::kWhite : palette::kLadderText;
    if (marked) color = palette::kMarkedText;
    const TextStyle style{Face::SansBold, 14, color};
    const double baseline = RowTop(level) + kRowHeight / 2 + p.CapHeight(style) / 2;
    char number[8];
    std::snprintf(number, sizeof number, "%d.", level);
    p.Text(style, number, 36, baseline, Align::Right);
    p.Text(style, kAmounts[level - 1], 46, baseline, Align::Left);
}

void DrawLadder(const Painter& p, int marked_level) {
    DrawPanel(p);
    if (marked_level > 0) DrawMarker(p, marked_level);
    for (int level = 1; level <= 15; ++level) DrawRow(p, level, level == marked_level);
}

}  // namespace

void AddLadder(ArtworkList& out) {
    for (int marked = 0; marked <= 15; ++marked) {
        char name[8];
        std::snprintf(name, sizeof name, "S%02d", marked);
        out.push_back({name, kWidth, kHeight, true, [marked](const Painter& p) { DrawLadder(p, marked); }});
    }
}

}  // namespace tolarka::art
