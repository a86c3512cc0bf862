// The rules screen's key caps and the round title logo.
#include <array>
#include <cmath>
#include <string>

#include "assets/artwork.h"
#include "assets/emblem.h"
#include "assets/palette.h"

namespace tolarka::art {
namespace {

void DrawKeyCap(const Painter& p, int width, const std::string& label) {
    cairo_t* cr = p.cr();
    const double w = width;
    const double h = 35;
    // Body with a darker lower bevel.
    p.RoundedRect(1, 1, w - 2, h - 2, 5);
    p.FillLinear(0, 1, 0, h - 1, {{0.0, Hex(0xD8DCE4)}, {1.0, Hex(0x8E939E)}});
    p.Stroke(Hex(0x2A2D36), 1.4);
    cairo_new_path(cr);
    // Top face.
    p.RoundedRect(4.5, 3, w - 9, h - 10, 4);
    p.FillLinear(0, 3, 0, h - 7, {{0.0, Hex(0xFAFBFD)}, {1.0, Hex(0xD2D6DE)}});
    p.Stroke(Hex(0x9AA0AC), 0.8);
    cairo_new_path(cr);
    TextStyle style{Face::SansBold, label.size() == 1 ? 15.0 : 12.5, Hex(0x1E2130)};
    style.px = p.FitSize(style, label, w - 14, style.px);
    p.TextCentred(style, label, w / 2, 3 + (h - 10) / 2);
}

void DrawLogo(const Painter& p) {
    cairo_t* cr = p.cr();
    constexpr double c = 115;
    // Halo and disc.
    p.Ellipse(c, c, 109, 109);
    p.Glow(palette::kCyan, 2, 4, 6);
    p.FillRadial(c, c * 0.8, 5, 115, {{0.0, Hex(0x8A4EE8)}, {0.45, Hex(0x3A1690)}, {1.0, Hex(0x070C40)}});
    cairo_new_path(cr);
    // Starburst inside the disc.
    cairo_save(cr);
    p.Ellipse(c, c, 108, 108);
    cairo_clip(cr);
    cairo_new_path(cr);
    for (int i = 0; i < 24; ++i) {
        const double a0 = i * 2 * M_PI / 24;
        const double a1 = a0 + M_PI / 24;
        cairo_move_to(cr, c, c);
        cairo_line_to(cr, c + 160 * std::cos(a0), c + 160 * std::sin(a0));
        cairo_line_to(cr, c + 160 * std::cos(a1), c + 160 * std::sin(a1));
        cairo_close_path(cr);
    }
    p.FillRadial(c, c, 10, 110, {{0.0, Hex(0xC0A0FF, 0.35)}, {1.0, Hex(0x4060FF, 0.05)}});
    cairo_new_path(cr);
    cairo_restore(cr);
    // Rings: gold with fifteen studs, one per question, and a thin cyan ring inside.
    p.Ellipse(c, c, 101, 101);
    p.Stroke(Hex(0xB87400), 5);
    p.Stroke(palette::kGold, 3);
    cairo_new_path(cr);
    for (int i = 0; i < 15; ++i) {
        const double a = -M_PI / 2 + i * 2 * M_PI / 15;
        p.Ellipse(c + 101 * std::cos(a), c + 101 * std::sin(a), 3.2, 3.2);
        p.FillRadial(c + 101 * std::cos(a) - 1, c + 101 * std::sin(a) - 1, 0.3, 4,
                     {{0.0, Hex(0xFFFFFF)}, {1.0, palette::kOrange}});
        cairo_new_path(cr);
    }
    p.Ellipse(c, c, 92, 92);
    p.Glow(palette::kCyan, 1, 2, 3);
    p.Stroke(palette::kCyan, 1.2);
    cairo_new_path(cr);

    DrawCoin(p, c, 62, 27);

    // Name banner across the middle, the studio hexagon in small.
    p.Hexagon(8, 222, 98, 138, 16);
    p.Glow(palette::kCyan, 1.5, 3, 5);
    p.FillLinear(0, 98, 0, 138, {{0.0, Hex(0x2A3EA8)}, {0.5, Hex(0x0C185E)}, {1.0, Hex(0x040936)}});
    p.Stroke(palette::kCyan, 2);
    cairo_new_path(cr);
    const TextStyle name{Face::SansBold, 33, palette::kWhite};
    const double baseline = 118 + p.CapHeight(name) / 2;
    p.TextPath(name, "TOLARKA", c, baseline, Align::Centre);
    p.Glow(palette::kOrange, 0.5, 3, 5);
    p.FillLinear(0, baseline - p.CapHeight(name), 0, baseline,
                 {{0.0, Hex(0xFFF8D8)}, {0.55, palette::kGold}, {1.0, Hex(0xF08A12)}});
    cairo_new_path(cr);

    const TextStyle sub{Face::SansBold, 12, palette::kCyanSoft};
    p.TextCentred(sub, "VĚDOMOSTNÍ SOUTĚŽ", c, 156);
    const TextStyle small{Face::Sans, 11, Hex(0xD0C8FF)};
    p.TextCentred(small, "15 otázek · 3 nápovědy", c, 175);
}

}  // namespace

void AddRulesArt(ArtworkList& out) {
    const std::array<std::pair<const char*, const char*>, 9> keys{{{"KEY-A", "A"},
                                                                   {"KEY-B", "B"},
                                                                   {"KEY-C", "C"},
                                                                   {"KEY-D", "D"},
                                                                   {"KEY-F5", "F5"},
                                                                   {"KEY-F6", "F6"},
                                                                   {"KEY-F7", "F7"},
                                                                   {"KEY-ENTER", "Enter"},
                                                                   {"KEY-DELETE", "Delete"}}};
    for (const auto& [name, label] : keys) {
        const std::string text = label;
        const int width = text == "Enter" ? 56 : text == "Delete" ? 55 : 36;
        out.push_back(
            {name, width, 35, true, [width, text](const Painter& p) { DrawKeyCap(p, width, text); }});
    }
    out.push_back({"LOGO", 230, 230, true, DrawLogo});
}

}  // namespace tolarka::art
