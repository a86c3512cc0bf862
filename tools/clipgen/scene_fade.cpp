// The small studio view beside the question: calm on its first frame (it waits there during the
// question), then a sweep of light at the reveal that settles into a brighter studio.
#include <cmath>

#include "scenes.h"
#include "studio.h"

namespace clipgen {
namespace {

struct FadeLook {
    Rgb accent;
    Rgb beam;
    int waves;  // the top band brings a second, stronger sweep
};

FadeLook LookOf(Band band) {
    switch (band) {
        case Band::One: return {palette::kCyan, palette::kIce, 1};
        case Band::Two: return {palette::kViolet, Mix(palette::kViolet, palette::kIce, 0.5), 1};
        case Band::Three: return {palette::kMagenta, palette::kGold, 2};
    }
    return {palette::kCyan, palette::kIce, 1};
}

class FadeScene : public Scene {
public:
    FadeScene(Band band, int width, int height)
        : look_(LookOf(band)),
          stage_(LayoutFor(width, height), look_.accent),
          title_("TOLARKA", stage_.Layout().discRadius * 0.3, palette::kIce, look_.accent) {}

    void Paint(cairo_t* cr, double t) override {
        const StageLayout& l = stage_.Layout();
        // Each wave: a flash, a sweep across the studio, then a brighter resting state.
        double energy = 0.0;
        double sweep = 0.0;
        for (int w = 0; w < look_.waves; ++w) {
            const double start = w * 3.4;
            const double local = t - start;
            if (local < 0) continue;
            energy += std::exp(-local * 2.2) * (w == 0 ? 1.0 : 1.3);
            sweep = Ramp(0.0, 1.4, local);
        }
        const double rest = Ramp(0.0, 1.2, t);
        stage_.Paint(cr, 0.45 + 0.35 * rest + 0.2 * std::min(1.0, energy));

        for (int i = 0; i < 4; ++i) {
            const double side = i % 2 == 0 ? -1.0 : 1.0;
            const double x = l.width * 0.5 + side * l.width * (0.18 + 0.2 * (i / 2));
            // Calm beams at rest swing across the stage as the sweep runs and come back slower.
            const double across = std::sin(sweep * kPi) * side * -0.55;
            const double idle = 0.05 * std::sin(t * 1.1 + i);
            const double angle = kPi / 2 + side * 0.22 + across + idle;
            Beam(cr, x, -4, angle, 0.1, l.height * 1.3, look_.beam,
                 0.3 + 0.25 * rest + 0.4 * std::min(1.0, energy));
        }
        const double lit = 15.0 * (0.4 + 0.6 * Ramp(0.0, 1.0, t));
        PaintLampRing(cr, l.ringX, l.ringY, l.ringRadius, lit, look_.accent, std::min(1.0, energy));
        title_.Paint(cr, l.ringX, l.ringY, 0.55 + 0.45 * rest);
        Glow(cr, l.ringX, l.ringY, l.ringRadius * 3.0, Mix(look_.beam, palette::kWhite, 0.4),
             0.5 * std::min(1.0, energy));
        const Box area{l.width * 0.05, l.height * 0.08, l.width * 0.9, l.height * 0.7};
        PaintSparkles(cr, area, t, 18, look_.beam, rest * (0.5 + 0.5 * std::min(1.0, energy)), 23);
    }

private:
    FadeLook look_;
    StageLayers stage_;
    GlowLabel title_;
};

}  // namespace

std::unique_ptr<Scene> MakeFadeScene(Band band, int width, int height) {
    return std::make_unique<FadeScene>(band, width, height);
}

}  // namespace clipgen
