// The won-amount strips: the money in large dark-red type on a gold field.
#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "assets/artwork.h"
#include "assets/palette.h"

namespace tolarka::art {
namespace {

constexpr int kHeight = 41;
constexpr std::array<int, 16> kWidths{130, 260, 269, 271, 270, 297, 311, 310,
                                      312, 340, 355, 354, 401, 410, 410, 434};
constexpr std::array<long, 16> kMoney{0,     1000,   2000,   3000,   5000,    10000,   20000,   40000,
                                      80000, 160000, 320000, 640000, 1250000, 2500000, 5000000, 10000000};

// "10 000 000 Kč": spaces between thousands.
std::string SpacedAmount(long money) {
    std::string digits = std::to_string(money);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ' ';
        out += digits[i];
    }
    return out + " Kč";
}

void Diamond(const Painter& p, double cx, double cy, double r) {
    cairo_t* cr = p.cr();
    cairo_move_to(cr, cx - r, cy);
    cairo_line_to(cr, cx, cy - r);
    cairo_line_to(cr, cx + r, cy);
    cairo_line_to(cr, cx, cy + r);
    cairo_close_path(cr);
}

void DrawStrip(const Painter& p, int width, const std::string& text) {
    cairo_t* cr = p.cr();
    const double w = width;
    p.RoundedRect(1.5, 1.5, w - 3, kHeight - 3, 9);
    p.FillLinear(0, 0, 0, kHeight, {{0.0, Hex(0xFFF7A8)}, {0.45, Hex(0xFFDA2E)}, {1.0, Hex(0xE9A200)}});
    p.Stroke(Hex(0xA85A00), 1.6);
    cairo_new_path(cr);
    p.RoundedRect(4, 3.5, w - 8, kHeight / 2.0 - 4, 6);
    p.FillLinear(0, 3, 0, kHeight / 2.0, {{0.0, Hex(0xFFFFFF, 0.55)}, {1.0, Hex(0xFFFFFF, 0.05)}});
    cairo_new_path(cr);

    const TextStyle style{Face::SansBold, 31, palette::kDarkRed};
    const double text_width = p.TextWidth(style, text);
    const double baseline = kHeight / 2.0 + p.CapHeight(style) / 2 + 0.5;
    p.Text({style.face, style.px, Hex(0xFFFFFF, 0.5)}, text, w / 2, baseline + 1, Align::Centre);
    p.Text(style, text, w / 2, baseline, Align::Centre);

    // Ornaments fill the wide fields on both sides of the amount.
    if ((w - text_width) / 2 > 40) {
        for (double x : {14.0, w - 14.0}) {
            Diamond(p, x, kHeight / 2.0, 5);
            p.FillSolid(palette::kDarkRed);
            cairo_new_path(cr);
        }
        for (double x : {27.0, w - 27.0}) {
            Diamond(p, x, kHeight / 2.0, 3);
            p.FillSolid(WithAlpha(palette::kDarkRed, 0.7));
            cairo_new_path(cr);
        }
    }
}

}  // namespace

void AddAmounts(ArtworkList& out) {
    for (int level = 0; level < 16; ++level) {
        char name[8];
        std::snprintf(name, sizeof name, "C%02d", level);
        const std::string text = SpacedAmount(kMoney[level]);
        const int width = kWidths[level];
        out.push_back(
            {name, width, kHeight, true, [width, text](const Painter& p) { DrawStrip(p, width, text); }});
    }
}

}  // namespace tolarka::art
