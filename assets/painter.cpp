#include "assets/painter.h"

#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>

namespace tolarka::art {
namespace {

struct PatternReleaser {
    void operator()(cairo_pattern_t* p) const { cairo_pattern_destroy(p); }
};
using PatternPtr = std::unique_ptr<cairo_pattern_t, PatternReleaser>;

void AddStops(cairo_pattern_t* pattern, std::initializer_list<Stop> stops) {
    for (const Stop& s : stops) {
        cairo_pattern_add_color_stop_rgba(pattern, s.offset, s.color.r, s.color.g, s.color.b, s.color.a);
    }
}

}  // namespace

void Painter::SetColor(Color c) const { cairo_set_source_rgba(cr_, c.r, c.g, c.b, c.a); }

void Painter::FillLinear(double x0, double y0, double x1, double y1,
                         std::initializer_list<Stop> stops) const {
    PatternPtr pattern(cairo_pattern_create_linear(x0, y0, x1, y1));
    AddStops(pattern.get(), stops);
    cairo_set_source(cr_, pattern.get());
    cairo_fill_preserve(cr_);
}

void Painter::FillRadial(double cx, double cy, double r0, double r1,
                         std::initializer_list<Stop> stops) const {
    PatternPtr pattern(cairo_pattern_create_radial(cx, cy, r0, cx, cy, r1));
    AddStops(pattern.get(), stops);
    cairo_set_source(cr_, pattern.get());
    cairo_fill_preserve(cr_);
}

void Painter::FillSolid(Color c) const {
    SetColor(c);
    cairo_fill_preserve(cr_);
}

void Painter::Stroke(Color c, double width) const {
    SetColor(c);
    cairo_set_line_width(cr_, width);
    cairo_stroke_preserve(cr_);
}

void Painter::Glow(Color c, double width, double spread, int layers) const {
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
    for (int i = layers; i >= 1; --i) {
        const double t = static_cast<double>(i) / layers;
        SetColor(WithAlpha(c, c.a * 0.22 * (1.0 - t * 0.8)));
        cairo_set_line_width(cr_, width + 2.0 * spread * t);
        cairo_stroke_preserve(cr_);
    }
}

void Painter::RoundedRect(double x, double y, double w, double h, double r) const {
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr_, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr_, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr_, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr_);
}

void Painter::Hexagon(double left, double right, double top, double bottom, double slant) const {
    const double mid = (top + bottom) / 2;
    cairo_new_sub_path(cr_);
    cairo_move_to(cr_, left, mid);
    cairo_line_to(cr_, left + slant, top);
    cairo_line_to(cr_, right - slant, top);
    cairo_line_to(cr_, right, mid);
    cairo_line_to(cr_, right - slant, bottom);
    cairo_line_to(cr_, left + slant, bottom);
    cairo_close_path(cr_);
}

void Painter::Ellipse(double cx, double cy, double rx, double ry, double angle) const {
    cairo_save(cr_);
    cairo_translate(cr_, cx, cy);
    cairo_rotate(cr_, angle);
    cairo_scale(cr_, rx, ry);
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, 0, 0, 1, 0, 2 * M_PI);
    cairo_close_path(cr_);
    cairo_restore(cr_);
}

// Every text call comes through here, so no picture can show a missing glyph's empty box.
void Painter::Use(const TextStyle& style, std::string_view text) const {
    if (!fonts_.Covers(style.face, text)) {
        throw std::runtime_error("Písmo nemá všechny znaky textu \"" + std::string(text) + "\"");
    }
    cairo_set_font_face(cr_, fonts_.Get(style.face));
    cairo_set_font_size(cr_, style.px);
}

double Painter::TextWidth(const TextStyle& style, std::string_view text) const {
    Use(style, text);
    const std::string s(text);
    cairo_text_extents_t ext;
    cairo_text_extents(cr_, s.c_str(), &ext);
    return ext.x_advance;
}

double Painter::CapHeight(const TextStyle& style) const {
    Use(style, "H");
    cairo_text_extents_t ext;
    cairo_text_extents(cr_, "H", &ext);
    return -ext.y_bearing;
}

double Painter::AlignedX(const TextStyle& style, std::string_view text, double x, Align align) const {
    switch (align) {
        case Align::Left: return x;
        case Align::Centre: return x - TextWidth(style, text) / 2;
        case Align::Right: return x - TextWidth(style, text);
    }
    return x;
}

void Painter::Text(const TextStyle& style, std::string_view text, double x, double baseline,
                   Align align) const {
    const double left = AlignedX(style, text, x, align);
    Use(style, text);
    SetColor(style.color);
    cairo_move_to(cr_, left, baseline);
    const std::string s(text);
    cairo_show_text(cr_, s.c_str());
    cairo_new_path(cr_);
}

void Painter::TextCentred(const TextStyle& style, std::string_view text, double cx, double cy) const {
    Text(style, text, cx, cy + CapHeight(style) / 2, Align::Centre);
}

void Painter::TextPath(const TextStyle& style, std::string_view text, double x, double baseline,
                       Align align) const {
    const double left = AlignedX(style, text, x, align);
    Use(style, text);
    cairo_move_to(cr_, left, baseline);
    const std::string s(text);
    cairo_text_path(cr_, s.c_str());
}

double Painter::FitSize(TextStyle style, std::string_view text, double width, double max_px) const {
    style.px = max_px;
    while (style.px > 6 && TextWidth(style, text) > width) style.px -= 0.25;
    return style.px;
}

}  // namespace tolarka::art
