// The top prize: the studio in gold, fireworks, confetti and the amount in large letters.
#include <cmath>

#include "scenes.h"
#include "studio.h"

namespace clipgen {
namespace {

class TopPrizeScene : public Scene {
public:
    TopPrizeScene(int width, int height)
        : stage_(LayoutFor(width, height), palette::kGold),
          title_("TOLARKA", stage_.Layout().discRadius * 0.3, palette::kWhite, palette::kGold),
          prize_("HLAVNÍ VÝHRA", height * 0.045, palette::kIce, palette::kViolet),
          amount_("10 000 000 Kč", height * 0.085, Mix(palette::kGold, palette::kWhite, 0.25),
                  palette::kAmber),
          amountBright_("10 000 000 Kč", height * 0.085, Mix(palette::kGold, palette::kWhite, 0.6),
                        palette::kAmber) {}

    void Paint(cairo_t* cr, double t) override {
        const StageLayout& l = stage_.Layout();
        const double opening = std::exp(-t * 1.5);
        stage_.Paint(cr, 0.9 + 0.1 * std::sin(t * 1.5));

        for (int i = 0; i < 6; ++i) {
            const double side = i % 2 ? 1.0 : -1.0;
            const double x = l.width * 0.5 + side * l.width * (0.08 + 0.12 * (i / 2));
            const double angle = kPi / 2 + side * (0.2 + 0.3 * std::sin(t * (0.6 + 0.15 * (i / 2)) + i));
            const Rgb colour =
                i % 3 == 0 ? palette::kWhite : (i % 3 == 1 ? palette::kGold : palette::kMagenta);
            Beam(cr, x, -l.height * 0.06, angle, 0.07, l.height * 1.3, colour, 0.45);
        }

        // A firework every 0.85 s somewhere above the stage, colours in turn.
        const Rgb colours[4] = {palette::kGold, palette::kCyan, palette::kMagenta, palette::kWhite};
        for (int k = 0; k < 26; ++k) {
            const double at = 0.4 + k * 0.85;
            const double x = l.width * (0.12 + 0.76 * Noise(k, 41));
            const double y = l.height * (0.16 + 0.32 * Noise(k, 42));
            PaintFirework(cr, x, y, t - at, l.height * (0.12 + 0.08 * Noise(k, 43)), colours[k % 4], 50 + k);
        }

        const double flare = 0.5 + 0.5 * std::sin(t * 2.5);
        PaintLampRing(cr, l.ringX, l.ringY, l.ringRadius, 15.0, palette::kGold, flare);
        title_.Paint(cr, l.ringX, l.ringY, 1.0);

        const double title = Ramp(0.6, 1.4, t);
        prize_.Paint(cr, l.width / 2, l.height * 0.77, title);
        const double amount = Ramp(1.0, 1.8, t);
        amount_.Paint(cr, l.width / 2, l.height * 0.865, amount);
        amountBright_.Paint(cr, l.width / 2, l.height * 0.865, amount * flare * 0.6);

        PaintConfetti(cr, Box{0, 0, l.width, l.height}, t, static_cast<int>(36 * Ramp(0.2, 1.5, t)), 61);
        Glow(cr, l.ringX, l.ringY, l.width * 0.8, palette::kWhite, 0.8 * opening);
    }

private:
    StageLayers stage_;
    GlowLabel title_;
    GlowLabel prize_;
    GlowLabel amount_;
    GlowLabel amountBright_;
};

}  // namespace

std::unique_ptr<Scene> MakeTopPrizeScene(int width, int height) {
    return std::make_unique<TopPrizeScene>(width, height);
}

}  // namespace clipgen
