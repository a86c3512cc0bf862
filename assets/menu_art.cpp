// The main menu's background: a dark-blue starburst with thin orange and light-blue ellipses
// round a violet centre.
#include <cmath>

#include "assets/artwork.h"
#include "assets/palette.h"

namespace tolarka::art {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 638;
constexpr double kCx = kWidth / 2.0;
constexpr double kCy = kHeight / 2.0;

// Rays with soft edges: each is a stack of ever narrower faint wedges.
void DrawRays(const Painter& p) {
    cairo_t* cr = p.cr();
    constexpr int kRays = 28;
    constexpr double kReach = 620;
    constexpr double kPeriod = 2 * M_PI / kRays;
    for (double width : {0.62, 0.5, 0.4, 0.3}) {
        for (int i = 0; i < kRays; ++i) {
            const double centre = (i + 0.25) * kPeriod;
            const double a0 = centre - width * kPeriod / 2;
            const double a1 = centre + width * kPeriod / 2;
            cairo_move_to(cr, kCx, kCy);
            cairo_line_to(cr, kCx + kReach * std::cos(a0), kCy + kReach * std::sin(a0));
            cairo_line_to(cr, kCx + kReach * std::cos(a1), kCy + kReach * std::sin(a1));
            cairo_close_path(cr);
        }
        p.FillRadial(kCx, kCy, 30, kReach,
                     {{0.0, Hex(0x3050D0, 0.2)}, {0.45, Hex(0x1A2C8A, 0.13)}, {1.0, Hex(0x0A1450, 0.02)}});
        cairo_new_path(cr);
    }
}

void DrawEllipses(const Painter& p) {
    cairo_t* cr = p.cr();
    struct Ring {
        double rx, ry, angle;
        Color color;
    };
    const Ring rings[] = {
        {330, 120, -0.18, palette::kOrange},
        {300, 150, 0.22, Hex(0x7FD8FF)},
        {360, 95, 0.05, Hex(0x7FD8FF)},
        {250, 175, -0.45, palette::kOrange},
        {390, 200, 0.12, WithAlpha(palette::kOrange, 0.7)},
        {210, 130, 0.6, Hex(0x7FD8FF)},
        {420, 160, -0.08, Hex(0x7FD8FF, 0.6)},
    };
    for (const Ring& r : rings) {
        p.Ellipse(kCx, kCy, r.rx, r.ry, r.angle);
        p.Glow(r.color, 1.0, 2.5, 4);
        p.Stroke(r.color, 1.1);
        cairo_new_path(cr);
    }
}

void DrawMenuBackground(const Painter& p) {
    cairo_t* cr = p.cr();
    cairo_rectangle(cr, 0, 0, kWidth, kHeight);
    p.FillRadial(kCx, kCy, 0, 520, {{0.0, Hex(0x101E70)}, {0.6, Hex(0x060C3C)}, {1.0, Hex(0x01020E)}});
    cairo_new_path(cr);
    DrawRays(p);
    // Violet heart of the burst.
    cairo_rectangle(cr, 0, 0, kWidth, kHeight);
    p.FillRadial(kCx, kCy, 0, 260,
                 {{0.0, Hex(0xB070FF, 0.95)},
                  {0.25, Hex(0x7434D0, 0.8)},
                  {0.6, Hex(0x3A1490, 0.35)},
                  {1.0, Hex(0x200860, 0.0)}});
    cairo_new_path(cr);
    DrawEllipses(p);
    // Small sparkles scattered on the rays.
    for (int i = 0; i < 40; ++i) {
        const double a = i * 2.399963;  // golden angle: an even, unpatterned scatter
        const double d = 120 + std::fmod(i * 37.0, 300.0);
        p.Ellipse(kCx + d * std::cos(a), kCy + d * std::sin(a) * 0.8, 1.3, 1.3);
        p.FillSolid(Hex(0xCFEFFF, 0.55));
        cairo_new_path(cr);
    }
}

}  // namespace

void AddMenuArt(ArtworkList& out) {
    out.push_back({"MENU-POZADI", kWidth, kHeight, false, DrawMenuBackground});
}

}  // namespace tolarka::art
