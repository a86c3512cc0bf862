// The audience votes: the house in silhouette with keypads blinking, light sweeping over the rows,
// and a ring on the left filling up as the votes come in. The right side stays quiet, since the
// game draws its vote graph there from the eighth second on.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "scenes.h"
#include "studio.h"

namespace clipgen {
namespace {

constexpr double kAudienceTop = 0.66;  // fraction of the height where the first row of heads sits

// How much of the vote is in at time t: slow start, a rush in the middle, the last votes late.
double VotesIn(double t) {
    const double base = Ramp(1.2, 12.5, t);
    const double wobble = 0.015 * std::sin(t * 7.0) * (1.0 - base) * base * 4.0;
    return Clamp01(base + wobble);
}

class AudienceScene : public Scene {
public:
    AudienceScene(int width, int height)
        : width_(width),
          height_(height),
          house_(width, height),
          caption_("HLASUJE PUBLIKUM", height * 0.2 * 0.2, palette::kIce, palette::kViolet) {
        PaintHouse();
        percents_.reserve(101);
        for (int p = 0; p <= 100; ++p)
            percents_.emplace_back(std::to_string(p) + " %", height * 0.2 * 0.42, palette::kWhite,
                                   palette::kCyan);
    }

    void Paint(cairo_t* cr, double t) override {
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, house_.Surface(), 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);

        const double w = width_;
        const double h = height_;
        const double intro = Ramp(0.0, 1.0, t);

        // Scanning beams from the rig sweep across the rows.
        for (int i = 0; i < 4; ++i) {
            const double x = w * (0.15 + 0.23 * i);
            const double angle = kPi / 2 + 0.55 * std::sin(t * (0.5 + 0.12 * i) + i * 1.7);
            Beam(cr, x, -h * 0.05, angle, 0.07, h * 1.3, i % 2 ? palette::kViolet : palette::kCyan,
                 0.45 * intro);
        }

        // Keypads: small lights in the rows, more of them blinking while the vote is busy.
        const double busy = std::sin(Clamp01(VotesIn(t)) * kPi) * 0.8 + 0.2;
        const double top = h * kAudienceTop;
        for (int i = 0; i < 90; ++i) {
            const int row = i % 3;
            const double x = Noise(i, 71) * w;
            const double y = top + 30 + row * 42 + Noise(i, 72) * 16;
            const double phase = Noise(i, 73) * 10;
            const double on = std::fmod(t * (1.5 + Noise(i, 74) * 2) + phase, 1.0) < 0.35 * busy ? 1.0 : 0.0;
            const Rgb key = i % 4 == 0 ? palette::kGold
                                       : (i % 4 == 1 ? palette::kCyan
                                                     : (i % 4 == 2 ? palette::kMagenta : palette::kAmber));
            if (on > 0) Glow(cr, x, y, 9, key, 0.9 * intro);
        }

        PaintVoteRing(cr, t);
    }

private:
    void PaintHouse() {
        cairo_t* cr = house_.Context();
        const double w = width_;
        const double h = height_;
        PaintBackdrop(cr, w, h, palette::kViolet, 1.0);
        GlowEllipse(cr, w * 0.5, h * kAudienceTop, w * 0.7, h * 0.18, palette::kViolet, 0.45);
        GlowEllipse(cr, w * 0.5, h * kAudienceTop - 10, w * 0.5, h * 0.06, palette::kCyan, 0.25);
        PaintAudience(cr, w + 40, h * kAudienceTop, 4, palette::kCyan, 0.5, 5);
    }

    void PaintVoteRing(cairo_t* cr, double t) const {
        const double cx = width_ * 0.33;
        const double cy = height_ * 0.36;
        const double r = height_ * 0.2;
        const double votes = VotesIn(t);
        const double appear = Ramp(0.2, 1.0, t);
        PatternPtr disc(cairo_pattern_create_radial(cx, cy - r * 0.4, r * 0.1, cx, cy, r * 1.15));
        cairo_pattern_add_color_stop_rgba(disc.get(), 0, 0.14, 0.08, 0.36, 0.95 * appear);
        cairo_pattern_add_color_stop_rgba(disc.get(), 1, 0.02, 0.03, 0.12, 0.95 * appear);
        cairo_set_source(cr, disc.get());
        cairo_arc(cr, cx, cy, r * 1.15, 0, 2 * kPi);
        cairo_fill(cr);
        RingStroke(cr, cx, cy, r * 1.15, r * 1.15, 1.5, palette::kCyan, 0.7 * appear);

        const int segments = 60;
        for (int i = 0; i < segments; ++i) {
            const double a0 = -kPi / 2 + i * 2 * kPi / segments + 0.012;
            const double a1 = a0 + 2 * kPi / segments - 0.024;
            const double on = Clamp01(votes * segments - i);
            cairo_new_path(cr);
            cairo_arc(cr, cx, cy, r, a0, a1);
            cairo_arc_negative(cr, cx, cy, r * 0.84, a1, a0);
            cairo_close_path(cr);
            const Rgb lit = Mix(palette::kCyan, palette::kMagenta, static_cast<double>(i) / segments);
            SetColour(cr, on > 0 ? Mix(palette::kNavy, lit, on) : Mix(palette::kNavy, palette::kViolet, 0.3),
                      appear);
            cairo_fill(cr);
        }
        const double head = -kPi / 2 + votes * 2 * kPi;
        Glow(cr, cx + std::cos(head) * r * 0.92, cy + std::sin(head) * r * 0.92, r * 0.3, palette::kWhite,
             0.6 * appear * (votes < 1.0 ? 1.0 : 0.0));
        const double done = std::exp(-std::max(0.0, t - 12.5) * 2.5) * (t >= 12.5 ? 1.0 : 0.0);
        Glow(cr, cx, cy, r * 2.0, palette::kCyan, 0.5 * done);

        const int percent = static_cast<int>(std::floor(votes * 100.0 + 1e-9));
        percents_[static_cast<std::size_t>(std::clamp(percent, 0, 100))].Paint(cr, cx, cy, appear);
        caption_.Paint(cr, cx, cy + r * 1.34, appear);
    }

    int width_;
    int height_;
    Canvas house_;
    GlowLabel caption_;
    std::vector<GlowLabel> percents_;
};

}  // namespace

std::unique_ptr<Scene> MakeAudienceScene(int width, int height) {
    return std::make_unique<AudienceScene>(width, height);
}

}  // namespace clipgen
