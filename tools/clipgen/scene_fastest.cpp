// The fastest-finger intro: strobing lights in four colours and the four answer bars flying in.
#include <cmath>
#include <vector>

#include "scenes.h"
#include "studio.h"

namespace clipgen {
namespace {

class FastestFingerScene : public Scene {
public:
    FastestFingerScene(int width, int height)
        : stage_(LayoutFor(width, height), palette::kViolet),
          title_("ROZSTŘEL", height * 0.08, palette::kWhite, palette::kMagenta) {
        const char* letters[4] = {"A:", "B:", "C:", "D:"};
        for (int i = 0; i < 4; ++i)
            letters_.emplace_back(letters[i], height * 0.075 * 0.55, palette::kGold, kColours[i]);
    }

    void Paint(cairo_t* cr, double t) override {
        const StageLayout& l = stage_.Layout();
        stage_.Paint(cr, 0.5 + 0.3 * Ramp(0.0, 1.0, t));
        for (int i = 0; i < 8; ++i) {
            const double side = i % 2 ? 1.0 : -1.0;
            const double x = l.width * 0.5 + side * l.width * (0.1 + 0.12 * (i / 2));
            const bool on = (static_cast<int>(t * 8) + i) % 3 != 0 || t > 2.4;
            const double angle = kPi / 2 + side * 0.4 * std::sin(t * 3.0 + i);
            Beam(cr, x, -l.height * 0.06, angle, 0.06, l.height * 1.2, kColours[i % 4], on ? 0.5 : 0.1);
        }

        title_.Paint(cr, l.width / 2, l.height * 0.2, Ramp(0.2, 0.8, t));

        for (int i = 0; i < 4; ++i) {
            const double arrive = 0.7 + 0.3 * i;
            const double in = 1.0 - std::pow(1.0 - Ramp(arrive, arrive + 0.45, t), 2.0);
            const double side = i % 2 ? 1.0 : -1.0;
            const double barW = l.width * 0.56;
            const double barH = l.height * 0.075;
            const double x = (l.width - barW) / 2 + side * (1.0 - in) * l.width;
            const double y = l.height * (0.32 + 0.1 * i);
            PaintBar(cr, x, y, barW, barH, kColours[i], letters_[static_cast<std::size_t>(i)]);
        }
        Glow(cr, l.width / 2, l.height * 0.45, l.width * 0.6, palette::kWhite,
             0.5 * std::exp(-std::abs(t - 2.4) * 6));
    }

private:
    static void PaintBar(cairo_t* cr, double x, double y, double w, double h, const Rgb& colour,
                         const GlowLabel& letter) {
        const double tip = h * 0.5;
        cairo_new_path(cr);
        cairo_move_to(cr, x, y + h / 2);
        cairo_line_to(cr, x + tip, y);
        cairo_line_to(cr, x + w - tip, y);
        cairo_line_to(cr, x + w, y + h / 2);
        cairo_line_to(cr, x + w - tip, y + h);
        cairo_line_to(cr, x + tip, y + h);
        cairo_close_path(cr);
        PatternPtr fill(cairo_pattern_create_linear(0, y, 0, y + h));
        cairo_pattern_add_color_stop_rgb(fill.get(), 0, 0.08, 0.1, 0.35);
        cairo_pattern_add_color_stop_rgb(fill.get(), 1, 0.02, 0.03, 0.14);
        cairo_set_source(cr, fill.get());
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 2.0);
        SetColour(cr, colour, 0.95);
        cairo_stroke(cr);
        letter.Paint(cr, x + tip + h * 0.6, y + h / 2, 1.0);
    }

    static constexpr Rgb kColours[4] = {palette::kCyan, palette::kMagenta, palette::kGold, palette::kViolet};

    StageLayers stage_;
    GlowLabel title_;
    std::vector<GlowLabel> letters_;
};

}  // namespace

std::unique_ptr<Scene> MakeFastestFingerScene(int width, int height) {
    return std::make_unique<FastestFingerScene>(width, height);
}

}  // namespace clipgen
