// The game's pointer and the program icon at its three sizes.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "assets/artwork.h"
#include "assets/emblem.h"
#include "assets/palette.h"

namespace tolarka::art {
namespace {

// The arrow's tip is the pointer's hotspot, at pixel (1, 1).
void ArrowPath(cairo_t* cr, double dx, double dy) {
    const double points[][2] = {{1, 1}, {1, 23}, {6.5, 18}, {10.5, 27}, {14.5, 25.3}, {10.6, 16.6}, {17.5, 16.6}};
    cairo_move_to(cr, points[0][0] + dx, points[0][1] + dy);
    for (const auto& pt : points) cairo_line_to(cr, pt[0] + dx, pt[1] + dy);
    cairo_close_path(cr);
}

void DrawArrow(const Painter& p) {
    cairo_t* cr = p.cr();
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    ArrowPath(cr, 1.5, 1.5);
    p.FillSolid(Hex(0x000000, 0.35));
    cairo_new_path(cr);
    ArrowPath(cr, 0.5, 0.5);
    p.FillLinear(0, 1, 0, 27, {{0.0, palette::kWhite}, {1.0, palette::kCyanSoft}});
    p.Stroke(Hex(0x050A2E), 1.2);
    cairo_new_path(cr);
}

void DrawIcon(const Painter& p, int size) {
    cairo_t* cr = p.cr();
    const double s = size;
    p.RoundedRect(s * 0.03, s * 0.03, s * 0.94, s * 0.94, s * 0.2);
    p.FillRadial(s / 2, s / 2, 0, s * 0.7, {{0.0, Hex(0x7A40D8)}, {0.5, Hex(0x24157A)}, {1.0, Hex(0x060B3A)}});
    if (size >= 48) {
        // Larger sizes have room for the studio's starburst behind the coin.
        cairo_save(cr);
        cairo_clip_preserve(cr);
        cairo_new_path(cr);
        for (int i = 0; i < 20; ++i) {
            const double a0 = i * 2 * M_PI / 20;
            const double a1 = a0 + M_PI / 20;
            cairo_move_to(cr, s / 2, s / 2);
            cairo_line_to(cr, s / 2 + s * std::cos(a0), s / 2 + s * std::sin(a0));
            cairo_line_to(cr, s / 2 + s * std::cos(a1), s / 2 + s * std::sin(a1));
            cairo_close_path(cr);
        }
        p.FillRadial(s / 2, s / 2, s * 0.1, s * 0.7, {{0.0, Hex(0xC0A0FF, 0.35)}, {1.0, Hex(0x4060FF, 0.0)}});
        cairo_new_path(cr);
        cairo_restore(cr);
        p.RoundedRect(s * 0.03, s * 0.03, s * 0.94, s * 0.94, s * 0.2);
    }
    p.Stroke(palette::kCyan, std::max(1.0, s * 0.035));
    cairo_new_path(cr);
    if (size >= 48) {
        p.Ellipse(s / 2, s / 2, s * 0.45, s * 0.45);
        p.FillRadial(s / 2, s / 2, s * 0.34, s * 0.45, {{0.0, Hex(0xFFD23A, 0.55)}, {1.0, Hex(0xFFD23A, 0.0)}});
        cairo_new_path(cr);
    }
    DrawCoin(p, s / 2, s / 2, s * 0.36);
}

}  // namespace

void AddCursorAndIcons(ArtworkList& out) {
    out.push_back({"ARROW", 32, 32, true, DrawArrow});
    out.push_back({"ICON", 32, 32, true, [](const Painter& p) { DrawIcon(p, 32); }});
    for (int size : {48, 256}) {
        char name[16];
        std::snprintf(name, sizeof name, "ICON-%d", size);
        out.push_back({name, size, size, true, [size](const Painter& p) { DrawIcon(p, size); }});
    }
}

}  // namespace tolarka::art
