// Studio lights: the start of a game (lights come up) and the light show after a right answer.
#include <cmath>

#include "scenes.h"
#include "studio.h"

namespace clipgen {
namespace {

struct LightsLook {
    Rgb accent;
    Rgb beam;
    Rgb flash;
    int beams;
};

LightsLook LookOf(LightsKind kind) {
    switch (kind) {
        case LightsKind::GameStart: return {palette::kCyan, palette::kIce, palette::kWhite, 6};
        case LightsKind::BandTwo:
            return {palette::kCyan, Mix(palette::kCyan, palette::kViolet, 0.3), palette::kIce, 6};
        case LightsKind::BandThree:
            return {palette::kMagenta, Mix(palette::kMagenta, palette::kGold, 0.25), palette::kGold, 8};
    }
    return {palette::kCyan, palette::kIce, palette::kWhite, 6};
}

class LightsScene : public Scene {
public:
    LightsScene(LightsKind kind, int width, int height)
        : kind_(kind),
          look_(LookOf(kind)),
          stage_(LayoutFor(width, height), look_.accent),
          title_("TOLARKA", stage_.Layout().discRadius * 0.3, palette::kIce, look_.accent),
          titleBright_("TOLARKA", stage_.Layout().discRadius * 0.3, palette::kWhite, look_.accent) {}

    void Paint(cairo_t* cr, double t) override {
        const StageLayout& l = stage_.Layout();
        const bool start = kind_ == LightsKind::GameStart;
        const double level = start ? 0.15 + 0.85 * Ramp(0.2, 2.4, t) : 0.85 + 0.15 * std::sin(t * 5.0);
        stage_.Paint(cr, level);

        PaintBeams(cr, l, t, start);

        // The lamp ring fills up as the lights come on; after a right answer a bright chase runs round.
        const double lit = start ? 15.0 * Clamp01((t - 1.5) / 1.4) : 15.0;
        const double flare = start ? std::exp(-std::abs(t - 3.0) * 4.0) : 0.4 + 0.4 * std::sin(t * 9.0);
        PaintLampRing(cr, l.ringX, l.ringY, l.ringRadius, lit, look_.accent, flare);
        if (!start) {
            const double chase = std::fmod(t * 10.0, 15.0);
            const double a = kPi * (0.5 + 1.0 / 6) + chase * (kPi * 5.0 / 3.0) / 14;
            Glow(cr, l.ringX + std::cos(a) * l.ringRadius, l.ringY + std::sin(a) * l.ringRadius,
                 l.ringRadius * 0.35, look_.flash, 0.7);
        }

        const double word = start ? Ramp(2.7, 3.4, t) : 1.0;
        const double shimmer = start ? std::exp(-std::abs(t - 3.2) * 3.0) : 0.3 + 0.2 * std::sin(t * 6.0);
        title_.Paint(cr, l.ringX, l.ringY, word);
        titleBright_.Paint(cr, l.ringX, l.ringY, word * shimmer);

        // A flash at the moment the whole stage comes on, or as the band's light show starts.
        const double flashAt = start ? 3.0 : 0.15;
        const double flash = std::exp(-std::abs(t - flashAt) * 5.0);
        Glow(cr, l.ringX, l.ringY, l.ringRadius * 2.6, look_.flash, 0.45 * flash);

        const Box sparkleArea{l.width * 0.08, l.height * 0.14, l.width * 0.84, l.height * 0.62};
        PaintSparkles(cr, sparkleArea, t, start ? 26 : 36, look_.flash, start ? Ramp(2.8, 3.6, t) : 0.9, 11);
    }

private:
    void PaintBeams(cairo_t* cr, const StageLayout& l, double t, bool start) const {
        const int n = look_.beams;
        for (int i = 0; i < n; ++i) {
            const int pair = i / 2;
            const bool left = i % 2 == 0;
            const double side = left ? -1.0 : 1.0;
            // Beams hang from the rig above the picture, spread across its width.
            const double x = l.width * 0.5 + side * l.width * (0.12 + 0.16 * pair);
            const double y = -l.height * 0.08;
            double on = 1.0;
            double swing;
            if (start) {
                const double switchOn = 0.3 + 0.38 * (n / 2 - 1 - pair);
                on = Ramp(switchOn, switchOn + 0.1, t) *
                     (1.0 + 0.9 * std::exp(-std::max(0.0, t - switchOn) * 6.0));
                // Pointing outwards at first, they swing in to meet on the stage.
                const double in = Ramp(switchOn, 3.0, t);
                swing = side * (0.35 - 0.5 * in) + 0.06 * std::sin(t * 1.7 + i);
            } else {
                const double strobe = t < 0.8 ? ((static_cast<int>(t * 12) + i) % 2 ? 1.3 : 0.35) : 1.0;
                on = strobe;
                swing = side * 0.32 * std::sin(t * 2.2 + pair * 0.9) - side * 0.08;
            }
            const double angle = kPi / 2 - side * 0.02 + swing;
            const Rgb colour = (i % 3 == 2) ? look_.flash : look_.beam;
            Beam(cr, x, y, angle, 0.085, l.height * 1.25, colour, 0.55 * on);
            Glow(cr, x, 2, l.width * 0.05, colour, 0.35 * on);
        }
        // Two floor lights throwing their beams up from the sides of the stage.
        for (int side = -1; side <= 1; side += 2) {
            const double x = l.width * 0.5 + side * l.width * 0.47;
            const double y = l.height * 0.74;
            const double on = start ? Ramp(1.9, 2.2, t) : 1.0;
            const double angle = -kPi / 2 - side * (0.45 + 0.15 * std::sin(t * 1.3));
            Beam(cr, x, y, angle, 0.1, l.height * 0.9, look_.accent, 0.35 * on);
        }
    }

    LightsKind kind_;
    LightsLook look_;
    StageLayers stage_;
    GlowLabel title_;
    GlowLabel titleBright_;
};

}  // namespace

std::unique_ptr<Scene> MakeLightsScene(LightsKind kind, int width, int height) {
    return std::make_unique<LightsScene>(kind, width, height);
}

}  // namespace clipgen
