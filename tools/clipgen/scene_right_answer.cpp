// A right answer: a burst of light from the stage, rays turning round it, a shock ring, sparkles.
// The middle band's clip is violet and gold with a second burst. The strip along the bottom where
// the game lays the amount picture gets only soft light.
#include <cmath>

#include "scenes.h"
#include "studio.h"

namespace clipgen {
namespace {

struct RightLook {
    Rgb accent;
    Rgb rays;
    Rgb flash;
    int rayCount;
    double secondBurst;  // seconds, or negative for none
};

RightLook LookOf(RightKind kind) {
    if (kind == RightKind::Middle) return {palette::kViolet, palette::kGold, palette::kWhite, 12, 1.8};
    return {palette::kCyan, palette::kIce, palette::kWhite, 10, -1};
}

class RightAnswerScene : public Scene {
public:
    RightAnswerScene(RightKind kind, int width, int height)
        : look_(LookOf(kind)),
          stage_(LayoutFor(width, height), look_.accent),
          caption_("SPRÁVNĚ", stage_.Layout().discRadius * 0.3, palette::kWhite, look_.rays) {}

    void Paint(cairo_t* cr, double t) override {
        const StageLayout& l = stage_.Layout();
        double burst = std::exp(-t * 3.0);
        double since = t;
        if (look_.secondBurst > 0 && t >= look_.secondBurst) {
            burst += 0.8 * std::exp(-(t - look_.secondBurst) * 3.0);
            since = t - look_.secondBurst;
        }
        stage_.Paint(cr, 0.8 + 0.2 * std::min(1.0, burst));

        // Rays turning slowly round the stage centre.
        const double rayAlpha = 0.18 + 0.45 * std::min(1.0, burst);
        for (int i = 0; i < look_.rayCount; ++i) {
            const double a = i * 2 * kPi / look_.rayCount + t * 0.35;
            Beam(cr, l.ringX, l.ringY, a, 0.05, l.width * 0.75, i % 2 ? look_.rays : look_.accent, rayAlpha);
        }
        // Top lights cross over the stage.
        for (int i = 0; i < 4; ++i) {
            const double side = i % 2 ? 1.0 : -1.0;
            const double x = l.width * 0.5 + side * l.width * (0.2 + 0.18 * (i / 2));
            const double angle = kPi / 2 + side * 0.3 * std::cos(t * 1.8 + i);
            Beam(cr, x, -l.height * 0.06, angle, 0.08, l.height * 1.2, look_.rays, 0.4);
        }

        const double ring = Ramp(0.0, 0.9, since);
        RingStroke(cr, l.ringX, l.ringY, l.ringRadius * (0.8 + 2.6 * ring),
                   l.ringRadius * (0.8 + 2.6 * ring) * 0.8, 3.0, look_.rays, 0.9 * (1.0 - ring));

        const double chase = std::fmod(t * 12.0, 15.0);
        PaintLampRing(cr, l.ringX, l.ringY, l.ringRadius, 15.0, look_.accent, std::min(1.0, burst));
        const double a = kPi * (0.5 + 1.0 / 6) + chase * (kPi * 5.0 / 3.0) / 14;
        Glow(cr, l.ringX + std::cos(a) * l.ringRadius, l.ringY + std::sin(a) * l.ringRadius,
             l.ringRadius * 0.3, look_.rays, 0.8);

        caption_.Paint(cr, l.ringX, l.ringY, Ramp(0.1, 0.5, t));
        Glow(cr, l.ringX, l.ringY, l.width * 0.7, look_.flash, 0.7 * burst);

        const Box area{l.width * 0.06, l.height * 0.13, l.width * 0.88, l.height * 0.62};
        PaintSparkles(cr, area, t, 40, look_.rays, 1.0, 31);
    }

private:
    RightLook look_;
    StageLayers stage_;
    GlowLabel caption_;
};

}  // namespace

std::unique_ptr<Scene> MakeRightAnswerScene(RightKind kind, int width, int height) {
    return std::make_unique<RightAnswerScene>(kind, width, height);
}

}  // namespace clipgen
