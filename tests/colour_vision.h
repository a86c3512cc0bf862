#pragma once
// Colour science for the accessibility tests: relative luminance and contrast (WCAG 2),
// CIE L*, and dichromat simulation (Viénot, Brettel and Mollon 1999, in linear sRGB).
#include <array>
#include <cmath>

namespace tolarka::testing {

using Linear = std::array<double, 3>;  // linear-light sRGB, 0..1

inline double ToLinear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

inline Linear LinearOf(int r, int g, int b) { return {ToLinear(r), ToLinear(g), ToLinear(b)}; }

inline double Luminance(const Linear& c) { return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2]; }

inline double LightnessOf(double luminance) {
    return luminance > 216.0 / 24389 ? 116 * std::cbrt(luminance) - 16 : luminance * 24389.0 / 27;
}

inline double Contrast(double y1, double y2) { return (std::max(y1, y2) + 0.05) / (std::min(y1, y2) + 0.05); }

enum class Vision { Normal, Deuteranopia, Protanopia };

inline Linear Simulate(const Linear& c, Vision v) {
    if (v == Vision::Normal) return c;
    // Viénot et al. 1999: the reduced colour plane of each dichromacy, as one matrix on linear sRGB.
    static constexpr double kProtan[3][3] = {
        {0.10889, 0.89111, 0.0}, {0.10889, 0.89111, 0.0}, {0.00447, -0.00447, 1.0}};
    static constexpr double kDeutan[3][3] = {
        {0.29031, 0.70969, 0.0}, {0.29031, 0.70969, 0.0}, {-0.02197, 0.02197, 1.0}};
    const auto& m = v == Vision::Protanopia ? kProtan : kDeutan;
    Linear out{};
    for (int i = 0; i < 3; ++i)
        out[static_cast<size_t>(i)] = std::clamp(m[i][0] * c[0] + m[i][1] * c[1] + m[i][2] * c[2], 0.0, 1.0);
    return out;
}

}  // namespace tolarka::testing
