#include "assets/studio_box.h"

#include "assets/palette.h"

namespace tolarka::art {
namespace {

struct Gradient {
    Color top, middle, bottom;
    double sheen;            // white over the top of the box, fading out before the text band
    double spotlight;        // white across the middle
    double middleAt = 0.48;  // where the middle colour lies, from the top edge (0) to the bottom (1)
};

Gradient GradientOf(BoxFill fill) {
    switch (fill) {
        case BoxFill::Navy: return {Hex(0x14246E), Hex(0x050C3A), Hex(0x02041E), 0.22, 0.04};
        case BoxFill::Violet: return {Hex(0x6A34B8), Hex(0x3A1680), Hex(0x1A0848), 0.26, 0.07};
        // The three states differ in lightness as well as in hue, for eyes that tell red from
        // green poorly: navy darkest, the right answer's deep green in between, the picked
        // answer's orange lightest. The orange is bright at the top edge, like the ladder's
        // marker, and deepens before the text band, where it still carries white text at 4.5 : 1.
        case BoxFill::Orange: return {Hex(0xFFA63C), Hex(0xBE5D00), Hex(0xAC4E00), 0.30, 0.0, 0.22};
        case BoxFill::Green: return {Hex(0x0D4E20), Hex(0x0B481D), Hex(0x093C17), 0.10, 0.0};
    }
    return {};
}

}  // namespace

void DrawStudioBox(const Painter& p, const BoxShape& s, BoxFill fill) {
    cairo_t* cr = p.cr();
    const double mid = s.height / 2;
    const double top = s.inset;
    const double bottom = s.height - s.inset;

    // Lead-in lines, drawn first so the box covers their ends.
    cairo_move_to(cr, 0, mid);
    cairo_line_to(cr, s.left + 2, mid);
    cairo_move_to(cr, s.right - 2, mid);
    cairo_line_to(cr, s.width, mid);
    p.Glow(palette::kCyan, 1.4, 2.5, 4);
    p.Stroke(palette::kCyan, 1.4);
    cairo_new_path(cr);

    // Halo round the box.
    p.Hexagon(s.left, s.right, top, bottom, s.slant);
    p.Glow(palette::kCyan, 2.0, 3.0, 5);
    cairo_new_path(cr);

    const Gradient g = GradientOf(fill);
    p.Hexagon(s.left, s.right, top, bottom, s.slant);
    p.FillLinear(0, top, 0, bottom, {{0.0, g.top}, {g.middleAt, g.middle}, {1.0, g.bottom}});
    cairo_new_path(cr);

    // Sheen on the upper edge, as if lit from above, and a faint spotlight on the middle. The
    // sheen ends above the text band so the white answer text keeps its contrast.
    cairo_save(cr);
    p.Hexagon(s.left + 2, s.right - 2, top + 1.5, bottom - 1.5, s.slant);
    cairo_clip(cr);
    cairo_rectangle(cr, 0, top, s.width, bottom - top);
    p.FillLinear(s.left, 0, s.right, 0,
                 {{0.0, WithAlpha(palette::kWhite, 0.0)},
                  {0.5, WithAlpha(palette::kWhite, g.spotlight)},
                  {1.0, WithAlpha(palette::kWhite, 0.0)}});
    cairo_new_path(cr);
    cairo_rectangle(cr, 0, top, s.width, mid - top);
    p.FillLinear(0, top, 0, mid,
                 {{0.0, WithAlpha(palette::kWhite, g.sheen)}, {0.45, WithAlpha(palette::kWhite, 0.0)}});
    cairo_new_path(cr);
    cairo_restore(cr);

    // Outline: dark inner edge for depth, then the bright cyan line.
    p.Hexagon(s.left + 1.6, s.right - 1.6, top + 1.6, bottom - 1.6, s.slant);
    p.Stroke(Hex(0x000000, 0.35), 1.0);
    cairo_new_path(cr);
    p.Hexagon(s.left, s.right, top, bottom, s.slant);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    if (fill == BoxFill::Green) {
        // The right answer is lit: a thick pale rim, a cue that needs no colour vision.
        p.Stroke(Hex(0xE8FFEE), 3.2);
        cairo_new_path(cr);
        p.Hexagon(s.left + 2.6, s.right - 2.6, top + 2.6, bottom - 2.6, s.slant);
        p.Stroke(WithAlpha(palette::kWhite, 0.55), 1.0);
    } else if (fill == BoxFill::Orange) {
        // The picked answer: a gold rim in place of the studio's cyan.
        p.Stroke(palette::kGold, 2.2);
        p.Stroke(WithAlpha(palette::kOrangeLight, 0.7), 0.8);
    } else {
        p.Stroke(palette::kCyan, 2.0);
        p.Stroke(WithAlpha(palette::kCyanSoft, 0.7), 0.8);
    }
    cairo_new_path(cr);
}

}  // namespace tolarka::art
