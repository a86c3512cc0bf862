// The end of a game: the lights swing down and go out one after another, the lamp ring empties,
// and the studio settles into a dim navy while the amount won stays on screen.
#include <cmath>

#include "scenes.h"
#include "studio.h"

namespace clipgen {
namespace {

class GameOverScene : public Scene {
public:
    GameOverScene(int width, int height)
        : stage_(LayoutFor(width, height), palette::kCyan),
          title_("TOLARKA", stage_.Layout().discRadius * 0.3, palette::kIce, palette::kCyan),
          ending_("KONEC HRY", height * 0.05, palette::kWhite, palette::kViolet) {}

    void Paint(cairo_t* cr, double t) override {
        const StageLayout& l = stage_.Layout();
        stage_.Paint(cr, 1.0 - 0.8 * Ramp(1.0, 6.5, t));

        for (int i = 0; i < 6; ++i) {
            const int pair = i / 2;
            const double side = i % 2 ? 1.0 : -1.0;
            const double x = l.width * 0.5 + side * l.width * (0.12 + 0.16 * pair);
            // Outer lights go first; each dips towards the floor as it fades.
            const double out = 1.2 + 1.1 * (2 - pair);
            const double fade = 1.0 - Ramp(out, out + 0.9, t);
            const double angle =
                kPi / 2 + side * (0.25 - 0.25 * Ramp(0.0, out + 0.9, t)) + 0.04 * std::sin(t + i);
            Beam(cr, x, -l.height * 0.06, angle, 0.08, l.height * 1.25, palette::kIce, 0.5 * fade);
            Glow(cr, x, 2, l.width * 0.05, palette::kIce, 0.35 * fade);
        }

        const double lit = 15.0 * (1.0 - Clamp01((t - 1.5) / 4.0));
        PaintLampRing(cr, l.ringX, l.ringY, l.ringRadius, lit, palette::kCyan, 0.0);
        title_.Paint(cr, l.ringX, l.ringY, 1.0 - 0.6 * Ramp(4.0, 7.0, t));
        ending_.Paint(cr, l.width / 2, l.height * 0.765, Ramp(1.5, 2.5, t));
        Glow(cr, l.floorX, l.floorY, l.floorRx * 0.8, palette::kViolet, 0.25 * Ramp(4.0, 7.0, t));
    }

private:
    StageLayers stage_;
    GlowLabel title_;
    GlowLabel ending_;
};

}  // namespace

std::unique_ptr<Scene> MakeGameOverScene(int width, int height) {
    return std::make_unique<GameOverScene>(width, height);
}

}  // namespace clipgen
