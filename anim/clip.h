#pragma once
#include <array>
#include <functional>
#include <string>

#include "platform/clock.h"

namespace tolarka {

// One bar of the audience graph as the game screen drew it.
struct GraphBar {
    std::string caption;  // "42%"
    int top = 0;
    int height = 0;
};

// What the clip screen plays, as data: the clip, its sound, how long the screen stays, and
// what changes on the way. The clip screen knows no game; whoever asks for a clip fills this in.
struct Clip {
    std::string file;   // under the data folder: "/gfx/r1.avi"
    std::string sound;  // "/sfx/ex.wav", or empty
    bool soundAtStart = false;
    double rate = 1.0;
    // The screen closes and hands over after this long.
    platform::Millis length = 0;
    // The amount picture ("c05") shown over the clip; empty: none.
    std::string amount;
    // Every `stepEvery` ms (0: never) the second clip takes the first one's place, and the
    // sound starts again with it when `soundWithSecond`; or, with a graph, its bars come up.
    platform::Millis stepEvery = 0;
    std::string second;
    double secondRate = 1.0;
    bool soundWithSecond = false;
    // The audience graph: bars as the game screen shows them; its frame comes up every
    // `graphEvery` ms (0: never).
    bool graph = false;
    std::array<GraphBar, 4> bars{};
    platform::Millis graphEvery = 0;
    // The continuation runs once the clip screen has closed (and not just before), so that what
    // it opens is not covered by the closing screen.
    bool continueAfterClosing = false;
};

// Plays `clip` on the clip screen without waiting, then calls `then`.
using PlayClip = std::function<void(const Clip& clip, std::function<void()> then)>;

}  // namespace tolarka
