// The program icon: the gold coin on the studio's violet tile, with the starburst and a halo
// from 48 px up, where there is room for them.
#include "assets/program_icon.h"

#include <algorithm>
#include <cmath>

#include "assets/emblem.h"
#include "assets/palette.h"

namespace tolarka::art {

void DrawProgramIcon(const Painter& p, int size) {
    cairo_t* cr = p.cr();
    const double s = size;
    p.RoundedRect(s * 0.03, s * 0.03, s * 0.94, s * 0.94, s * 0.2);
    p.FillRadial(s / 2, s / 2, 0, s * 0.7,
                 {{0.0, Hex(0x7A40D8)}, {0.5, Hex(0x24157A)}, {1.0, Hex(0x060B3A)}});
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
        p.FillRadial(s / 2, s / 2, s * 0.34, s * 0.45,
                     {{0.0, Hex(0xFFD23A, 0.55)}, {1.0, Hex(0xFFD23A, 0.0)}});
        cairo_new_path(cr);
    }
    DrawCoin(p, s / 2, s / 2, s * 0.36);
}

Artwork ProgramIconArtwork(int size) {
    return {"DESKTOP-ICON-" + std::to_string(size), size, size, true,
            [size](const Painter& p) { DrawProgramIcon(p, size); }};
}

}  // namespace tolarka::art
