// Lifeline icons on navy ovals, and their crossed-out variants once used.
#include <cmath>
#include <functional>
#include <string>

#include "assets/artwork.h"
#include "assets/palette.h"

namespace tolarka::art {
namespace {

constexpr int kWidth = 72;
constexpr int kHeight = 47;
constexpr double kCx = kWidth / 2.0;
constexpr double kCy = kHeight / 2.0;
constexpr double kRx = 32.5;
constexpr double kRy = 19.5;

void DrawOval(const Painter& p) {
    cairo_t* cr = p.cr();
    p.Ellipse(kCx, kCy, kRx, kRy);
    p.Glow(palette::kCyan, 1.6, 2.5, 4);
    p.FillLinear(0, kCy - kRy, 0, kCy + kRy,
                 {{0.0, Hex(0x2A3EA8)}, {0.5, Hex(0x0C185E)}, {1.0, Hex(0x040936)}});
    p.Stroke(palette::kCyan, 1.8);
    cairo_new_path(cr);
    p.Ellipse(kCx, kCy - kRy * 0.45, kRx * 0.78, kRy * 0.42);
    p.FillLinear(0, kCy - kRy, 0, kCy, {{0.0, Hex(0xFFFFFF, 0.30)}, {1.0, Hex(0xFFFFFF, 0.0)}});
    cairo_new_path(cr);
}

void DrawFiftyFifty(const Painter& p) {
    const TextStyle style{Face::SansBold, 17, palette::kWhite};
    p.TextCentred({style.face, style.px, Hex(0x000020, 0.7)}, "50:50", kCx + 1, kCy + 1);
    p.TextCentred(style, "50:50", kCx, kCy);
}

void Person(const Painter& p, double x, double head_y, double head_r, double shoulder_rx, Color light,
            Color dark) {
    cairo_t* cr = p.cr();
    const double shoulder_y = head_y + head_r + shoulder_rx * 0.85;
    p.Ellipse(x, shoulder_y, shoulder_rx, shoulder_rx * 0.8);
    p.FillLinear(0, shoulder_y - shoulder_rx, 0, shoulder_y + shoulder_rx, {{0.0, light}, {1.0, dark}});
    p.Stroke(Hex(0x061040), 1.2);
    cairo_new_path(cr);
    p.Ellipse(x, head_y, head_r, head_r * 1.08);
    p.FillLinear(0, head_y - head_r, 0, head_y + head_r, {{0.0, light}, {1.0, dark}});
    p.Stroke(Hex(0x061040), 1.2);
    cairo_new_path(cr);
}

void DrawAudience(const Painter& p) {
    cairo_t* cr = p.cr();
    cairo_save(cr);
    p.Ellipse(kCx, kCy, kRx - 1.5, kRy - 1.5);
    cairo_clip(cr);
    cairo_new_path(cr);
    Person(p, kCx - 13, 17.5, 4.6, 8.5, Hex(0xB8C8FF), Hex(0x5A6CC8));
    Person(p, kCx + 13, 17.5, 4.6, 8.5, Hex(0xB8C8FF), Hex(0x5A6CC8));
    Person(p, kCx, 15.0, 5.6, 10.0, Hex(0xFFFFFF), Hex(0x9CF2FF));
    cairo_restore(cr);
}

// A classic handset lying on its cradle: a curved grip with the ear and mouth cups hanging
// from its ends.
void DrawHandset(const Painter& p, double cx, double cy, double scale, Color color) {
    cairo_t* cr = p.cr();
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, scale, scale);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, -9.5, -0.5);
    cairo_curve_to(cr, -6, -7.5, 6, -7.5, 9.5, -0.5);
    p.SetColor(color);
    cairo_set_line_width(cr, 5.0);
    cairo_stroke(cr);
    for (double side : {-1.0, 1.0}) {
        p.RoundedRect(side > 0 ? 5.5 : -14.5, -2.5, 9, 8, 2.5);
        p.SetColor(color);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void DrawPhone(const Painter& p) {
    cairo_t* cr = p.cr();
    p.RoundedRect(kCx - 21, kCy - 12.5, 42, 25, 12.5);
    p.FillLinear(0, kCy - 12.5, 0, kCy + 12.5,
                 {{0.0, Hex(0x8DF5A2)}, {0.45, palette::kGreen}, {1.0, palette::kGreenDeep}});
    p.Stroke(Hex(0xC8FFD4), 1.0);
    cairo_new_path(cr);
    DrawHandset(p, kCx + 0.8, kCy + 1.8, 1.0, Hex(0x063014, 0.5));
    DrawHandset(p, kCx, kCy + 1.0, 1.0, palette::kWhite);
}

// A used lifeline: the icon dimmed and crossed out. The red cross has a light edge, so it stands
// out by lightness and shape also for eyes that see red as dark.
void DrawCross(const Painter& p) {
    cairo_t* cr = p.cr();
    p.Ellipse(kCx, kCy, kRx, kRy);
    p.FillSolid(Hex(0x000000, 0.55));
    cairo_new_path(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, 15, 7);
    cairo_line_to(cr, 57, 40);
    cairo_move_to(cr, 57, 7);
    cairo_line_to(cr, 15, 40);
    p.Stroke(Hex(0x200000, 0.85), 10);
    p.Stroke(Hex(0xFFE0E0), 8);
    p.Stroke(palette::kRed, 5.5);
    p.Stroke(Hex(0xFF8080, 0.6), 1.5);
    cairo_new_path(cr);
}

void AddPair(ArtworkList& out, const std::string& name, std::function<void(const Painter&)> symbol) {
    out.push_back({name, kWidth, kHeight, true, [symbol](const Painter& p) {
                       DrawOval(p);
                       symbol(p);
                   }});
    out.push_back({name + "X", kWidth, kHeight, true, [symbol](const Painter& p) {
                       DrawOval(p);
                       symbol(p);
                       DrawCross(p);
                   }});
}

}  // namespace

void AddLifelines(ArtworkList& out) {
    AddPair(out, "N-5050", DrawFiftyFifty);
    AddPair(out, "N-DIV", DrawAudience);
    AddPair(out, "N-TEL", DrawPhone);
}

}  // namespace tolarka::art
