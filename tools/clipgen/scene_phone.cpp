// The call is placed: a ringing handset on the stage, signal waves going out, dialling dots.
#include <cmath>

#include "scenes.h"
#include "studio.h"

namespace clipgen {
namespace {

class PhoneScene : public Scene {
public:
    PhoneScene(int width, int height)
        : stage_(LayoutFor(width, height), palette::kCyan),
          caption_("VOLÁME PŘÍTELI", 26 * stage_.Layout().ringRadius / 118.0, palette::kWhite,
                   palette::kCyan) {}

    void Paint(cairo_t* cr, double t) override {
        const StageLayout& l = stage_.Layout();
        stage_.Paint(cr, 0.55 + 0.1 * std::sin(t * 3.0));
        for (int i = 0; i < 4; ++i) {
            const double side = i % 2 ? 1.0 : -1.0;
            const double x = l.width * 0.5 + side * l.width * (0.15 + 0.2 * (i / 2));
            Beam(cr, x, -l.height * 0.06, kPi / 2 + side * (0.28 + 0.08 * std::sin(t * 1.4 + i)), 0.08,
                 l.height * 1.2, palette::kCyan, 0.35);
        }
        const double cx = l.ringX;
        const double cy = l.ringY;
        const double s = l.ringRadius / 118.0;

        // Waves leave the handset every 0.7 s, growing and fading.
        for (int k = 0; k < 4; ++k) {
            const double age = std::fmod(t + k * 0.7, 2.8);
            const double radius = (40 + age * 55) * s;
            const double alpha = (1.0 - age / 2.8) * Ramp(0.0, 0.3, t);
            for (int side = -1; side <= 1; side += 2) {
                cairo_save(cr);
                cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
                cairo_set_line_width(cr, 5 * s);
                cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
                SetColour(cr, palette::kCyan, 0.7 * alpha);
                const double mid = side < 0 ? kPi : 0.0;
                cairo_arc(cr, cx, cy, radius, mid - 0.5, mid + 0.5);
                cairo_stroke(cr);
                cairo_restore(cr);
            }
        }

        // The handset shakes in short bursts, like a ringing phone.
        const double ringing = std::fmod(t, 1.4) < 0.6 ? 1.0 : 0.0;
        const double shake = 0.12 * ringing * std::sin(t * 60.0);
        Glow(cr, cx, cy, 90 * s, palette::kCyan, 0.35 + 0.25 * ringing);
        PaintHandset(cr, cx, cy, s, -0.35 + shake);

        caption_.Paint(cr, cx, l.height * 0.69, Ramp(0.2, 0.7, t));
        for (int i = 0; i < 3; ++i) {
            const double on = std::fmod(t * 2.5 - i * 0.33, 1.0) < 0.5 ? 1.0 : 0.25;
            const double x = cx + (i - 1) * 24 * s;
            Glow(cr, x, l.height * 0.76, 10 * s, palette::kIce, 0.8 * on * Ramp(0.4, 0.8, t));
        }
    }

private:
    static void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
        cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
        cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
        cairo_arc(cr, x + r, y + r, r, kPi, 1.5 * kPi);
        cairo_close_path(cr);
    }

    static void PaintHandset(cairo_t* cr, double cx, double cy, double s, double tilt) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, tilt);
        cairo_scale(cr, s, s);
        // Grip: a thick curved bar; ear and mouth pieces: wide rounded pads at its ends, turned
        // towards the inside of the curve.
        const double r = 72;
        const double oy = 50;
        const double ends[2] = {kPi * 1.12, kPi * 1.88};
        cairo_new_path(cr);
        cairo_arc(cr, 0, oy, r, ends[0], ends[1]);
        PathPtr grip(cairo_copy_path(cr));
        cairo_new_path(cr);
        for (double a : ends) {
            cairo_save(cr);
            cairo_translate(cr, std::cos(a) * (r - 8), oy + std::sin(a) * (r - 8));
            cairo_rotate(cr, a + kPi / 2);
            RoundedRect(cr, -34, -12, 68, 42, 14);
            cairo_restore(cr);
        }
        PathPtr pads(cairo_copy_path(cr));

        // Dark outline first, then the lit body.
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        SetColour(cr, palette::kNight, 0.9);
        cairo_new_path(cr);
        cairo_append_path(cr, grip.get());
        cairo_set_line_width(cr, 38);
        cairo_stroke(cr);
        cairo_append_path(cr, pads.get());
        cairo_set_line_width(cr, 8);
        cairo_stroke(cr);

        PatternPtr shine(cairo_pattern_create_linear(0, -30, 0, 70));
        cairo_pattern_add_color_stop_rgb(shine.get(), 0, 0.6, 1.0, 0.8);
        cairo_pattern_add_color_stop_rgb(shine.get(), 1, 0.08, 0.55, 0.38);
        cairo_set_source(cr, shine.get());
        cairo_append_path(cr, grip.get());
        cairo_set_line_width(cr, 30);
        cairo_stroke(cr);
        cairo_append_path(cr, pads.get());
        cairo_fill(cr);
        cairo_restore(cr);
    }

    StageLayers stage_;
    GlowLabel caption_;
};

}  // namespace

std::unique_ptr<Scene> MakePhoneScene(int width, int height) {
    return std::make_unique<PhoneScene>(width, height);
}

}  // namespace clipgen
