// Drawing primitives of the studio look: colours, easing, seeded noise, glows, beams, text.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

#include "canvas.h"

namespace clipgen {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

namespace palette {
inline constexpr Rgb kNight{0.016, 0.024, 0.098};
inline constexpr Rgb kNavy{0.035, 0.055, 0.23};
inline constexpr Rgb kDeepViolet{0.17, 0.06, 0.36};
inline constexpr Rgb kViolet{0.45, 0.2, 0.78};
inline constexpr Rgb kMagenta{0.78, 0.26, 0.86};
inline constexpr Rgb kCyan{0.22, 0.85, 1.0};
inline constexpr Rgb kIce{0.7, 0.93, 1.0};
inline constexpr Rgb kGold{1.0, 0.78, 0.3};
inline constexpr Rgb kWhite{1.0, 1.0, 1.0};
inline constexpr Rgb kAmber{1.0, 0.55, 0.15};
inline constexpr Rgb kRed{1.0, 0.2, 0.22};
}  // namespace palette

constexpr double kPi = 3.14159265358979323846;

double Clamp01(double x);
// 0 before `from`, 1 after `to`, a smooth S-curve between.
double Ramp(double from, double to, double x);
double Lerp(double a, double b, double t);
Rgb Mix(const Rgb& a, const Rgb& b, double t);
// Deterministic value in [0, 1) for an index and a salt; clips must not change between builds.
double Noise(std::uint32_t index, std::uint32_t salt = 0);

void SetColour(cairo_t* cr, const Rgb& c, double alpha = 1.0);
void FillVertical(cairo_t* cr, double width, double height, const Rgb& top, const Rgb& bottom);

// The following add light (cairo's ADD operator) and leave the operator as they found it.
void Glow(cairo_t* cr, double x, double y, double radius, const Rgb& c, double alpha);
void GlowEllipse(cairo_t* cr, double x, double y, double rx, double ry, const Rgb& c, double alpha);
// A cone of light from (x, y) towards `angle` (radians, 0 = right, pi/2 = down), soft at its edges.
void Beam(cairo_t* cr, double x, double y, double angle, double spread, double length, const Rgb& c,
          double alpha);
void Sparkle(cairo_t* cr, double x, double y, double size, const Rgb& c, double alpha);
void RingStroke(cairo_t* cr, double x, double y, double rx, double ry, double width, const Rgb& c,
                double alpha);

// Centred text with a soft halo; `y` is the vertical centre of the capital letters.
void GlowText(cairo_t* cr, const std::string& text, double x, double y, double size, const Rgb& fill,
              const Rgb& halo, double alpha);

// GlowText drawn once into its own picture: stroking a halo round glyphs is costly, and most
// titles stay the same from frame to frame.
class GlowLabel {
public:
    GlowLabel(const std::string& text, double size, const Rgb& fill, const Rgb& halo);
    // Centred on (x, y) as GlowText places it; `scale` grows the label about that centre.
    void Paint(cairo_t* cr, double x, double y, double alpha, double scale = 1.0) const;

private:
    struct Frame {
        int width, height;
        double anchorX, anchorY;
    };
    static Frame Measure(const std::string& text, double size);
    GlowLabel(const std::string& text, double size, const Rgb& fill, const Rgb& halo, const Frame& frame);

    Frame frame_;
    Canvas sprite_;
};

}  // namespace clipgen
