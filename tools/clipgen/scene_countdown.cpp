// The phone call's thirty-second clock: a ring of second marks that go out one by one around big
// digits, cyan while there is time, amber in the last ten seconds, red in the last five.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "scenes.h"
#include "studio.h"

namespace clipgen {

int CountdownNumber(double t) {
    if (!(t > 0)) return 30;  // also catches NaN
    const int passed = static_cast<int>(std::floor(t + 1e-9));
    return passed >= 30 ? 0 : 30 - passed;
}

namespace {

Rgb ColourFor(int number) {
    if (number <= 5) return palette::kRed;
    if (number <= 10) return palette::kAmber;
    return palette::kCyan;
}

class CountdownScene : public Scene {
public:
    CountdownScene(int width, int height) : width_(width), height_(height), face_(width, height) {
        PaintFace();
        numbers_.reserve(31);
        for (int n = 0; n <= 30; ++n)
            numbers_.emplace_back(std::to_string(n), width * 0.42 * 0.68, palette::kWhite, ColourFor(n));
    }

    void Paint(cairo_t* cr, double t) override {
        const int number = CountdownNumber(t);
        const Rgb colour = ColourFor(number);
        const double cx = width_ / 2.0;
        const double cy = height_ / 2.0;
        const double r = width_ * 0.42;

        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, face_.Surface(), 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);

        // Thirty marks, one per second left, running clockwise from the top.
        const double remaining = std::max(0.0, 30.0 - t);
        for (int i = 0; i < 30; ++i) {
            const double a = -kPi / 2 + (i + 0.5) * 2 * kPi / 30;
            const double on = Clamp01(remaining - i);
            const double x0 = cx + std::cos(a) * r * 0.86;
            const double y0 = cy + std::sin(a) * r * 0.86;
            const double x1 = cx + std::cos(a) * r * 1.0;
            const double y1 = cy + std::sin(a) * r * 1.0;
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_width(cr, r * 0.075);
            SetColour(cr, Mix(palette::kNavy, colour, 0.18));
            cairo_move_to(cr, x0, y0);
            cairo_line_to(cr, x1, y1);
            cairo_stroke(cr);
            if (on > 0) {
                SetColour(cr, Mix(colour, palette::kWhite, 0.3), on);
                cairo_move_to(cr, x0, y0);
                cairo_line_to(cr, x1, y1);
                cairo_stroke(cr);
                Glow(cr, (x0 + x1) / 2, (y0 + y1) / 2, r * 0.12, colour, 0.35 * on);
            }
        }

        // The continuous hand of time: an arc inside the marks.
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
        cairo_set_line_width(cr, r * 0.035);
        SetColour(cr, colour, 0.85);
        if (remaining > 0) {
            cairo_arc(cr, cx, cy, r * 0.76, -kPi / 2, -kPi / 2 + remaining / 30.0 * 2 * kPi);
            cairo_stroke(cr);
        }
        cairo_restore(cr);

        // Each new number arrives with a short pulse; 0 blinks when the time is up.
        const double sinceTick = t - std::floor(t);
        const double pulse = std::exp(-sinceTick * 6.0);
        double alpha = 1.0;
        if (number == 0) alpha = std::fmod(t, 0.5) < 0.3 ? 1.0 : 0.35;
        Glow(cr, cx, cy, r * 0.7, colour, 0.25 + 0.35 * pulse);
        numbers_[static_cast<std::size_t>(number)].Paint(cr, cx, cy, alpha, 1.0 + 0.09 * pulse);
    }

private:
    void PaintFace() {
        cairo_t* cr = face_.Context();
        const double cx = width_ / 2.0;
        const double cy = height_ / 2.0;
        const double r = width_ * 0.42;
        FillVertical(cr, width_, height_, palette::kNight, palette::kNavy);
        GlowEllipse(cr, cx, cy, r * 1.3, r * 1.3, palette::kDeepViolet, 0.9);
        PatternPtr dial(cairo_pattern_create_radial(cx, cy - r * 0.3, r * 0.1, cx, cy, r * 1.08));
        cairo_pattern_add_color_stop_rgb(dial.get(), 0, 0.1, 0.12, 0.38);
        cairo_pattern_add_color_stop_rgb(dial.get(), 1, 0.02, 0.03, 0.12);
        cairo_set_source(cr, dial.get());
        cairo_arc(cr, cx, cy, r * 1.08, 0, 2 * kPi);
        cairo_fill(cr);
        RingStroke(cr, cx, cy, r * 1.1, r * 1.1, 1.4, palette::kCyan, 0.7);
        RingStroke(cr, cx, cy, r * 0.66, r * 0.66, 0.8, palette::kViolet, 0.5);
    }

    int width_;
    int height_;
    Canvas face_;
    std::vector<GlowLabel> numbers_;
};

}  // namespace

std::unique_ptr<Scene> MakeCountdownScene(int width, int height) {
    return std::make_unique<CountdownScene>(width, height);
}

}  // namespace clipgen
