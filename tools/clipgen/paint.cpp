#include "paint.h"

#include <algorithm>
#include <cmath>

namespace clipgen {

double Clamp01(double x) { return std::clamp(x, 0.0, 1.0); }

double Ramp(double from, double to, double x) {
    if (to <= from) return x < from ? 0.0 : 1.0;
    const double t = Clamp01((x - from) / (to - from));
    return t * t * (3.0 - 2.0 * t);
}

double Lerp(double a, double b, double t) { return a + (b - a) * t; }

Rgb Mix(const Rgb& a, const Rgb& b, double t) {
    return {Lerp(a.r, b.r, t), Lerp(a.g, b.g, t), Lerp(a.b, b.b, t)};
}

double Noise(std::uint32_t index, std::uint32_t salt) {
    std::uint32_t x = index * 0x9E3779B1u ^ (salt + 0x7F4A7C15u) * 0x85EBCA77u;
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return static_cast<double>(x) / 4294967296.0;
}

void SetColour(cairo_t* cr, const Rgb& c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void FillVertical(cairo_t* cr, double width, double height, const Rgb& top, const Rgb& bottom) {
    PatternPtr gradient(cairo_pattern_create_linear(0, 0, 0, height));
    cairo_pattern_add_color_stop_rgb(gradient.get(), 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(gradient.get(), 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, gradient.get());
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_fill(cr);
}

namespace {

class AddLight {
public:
    explicit AddLight(cairo_t* cr) : cr_(cr) {
        cairo_save(cr_);
        cairo_set_operator(cr_, CAIRO_OPERATOR_ADD);
    }
    ~AddLight() { cairo_restore(cr_); }
    AddLight(const AddLight&) = delete;
    AddLight& operator=(const AddLight&) = delete;

private:
    cairo_t* cr_;
};

// A radial fall-off that looks like light: bright core, long faint tail.
void AddFalloffStops(cairo_pattern_t* p, const Rgb& c, double alpha) {
    cairo_pattern_add_color_stop_rgba(p, 0.0, c.r, c.g, c.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 0.25, c.r, c.g, c.b, alpha * 0.45);
    cairo_pattern_add_color_stop_rgba(p, 0.6, c.r, c.g, c.b, alpha * 0.12);
    cairo_pattern_add_color_stop_rgba(p, 1.0, c.r, c.g, c.b, 0.0);
}

}  // namespace

void Glow(cairo_t* cr, double x, double y, double radius, const Rgb& c, double alpha) {
    if (alpha <= 0.002 || radius <= 0.5) return;
    AddLight add(cr);
    PatternPtr p(cairo_pattern_create_radial(x, y, 0, x, y, radius));
    AddFalloffStops(p.get(), c, Clamp01(alpha));
    cairo_set_source(cr, p.get());
    cairo_arc(cr, x, y, radius, 0, 2 * kPi);
    cairo_fill(cr);
}

void GlowEllipse(cairo_t* cr, double x, double y, double rx, double ry, const Rgb& c, double alpha) {
    if (alpha <= 0.002 || rx <= 0.5 || ry <= 0.5) return;
    AddLight add(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, rx, ry);
    PatternPtr p(cairo_pattern_create_radial(0, 0, 0, 0, 0, 1));
    AddFalloffStops(p.get(), c, Clamp01(alpha));
    cairo_set_source(cr, p.get());
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_fill(cr);
}

void Beam(cairo_t* cr, double x, double y, double angle, double spread, double length, const Rgb& c,
          double alpha) {
    if (alpha <= 0.002) return;
    AddLight add(cr);
    // Two nested cones give a bright core and soft edges without a blur pass.
    const double widths[2] = {1.0, 0.45};
    const double strengths[2] = {0.4, 0.55};
    for (int i = 0; i < 2; ++i) {
        const double half = spread * widths[i];
        PatternPtr p(cairo_pattern_create_radial(x, y, 0, x, y, length));
        const double a = Clamp01(alpha) * strengths[i];
        cairo_pattern_add_color_stop_rgba(p.get(), 0.0, c.r, c.g, c.b, a);
        cairo_pattern_add_color_stop_rgba(p.get(), 0.5, c.r, c.g, c.b, a * 0.55);
        cairo_pattern_add_color_stop_rgba(p.get(), 1.0, c.r, c.g, c.b, 0.0);
        cairo_set_source(cr, p.get());
        cairo_move_to(cr, x, y);
        cairo_arc(cr, x, y, length, angle - half, angle + half);
        cairo_close_path(cr);
        cairo_fill(cr);
    }
}

void Sparkle(cairo_t* cr, double x, double y, double size, const Rgb& c, double alpha) {
    if (alpha <= 0.01) return;
    Glow(cr, x, y, size * 1.6, c, alpha * 0.5);
    AddLight add(cr);
    SetColour(cr, Mix(c, palette::kWhite, 0.6), Clamp01(alpha));
    const double thin = size * 0.12;
    cairo_move_to(cr, x - size, y);
    cairo_line_to(cr, x, y - thin);
    cairo_line_to(cr, x + size, y);
    cairo_line_to(cr, x, y + thin);
    cairo_close_path(cr);
    cairo_move_to(cr, x, y - size);
    cairo_line_to(cr, x + thin, y);
    cairo_line_to(cr, x, y + size);
    cairo_line_to(cr, x - thin, y);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void RingStroke(cairo_t* cr, double x, double y, double rx, double ry, double width, const Rgb& c,
                double alpha) {
    if (alpha <= 0.002 || rx <= 0 || ry <= 0) return;
    AddLight add(cr);
    // Wide faint strokes under a narrow bright one read as a glowing tube.
    const double widths[3] = {width * 5, width * 2.2, width};
    const double strengths[3] = {0.12, 0.3, 0.85};
    for (int i = 0; i < 3; ++i) {
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, rx, ry);
        cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
        cairo_restore(cr);
        cairo_set_line_width(cr, widths[i]);
        SetColour(cr, i == 2 ? Mix(c, palette::kWhite, 0.35) : c, Clamp01(alpha) * strengths[i]);
        cairo_stroke(cr);
    }
}

namespace {
void SelectFont(cairo_t* cr, double size) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
}
}  // namespace

void GlowText(cairo_t* cr, const std::string& text, double x, double y, double size, const Rgb& fill,
              const Rgb& halo, double alpha) {
    if (alpha <= 0.01) return;
    cairo_save(cr);
    SelectFont(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_move_to(cr, x - extents.x_advance / 2, y + size * 0.36);
    cairo_text_path(cr, text.c_str());
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    const double widths[3] = {size * 0.42, size * 0.22, size * 0.1};
    const double strengths[3] = {0.1, 0.18, 0.35};
    for (int i = 0; i < 3; ++i) {
        cairo_set_line_width(cr, widths[i]);
        SetColour(cr, halo, Clamp01(alpha) * strengths[i]);
        cairo_stroke_preserve(cr);
    }
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    SetColour(cr, fill, Clamp01(alpha));
    cairo_fill(cr);
    cairo_restore(cr);
}

GlowLabel::Frame GlowLabel::Measure(const std::string& text, double size) {
    Canvas scratch(1, 1);
    SelectFont(scratch.Context(), size);
    cairo_text_extents_t extents;
    cairo_text_extents(scratch.Context(), text.c_str(), &extents);
    const double margin = size * 0.35 + 2;
    const double left = std::min(0.0, extents.x_bearing);
    const double right = std::max(extents.x_advance, extents.x_bearing + extents.width);
    Frame f;
    f.width = static_cast<int>(std::ceil(right - left + 2 * margin));
    f.height = static_cast<int>(std::ceil(extents.height + 2 * margin));
    // Where the centre that GlowText is given lands inside the sprite.
    f.anchorX = margin - left + extents.x_advance / 2;
    f.anchorY = margin - extents.y_bearing - size * 0.36;
    return f;
}

GlowLabel::GlowLabel(const std::string& text, double size, const Rgb& fill, const Rgb& halo)
    : GlowLabel(text, size, fill, halo, Measure(text, size)) {}

GlowLabel::GlowLabel(const std::string& text, double size, const Rgb& fill, const Rgb& halo,
                     const Frame& frame)
    : frame_(frame), sprite_(frame.width, frame.height) {
    GlowText(sprite_.Context(), text, frame.anchorX, frame.anchorY, size, fill, halo, 1.0);
}

void GlowLabel::Paint(cairo_t* cr, double x, double y, double alpha, double scale) const {
    if (alpha <= 0.01) return;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, sprite_.Surface(), -frame_.anchorX, -frame_.anchorY);
    cairo_paint_with_alpha(cr, Clamp01(alpha));
    cairo_restore(cr);
}

}  // namespace clipgen
