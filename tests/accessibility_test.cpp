// The states the game shows by colour must also differ in lightness, for every kind of colour
// vision, and its texts must be readable against what lies behind them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "colour_vision.h"
#include "platform/sdl/offscreen_canvas.h"
#include "playing_world.h"
#include "tests/decoded_picture.h"

using namespace tolarka;
using namespace tolarka::testing;

namespace {

double LightnessFor(const Rgba& p, Vision vision) {
    return LightnessOf(Luminance(Simulate(LinearOf(p.r, p.g, p.b), vision)));
}

// Mean lightness (L*, perceptually even) of a box's fill, the band the answer text sits on,
// as seen with `vision`.
double FillLightness(const DecodedPicture& s, Vision vision) {
    double sum = 0;
    int n = 0;
    for (int y = 8; y < s.Height() - 8; ++y)
        for (int x = 80; x < s.Width() - 40; ++x) {
            const Rgba p = s.At(x, y);
            if (p.a < 255) continue;
            sum += LightnessFor(p, vision);
            ++n;
        }
    return n == 0 ? -1 : sum / n;
}

// Contrast of a white label's glyphs against what the screen shows beneath them: the screen is
// drawn with and without the label's text, and the glyphs are where the two differ. The
// lightest background pixel under a glyph counts, so a bright sheen cannot hide.
double TextContrast(PlayingWorld& w, platform::Label& label) {
    const std::string with = w.Path("with.png").string(), without = w.Path("without.png").string();
    EXPECT_TRUE(w.backend.Screenshot(with));
    const std::string caption = label.Caption();
    label.SetCaption("");
    EXPECT_TRUE(w.backend.Screenshot(without));
    label.SetCaption(caption);
    const auto a = DecodedPicture::File(with), b = DecodedPicture::File(without);
    if (!a || !b) return 0;
    std::vector<double> background;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) {
            const Rgba p = a.At(x, y), q = b.At(x, y);
            // Solid glyph pixels only: the text colour (white) mostly covers the background.
            if (std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) < 120) continue;
            if (p.r < 230 || p.g < 230 || p.b < 230) continue;
            background.push_back(Luminance(LinearOf(q.r, q.g, q.b)));
        }
    if (background.size() < 20) return 0;
    std::sort(background.begin(), background.end());
    const double worst = background[background.size() * 95 / 100];
    return Contrast(1.0, worst);
}

}  // namespace

// The answer boxes' and the save and load slots' rest (M), picked (O) and right (Z) must be told
// apart by lightness alone: the picked orange lightest, the right answer's green between it and
// the navy of the rest. A used lifeline must look used without colour vision: the crossed icon
// differs from the plain one, pixel by pixel, by a clear mean lightness difference.
TEST(ColourStates, AnswerStatesAndUsedLifelinesDifferInLightnessForEveryVision) {
    for (const auto& [v, vision] : {std::pair{Vision::Normal, "normal"},
                                    {Vision::Deuteranopia, "deuteranopia"},
                                    {Vision::Protanopia, "protanopia"}}) {
        SCOPED_TRACE(vision);
        for (const std::string box : {"A", "B", "C", "D", "FF"}) {
            const auto m = DecodedPicture::Named(box + "-M"), o = DecodedPicture::Named(box + "-O"),
                       z = DecodedPicture::Named(box + "-Z");
            ASSERT_TRUE(m && o && z) << box;
            const double lm = FillLightness(m, v), lo = FillLightness(o, v), lz = FillLightness(z, v);
            SCOPED_TRACE(box + ": L* " + std::to_string(lm) + ", " + std::to_string(lo) + ", " +
                         std::to_string(lz));
            EXPECT_GE(lo - lz, 15);
            EXPECT_GE(lz - lm, 15);
        }
        for (const std::string name : {"N-5050", "N-DIV", "N-TEL"}) {
            const auto plain = DecodedPicture::Named(name), used = DecodedPicture::Named(name + "X");
            ASSERT_TRUE(plain && used) << name;
            double sum = 0;
            int n = 0;
            for (int y = 0; y < plain.Height(); ++y)
                for (int x = 0; x < plain.Width(); ++x) {
                    const Rgba a = plain.At(x, y), b = used.At(x, y);
                    if (a.a < 255) continue;
                    sum += std::abs(LightnessFor(a, v) - LightnessFor(b, v));
                    ++n;
                }
            EXPECT_GE(sum / n, 15) << name;
        }
    }
}

TEST(TextContrast, QuestionAndAnswersAreReadableInEveryState) {
    PlayingWorld w;
    platform::sdl::OffscreenCanvas canvas(w.backend.Metrics());
    w.backend.SetCanvas(&canvas);
    w.WaitForInput();
    EXPECT_GE(TextContrast(w, w.Main().lblZadani()), 4.5);
    for (int i = 0; i < 4; ++i) EXPECT_GE(TextContrast(w, w.Main().lblAnswer(i)), 4.5) << "answer " << i;

    // Pick A (wrong: B is right), then look at the picked box and, after the reveal, the right one.
    const Millis picked = w.Answer('A');
    w.rt.RunUntil(picked + 100);
    EXPECT_GE(TextContrast(w, w.Main().lblAnswer(0)), 4.5);
    ASSERT_TRUE(w.RunUntilLogged("picture B-Z", picked, 8000)) << "the right answer was never shown";
    EXPECT_GE(TextContrast(w, w.Main().lblAnswer(1)), 4.5);
}
