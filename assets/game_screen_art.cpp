// Design pictures of the game screen: the audience graph backdrop and the in-game menu buttons.
#include <array>
#include <string>

#include "assets/artwork.h"
#include "assets/palette.h"

namespace tolarka::art {
namespace {

// Graph geometry in pixels. The bars stand on the bottom line and rise 1.6 px per percent, so
// the lines sit 16 px (10 %) apart from the top line (100 %) to the bottom line (0 %).
constexpr int kGraphWidth = 160;
constexpr int kGraphHeight = 210;
constexpr int kGridTop = 24;
constexpr int kGridBottom = 184;
constexpr int kGridLeft = 17;
constexpr int kGridRight = 145;
constexpr int kGridStep = 16;
constexpr std::array<int, 4> kBarCentres{33, 65, 97, 129};  // bars 17 px wide at 25, 57, 89, 121

void DrawAudienceGraph(const Painter& p) {
    cairo_t* cr = p.cr();
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);

    // A faint navy wash inside the grid, darker towards the bottom.
    cairo_rectangle(cr, kGridLeft, kGridTop, kGridRight - kGridLeft, kGridBottom - kGridTop);
    p.FillLinear(0, kGridTop, 0, kGridBottom, {{0.0, Hex(0x0A1040)}, {1.0, Hex(0x02030E)}});
    cairo_new_path(cr);

    for (int y = kGridTop; y <= kGridBottom; y += kGridStep) {
        cairo_move_to(cr, kGridLeft, y + 0.5);
        cairo_line_to(cr, kGridRight + 1, y + 0.5);
    }
    for (int x = kGridLeft; x <= kGridRight; x += kGridStep) {
        cairo_move_to(cr, x + 0.5, kGridTop);
        cairo_line_to(cr, x + 0.5, kGridBottom + 1);
    }
    p.Stroke(Hex(0x1F3AA8), 1.0);
    cairo_new_path(cr);

    // Bright-blue frame on pixel columns 5 and 157, rows 2 and 206.
    cairo_rectangle(cr, 5.5, 2.5, 152, 204);
    p.Stroke(Hex(0x3F86FF), 1.0);
    cairo_new_path(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);

    const TextStyle letters{Face::SansBold, 14, palette::kGold};
    const std::array<const char*, 4> names{"A", "B", "C", "D"};
    for (std::size_t i = 0; i < names.size(); ++i) p.TextCentred(letters, names[i], kBarCentres[i], 196);
    for (std::size_t i = 0; i + 1 < kBarCentres.size(); ++i) {
        p.Ellipse((kBarCentres[i] + kBarCentres[i + 1]) / 2.0, 196, 1.6, 1.6);
        p.FillSolid(palette::kGold);
        cairo_new_path(cr);
    }
}

void DrawMenuButton(const Painter& p, int width, const std::string& text, bool dark) {
    cairo_t* cr = p.cr();
    p.RoundedRect(0.5, 0.5, width - 1, 19, 4);
    if (dark) {
        p.FillLinear(0, 0, 0, 20, {{0.0, Hex(0x24379E)}, {0.5, Hex(0x0C185E)}, {1.0, Hex(0x050A38)}});
    } else {
        // Light blue, yet dark enough for the white label (4.5 : 1 at the top of the letters).
        p.FillLinear(0, 0, 0, 20, {{0.0, Hex(0x3A74E0)}, {0.5, Hex(0x2A5CC8)}, {1.0, Hex(0x183C90)}});
    }
    p.Stroke(palette::kCyan, 1.0);
    cairo_new_path(cr);
    p.RoundedRect(2, 1.5, width - 4, 8, 3);
    p.FillLinear(0, 1, 0, 10, {{0.0, Hex(0xFFFFFF, 0.18)}, {0.6, Hex(0xFFFFFF, 0.0)}});
    cairo_new_path(cr);
    const TextStyle style{Face::SansBold, 12, palette::kWhite};
    p.TextCentred({style.face, style.px, Hex(0x000020, 0.6)}, text, width / 2.0 + 0.8, 10.8);
    p.TextCentred(style, text, width / 2.0, 10);
}

}  // namespace

void AddGameScreenArt(ArtworkList& out) {
    out.push_back({"NDIV-GRAF", kGraphWidth, kGraphHeight, false, DrawAudienceGraph});
    out.push_back({"HRA-MENU", 69, 20, true, [](const Painter& p) { DrawMenuButton(p, 69, "MENU", true); }});
    out.push_back({"HRA-ULOZIT", 135, 20, false,
                   [](const Painter& p) { DrawMenuButton(p, 135, "ULOŽIT HRU", false); }});
    out.push_back({"HRA-UKONCIT", 152, 20, false,
                   [](const Painter& p) { DrawMenuButton(p, 152, "UKONČIT HRU", false); }});
}

}  // namespace tolarka::art
