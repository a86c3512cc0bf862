// Answer boxes, the question frame and the slot bars of the save and load screens.
#include <array>
#include <string>

#include "assets/artwork.h"
#include "assets/palette.h"
#include "assets/studio_box.h"

namespace tolarka::art {
namespace {

constexpr std::array<char, 4> kLetters{'A', 'B', 'C', 'D'};

struct StateLook {
    const char* suffix;
    BoxFill fill;
};
constexpr std::array<StateLook, 3> kStates{
    {{"M", BoxFill::Navy}, {"O", BoxFill::Orange}, {"Z", BoxFill::Green}}};

void DrawLetter(const Painter& p, char letter, double x, double height, BoxFill fill) {
    cairo_t* cr = p.cr();
    const std::string text = std::string(1, letter) + ":";
    const TextStyle style{Face::SansBold, 19, palette::kLetter};
    const double baseline = height / 2 + p.CapHeight(style) / 2;
    if (fill != BoxFill::Navy) {
        // A dark rim keeps the light letter readable on the bright fills.
        p.TextPath(style, text, x, baseline, Align::Left);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        p.Stroke(Hex(0x3A1A00, 0.75), 2.6);
        cairo_new_path(cr);
    }
    p.Text(style, text, x, baseline, Align::Left);
}

Artwork AnswerBox(char letter, const StateLook& state, int width, const std::string& name) {
    return {name, width, 37, true, [=](const Painter& p) {
                const BoxShape shape{static_cast<double>(width), 37, 12, width - 12.0, 3.5, 14};
                DrawStudioBox(p, shape, state.fill);
                DrawLetter(p, letter, 34, 37, state.fill);
            }};
}

}  // namespace

void AddStudioBoxes(ArtworkList& out) {
    for (const StateLook& state : kStates) {
        for (char letter : kLetters) {
            out.push_back(AnswerBox(letter, state, 320, std::string(1, letter) + "-" + state.suffix));
        }
    }

    out.push_back({"ZADANI", 640, 95, true, [](const Painter& p) {
                       const BoxShape shape{640, 95, 10, 630, 7, 40};
                       DrawStudioBox(p, shape, BoxFill::Violet);
                   }});

    for (const StateLook& state : kStates) {
        out.push_back({std::string("FF-") + state.suffix, 640, 37, true, [state](const Painter& p) {
                           const BoxShape shape{640, 37, 12, 628, 3.5, 14};
                           DrawStudioBox(p, shape, state.fill);
                       }});
    }

    // Boxes of the fastest-finger round, which this edition does not play; carried for completeness.
    for (char letter : kLetters) {
        out.push_back(AnswerBox(letter, kStates[0], 360, std::string("FF-R-") + letter));
    }
}

}  // namespace tolarka::art
