#include "assets/emblem.h"

#include <algorithm>
#include <cmath>

#include "assets/palette.h"

namespace tolarka::art {

void DrawCoin(const Painter& p, double cx, double cy, double r) {
    cairo_t* cr = p.cr();
    p.Ellipse(cx, cy, r, r);
    p.FillRadial(cx - r * 0.35, cy - r * 0.4, r * 0.05, r * 1.1,
                 {{0.0, Hex(0xFFF6C0)}, {0.45, palette::kGold}, {1.0, Hex(0xB87400)}});
    p.Stroke(Hex(0x7A4A00), std::max(1.0, r * 0.06));
    cairo_new_path(cr);
    p.Ellipse(cx, cy, r * 0.78, r * 0.78);
    p.Stroke(Hex(0xA86A00, 0.8), std::max(0.8, r * 0.045));
    cairo_new_path(cr);
    const TextStyle style{Face::SansBold, r * 1.15, Hex(0x8A5200)};
    p.TextCentred({style.face, style.px, Hex(0xFFF2B0, 0.8)}, "T", cx + r * 0.04, cy + r * 0.05);
    p.TextCentred(style, "T", cx, cy);
}

}  // namespace tolarka::art
