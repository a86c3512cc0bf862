#include "game/show_cues.h"

#include <algorithm>
#include <cstdio>

namespace tolarka {

using platform::Millis;

namespace {
constexpr RightClip kSmall = RightClip::Small;
constexpr RightClip kSafe = RightClip::Milestone;
constexpr RightClip kLights = RightClip::Lights;
constexpr RightClip kTop = RightClip::TopPrize;
}  // namespace

// clang-format off
const std::array<LevelCues, 16> kLevelCues{{
    //  pause  right     wrong      music       studio       starts pick   through clip    lights            wrong
    {0,     "",       "",        "",         "",          false, false, false, kSmall,  "",               0},
    {2000,  "r1.wav", "w1.wav",  "bgm1.wav", "fade1.avi", true,  false, true,  kSmall,  "",               3300},
    {3000,  "r1.wav", "w1.wav",  "bgm1.wav", "fade1.avi", false, false, true,  kSmall,  "",               3300},
    {4000,  "r1.wav", "w1.wav",  "bgm1.wav", "fade1.avi", false, false, true,  kSmall,  "",               3300},
    {5000,  "r1.wav", "w1.wav",  "bgm1.wav", "fade1.avi", false, false, true,  kSmall,  "",               3300},
    {6500,  "zb.wav", "w1.wav",  "bgm1.wav", "fade1.avi", false, false, false, kSafe,   "",               3300},
    {7000,  "r2.wav", "w1.wav",  "bgm2.wav", "fade2.avi", true,  true,  false, kLights, "lights-r2.avi",  3300},
    {8000,  "r2.wav", "w23.wav", "bgm2.wav", "fade2.avi", true,  true,  false, kLights, "lights-r2.avi",  3300},
    {9500,  "r2.wav", "w23.wav", "bgm2.wav", "fade2.avi", true,  true,  false, kLights, "lights-r2.avi",  3300},
    {11000, "r2.wav", "w23.wav", "bgm2.wav", "fade2.avi", true,  true,  false, kLights, "lights-r2.avi",  3300},
    {13000, "zb.wav", "w23.wav", "bgm2.wav", "fade2.avi", true,  true,  false, kSafe,   "",               3300},
    {14500, "r3.wav", "w23.wav", "bgm3.wav", "fade3.avi", true,  true,  false, kLights, "lights-r3.avi",  3300},
    {16000, "r3.wav", "w23.wav", "bgm3.wav", "fade3.avi", true,  true,  false, kLights, "lights-r3.avi",  3300},
    {17500, "r3.wav", "w23.wav", "bgm3.wav", "fade3.avi", true,  true,  false, kLights, "lights-r3.avi",  3300},
    {19000, "r3.wav", "w23.wav", "bgm3.wav", "fade3.avi", true,  true,  false, kLights, "lights-r3.avi",  3300},
    {20000, "r4.wav", "w4.wav",  "bgm4.wav", "fade3.avi", true,  true,  false, kTop,    "",               6900},
}};
// clang-format on

const LevelCues& CuesOf(int level) { return kLevelCues[static_cast<size_t>(std::clamp(level, 1, 15))]; }

namespace {
std::string AmountPicture(const GameState& game) {
    char amount[8];
    std::snprintf(amount, sizeof amount, "c%02d", game.WonLevel);
    return amount;
}
}  // namespace

Clip RightAnswerClip(const GameState& game) {
    Clip c;
    switch (CuesOf(game.Level).clip) {
        case RightClip::Small:
            c.file = "/gfx/r1.avi";
            c.length = 4000;
            c.amount = AmountPicture(game);
            break;
        case RightClip::Milestone:
            c.file = "/gfx/r23.avi";
            c.rate = 0.8;
            c.length = 9550;
            c.amount = AmountPicture(game);
            c.stepEvery = 4500;
            c.second = "/gfx/lights-st.avi";
            c.secondRate = 0.8;
            break;
        case RightClip::Lights:
            c.file = "/gfx/r23.avi";
            c.sound = "/sfx/lights2.wav";
            // Saving after this answer: the amount alone, and on to the save screen sooner.
            c.length = game.SaveAfterAnswer ? 3000 : 6600;
            c.stepEvery = game.SaveAfterAnswer ? 0 : 3000;
            c.amount = AmountPicture(game);
            c.second = std::string("/gfx/") + CuesOf(game.Level).lights;
            c.soundWithSecond = true;
            break;
        case RightClip::TopPrize:
            c.file = "/gfx/r4.avi";
            c.length = 19800;
            break;
    }
    return c;
}

Clip ExitClip(const GameState& game) {
    Clip c;
    c.file = "/gfx/ex.avi";
    c.sound = "/sfx/ex.wav";
    c.soundAtStart = true;
    c.length = 7200;
    c.amount = AmountPicture(game);
    return c;
}

Clip StartClip() {
    Clip c;
    c.file = "/gfx/lights-st.avi";
    c.sound = "/sfx/lights.wav";
    c.soundAtStart = true;
    c.rate = 0.8;
    c.length = 4500;
    return c;
}

Clip AudienceClip(const std::array<GraphBar, 4>& bars) {
    Clip c;
    c.file = "/gfx/aud.avi";
    c.sound = "/sfx/aud.wav";
    c.soundAtStart = true;
    c.length = 16000;
    c.graph = true;
    c.bars = bars;
    c.stepEvery = 14000;
    c.graphEvery = 8000;
    return c;
}

Clip PhoneClip() {
    Clip c;
    c.file = "/gfx/tel.avi";
    c.length = 3700;
    c.continueAfterClosing = true;
    return c;
}

}  // namespace tolarka
