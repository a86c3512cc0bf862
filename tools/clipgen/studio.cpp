#include "studio.h"

#include <cmath>

#include "canvas.h"

namespace clipgen {

void PaintBackdrop(cairo_t* cr, double width, double height, const Rgb& accent, double haze) {
    FillVertical(cr, width, height, palette::kNight, palette::kNavy);
    GlowEllipse(cr, width * 0.5, height * 0.5, width * 0.75, height * 0.6, palette::kDeepViolet, 0.9 * haze);
    GlowEllipse(cr, width * 0.5, height * 0.42, width * 0.4, height * 0.3, accent, 0.12 * haze);

    // LED columns of the back wall: narrow vertical strips, brighter towards the middle.
    const int columns = 22;
    const double top = height * 0.1;
    const double bottom = height * 0.66;
    for (int i = 0; i < columns; ++i) {
        const double u = (i + 0.5) / columns;
        const double x = width * (0.04 + 0.92 * u);
        const double centreWeight = 1.0 - std::abs(u - 0.5) * 1.4;
        PatternPtr strip(cairo_pattern_create_linear(0, top, 0, bottom));
        const double a = (0.05 + 0.09 * centreWeight) * haze;
        cairo_pattern_add_color_stop_rgba(strip.get(), 0, accent.r, accent.g, accent.b, 0);
        cairo_pattern_add_color_stop_rgba(strip.get(), 0.55, accent.r, accent.g, accent.b, a);
        cairo_pattern_add_color_stop_rgba(strip.get(), 1, accent.r, accent.g, accent.b, 0);
        cairo_set_source(cr, strip.get());
        cairo_rectangle(cr, x - width * 0.006, top, width * 0.012, bottom - top);
        cairo_fill(cr);
    }
}

void PaintStageFloor(cairo_t* cr, double cx, double cy, double rx, double ry, const Rgb& accent,
                     double glow) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    PatternPtr floor(cairo_pattern_create_radial(0, -0.3, 0.05, 0, 0, 1));
    const Rgb inner = Mix(palette::kNavy, accent, 0.18 * glow);
    cairo_pattern_add_color_stop_rgb(floor.get(), 0, inner.r, inner.g, inner.b);
    cairo_pattern_add_color_stop_rgb(floor.get(), 1, palette::kNight.r, palette::kNight.g, palette::kNight.b);
    cairo_set_source(cr, floor.get());
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_restore(cr);

    // Spokes and engraved rings, faint, so the floor reads as a shaped stage.
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    SetColour(cr, accent, 0.07 * glow);
    cairo_set_line_width(cr, 1.0);
    for (int i = 0; i < 24; ++i) {
        const double a = i * 2 * kPi / 24;
        cairo_move_to(cr, cx + std::cos(a) * rx * 0.3, cy + std::sin(a) * ry * 0.3);
        cairo_line_to(cr, cx + std::cos(a) * rx * 0.95, cy + std::sin(a) * ry * 0.95);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    RingStroke(cr, cx, cy, rx * 0.3, ry * 0.3, 1.2, accent, 0.35 * glow);
    RingStroke(cr, cx, cy, rx * 0.62, ry * 0.62, 1.0, accent, 0.22 * glow);
    RingStroke(cr, cx, cy, rx, ry, 1.6, accent, 0.6 * glow);
    GlowEllipse(cr, cx, cy, rx * 0.7, ry * 0.7, accent, 0.12 * glow);
}

void PaintLampRing(cairo_t* cr, double cx, double cy, double radius, double lit, const Rgb& colour,
                   double flare) {
    const double lampRadius = radius * 0.075;
    for (int i = 0; i < 15; ++i) {
        // From the lower left round the top to the lower right, like a gauge.
        const double a = kPi * (0.5 + 1.0 / 6) + i * (kPi * 5.0 / 3.0) / 14;
        const double x = cx + std::cos(a) * radius;
        const double y = cy + std::sin(a) * radius;
        const double on = Clamp01(lit - i);
        SetColour(cr, palette::kNight);
        cairo_arc(cr, x, y, lampRadius * 1.25, 0, 2 * kPi);
        cairo_fill(cr);
        SetColour(cr, Mix(palette::kDeepViolet, colour, 0.25), 1.0);
        cairo_arc(cr, x, y, lampRadius, 0, 2 * kPi);
        cairo_fill(cr);
        if (on > 0) {
            Glow(cr, x, y, lampRadius * (3.2 + 2.0 * flare), colour, on * (0.55 + 0.3 * flare));
            SetColour(cr, Mix(colour, palette::kWhite, 0.55), on);
            cairo_arc(cr, x, y, lampRadius * 0.8, 0, 2 * kPi);
            cairo_fill(cr);
        }
    }
}

void PaintCentreDisc(cairo_t* cr, double cx, double cy, double radius, const Rgb& accent, double glow) {
    PatternPtr disc(cairo_pattern_create_radial(cx, cy - radius * 0.35, radius * 0.05, cx, cy, radius));
    const Rgb core = Mix(palette::kDeepViolet, accent, 0.25 * glow);
    cairo_pattern_add_color_stop_rgb(disc.get(), 0, core.r, core.g, core.b);
    cairo_pattern_add_color_stop_rgb(disc.get(), 1, palette::kNight.r, palette::kNight.g, palette::kNight.b);
    cairo_set_source(cr, disc.get());
    cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
    cairo_fill(cr);
    RingStroke(cr, cx, cy, radius, radius, 1.6, accent, 0.55 * glow + 0.15);
    RingStroke(cr, cx, cy, radius * 0.82, radius * 0.82, 0.8, accent, 0.25 * glow + 0.05);
    GlowEllipse(cr, cx, cy - radius * 0.45, radius * 0.6, radius * 0.25, palette::kWhite, 0.08 + 0.05 * glow);
}

void PaintAudience(cairo_t* cr, double width, double top, int rows, const Rgb& rim, double rimAlpha,
                   std::uint32_t salt) {
    for (int row = 0; row < rows; ++row) {
        const double scale = 1.0 + row * 0.28;  // nearer rows are lower and larger
        const double headR = 9.0 * scale;
        const double y = top + row * 26.0 * (1.0 + row * 0.15);
        const double spacing = headR * 2.9;
        const int count = static_cast<int>(width / spacing) + 2;
        const double offset = Noise(row, salt) * spacing;
        for (int i = 0; i < count; ++i) {
            const double x = i * spacing - offset + (Noise(i, salt + row * 97 + 1) - 0.5) * spacing * 0.35;
            const double hy = y + (Noise(i, salt + row * 97 + 2) - 0.5) * headR * 0.6;
            const double r = headR * (0.85 + 0.3 * Noise(i, salt + row * 97 + 3));
            // Rim light first, then the silhouette over it, leaving a lit edge on top.
            Glow(cr, x, hy - r * 0.4, r * 2.0, rim, rimAlpha * 0.35);
            SetColour(cr, Mix(palette::kNight, rim, 0.04 + 0.03 * row));
            cairo_arc(cr, x, hy, r, 0, 2 * kPi);
            cairo_fill(cr);
            cairo_save(cr);
            cairo_translate(cr, x, hy + r * 2.2);
            cairo_scale(cr, r * 2.1, r * 1.4);
            cairo_arc(cr, 0, 0, 1, kPi, 2 * kPi);
            cairo_restore(cr);
            cairo_close_path(cr);
            cairo_fill(cr);
            cairo_rectangle(cr, x - r * 2.1, hy + r * 2.2, r * 4.2, 200);
            cairo_fill(cr);
        }
    }
}

void PaintConfetti(cairo_t* cr, const Box& area, double t, int count, std::uint32_t salt) {
    const Rgb colours[5] = {palette::kGold, palette::kCyan, palette::kMagenta, palette::kWhite,
                            palette::kAmber};
    // One path per colour: the pieces are placed by transforms while the path is built, and each
    // colour is filled once.
    for (int colour = 0; colour < 5; ++colour) {
        cairo_new_path(cr);
        for (int i = colour; i < count; i += 5) {
            const double speed = 45 + 60 * Noise(i, salt + 1);
            const double span = area.h + 40;
            const double y = area.y - 20 + std::fmod(Noise(i, salt + 2) * span + t * speed, span);
            const double sway = std::sin(t * (1.2 + Noise(i, salt + 3) * 2) + i) * 14;
            const double x = area.x + Noise(i, salt + 4) * area.w + sway;
            const double spin = t * (2 + 5 * Noise(i, salt + 5)) + i;
            const double w = 3.5 + 3 * Noise(i, salt + 6);
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_rotate(cr, spin * 0.7);
            cairo_scale(cr, 1.0, 0.25 + 0.75 * std::abs(std::cos(spin)));
            cairo_rectangle(cr, -w, -w * 0.6, w * 2, w * 1.2);
            cairo_restore(cr);
        }
        SetColour(cr, colours[colour], 0.9);
        cairo_fill(cr);
    }
}

void PaintFirework(cairo_t* cr, double x, double y, double age, double radius, const Rgb& colour,
                   std::uint32_t salt) {
    if (age < 0 || age > 1.8) return;
    const double spread = 1.0 - std::pow(1.0 - Clamp01(age / 0.9), 3.0);
    const double fade = 1.0 - Ramp(0.5, 1.8, age);
    if (age < 0.25) Glow(cr, x, y, radius * 0.8, Mix(colour, palette::kWhite, 0.5), (0.25 - age) * 3.0);
    const int sparks = 22;
    // Halo, body and hot core of every spark, each layer one fill for the whole burst.
    const double sizes[3] = {5.0, 2.6, 1.3};
    const double strengths[3] = {0.22, 0.45, 1.0};
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    for (int layer = 0; layer < 3; ++layer) {
        cairo_new_path(cr);
        for (int i = 0; i < sparks; ++i) {
            const double a = i * 2 * kPi / sparks + Noise(i, salt) * 0.2;
            const double r = radius * spread * (0.75 + 0.25 * Noise(i, salt + 1));
            const double sx = x + std::cos(a) * r;
            const double sy = y + std::sin(a) * r + 30 * age * age;  // gravity pulls the sparks down
            cairo_new_sub_path(cr);
            cairo_arc(cr, sx, sy, sizes[layer], 0, 2 * kPi);
        }
        SetColour(cr, layer == 2 ? Mix(colour, palette::kWhite, 0.6) : colour, fade * strengths[layer]);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void PaintSparkles(cairo_t* cr, const Box& area, double t, int count, const Rgb& colour, double alpha,
                   std::uint32_t salt) {
    for (int i = 0; i < count; ++i) {
        const double x = area.x + Noise(i, salt) * area.w;
        const double y = area.y + Noise(i, salt + 1) * area.h;
        const double phase = Noise(i, salt + 2) * 2 * kPi;
        const double rate = 2.0 + 3.0 * Noise(i, salt + 3);
        const double twinkle = std::pow(std::max(0.0, std::sin(t * rate + phase)), 3.0);
        Sparkle(cr, x, y, 4 + 6 * Noise(i, salt + 4), colour, alpha * twinkle);
    }
}

}  // namespace clipgen
