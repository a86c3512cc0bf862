#pragma once
// Small drawing vocabulary shared by every picture: colours, gradients, the studio hexagon,
// glows and text in the game's fonts.
#include <cairo.h>

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "assets/font_set.h"

namespace tolarka::art {

struct Color {
    double r = 0, g = 0, b = 0, a = 1;
};

constexpr Color Hex(std::uint32_t rgb, double alpha = 1.0) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

constexpr Color WithAlpha(Color c, double alpha) { return {c.r, c.g, c.b, alpha}; }

struct Stop {
    double offset;
    Color color;
};

enum class Align { Left, Centre, Right };

struct TextStyle {
    Face face = Face::Sans;
    double px = 18;  // em size in pixels
    Color color = Hex(0xFFFFFF);
};

class Painter {
public:
    Painter(cairo_t* cr, const FontSet& fonts) : cr_(cr), fonts_(fonts) {}
    // Text calls throw std::runtime_error when the face lacks a glyph of the text.

    cairo_t* cr() const { return cr_; }

    void SetColor(Color c) const;
    // Fill (or stroke) the current path with a linear gradient, keeping the path.
    void FillLinear(double x0, double y0, double x1, double y1, std::initializer_list<Stop> stops) const;
    void FillRadial(double cx, double cy, double r0, double r1, std::initializer_list<Stop> stops) const;
    void FillSolid(Color c) const;
    void Stroke(Color c, double width) const;
    // A soft halo round the current path: wide faint strokes narrowing to the line itself.
    void Glow(Color c, double width, double spread, int layers = 6) const;

    void RoundedRect(double x, double y, double w, double h, double r) const;
    // The studio box: an elongated hexagon whose pointed ends sit at left and right, mid-height.
    void Hexagon(double left, double right, double top, double bottom, double slant) const;
    void Ellipse(double cx, double cy, double rx, double ry, double angle = 0) const;

    double TextWidth(const TextStyle& style, std::string_view text) const;
    // Height of capital letters above the baseline, to centre text optically.
    double CapHeight(const TextStyle& style) const;
    void Text(const TextStyle& style, std::string_view text, double x, double baseline, Align align) const;
    // Centred horizontally on cx and vertically (by cap height) on cy.
    void TextCentred(const TextStyle& style, std::string_view text, double cx, double cy) const;
    // The text's outline as the current path (for glows and strokes).
    void TextPath(const TextStyle& style, std::string_view text, double x, double baseline,
                  Align align) const;
    // The largest pixel size up to max_px at which text fits into width.
    double FitSize(TextStyle style, std::string_view text, double width, double max_px) const;

private:
    void Use(const TextStyle& style, std::string_view text) const;
    double AlignedX(const TextStyle& style, std::string_view text, double x, Align align) const;

    cairo_t* cr_;
    const FontSet& fonts_;
};

}  // namespace tolarka::art
