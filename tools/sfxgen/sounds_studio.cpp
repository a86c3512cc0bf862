// Studio sounds: the horn before saving, the end of a game, and the lights that go up before a
// game and after a right answer.
#include "tools/sfxgen/catalogue.h"
#include "tools/sfxgen/track.h"
#include "tools/sfxgen/voices.h"

namespace tolarka::sfxgen {

namespace {
using namespace note;
}  // namespace

Samples MakeKlakson() {
    // A stadium horn on D major, held a little over a second.
    Track t = Track::OneShot(2.0);
    t.Add(0.0, Horn({D4, Fs4, A4}, 1.2f), 0.7f);
    return t.Finish(0.2f, 1.0f);
}

Samples MakeEx() {
    // End of the game: a reflective cadence Dm Bb Gm A to D major, one chord a second.
    Track t = Track::OneShot(7.4);
    const float chords[5][3] = {{D4, F4, A4}, {D4, F4, Bb4}, {D4, G4, Bb4}, {Cs4, E4, A4}, {D4, Fs4, A4}};
    const float roots[5] = {D2, Bb2 - 12, G2 - 12, A2 - 12, D2};
    for (int c = 0; c < 5; ++c) {
        const Chord chord(std::begin(chords[c]), std::end(chords[c]));
        const bool last = c == 4;
        t.Add(c * 1.0, Pad(chord, last ? 2.0f : 1.0f, {0.25f, last ? 1.6f : 0.5f, 1500.0f, 9.0f}), 0.35f);
        t.Add(c * 1.0, Bass(roots[c] + 12, last ? 1.5f : 0.9f, 0.4f), 0.4f);
    }
    const Chord tune = {A5, F5, D5, F5, G5, Bb5, A5, E5};
    for (std::size_t i = 0; i < tune.size(); ++i)
        t.Add(0.5 * static_cast<double>(i), Bell(tune[i], 1.4f), 0.16f);
    t.Add(4.0, Bell(D6, 2.6f), 0.2f);
    t.Add(4.0, Bell(A5, 2.6f), 0.12f);
    t.Add(4.0, Brass({D4, Fs4, A4, D5}, 1.4f, 0.6f, 1.4f), 0.3f);
    t.Add(4.0, Timpani(D3, 2.0f, 0.7f), 0.35f);
    t.Add(3.0, TimpaniRoll(A2, 0.9f, 0.1f, 0.5f), 0.3f);
    return t.Finish(0.3f, 2.0f);
}

Samples MakeLights() {
    // Before a game: three banks of lights come on with rising booms, then a chord swells.
    Track t = Track::OneShot(4.7);
    t.Add(0.0, Pad({D2, D3}, 3.2f, {1.5f, 1.0f, 250.0f, 8.0f}), 0.35f);
    const float drums[3] = {D2 + 12, A2, D3};
    for (int k = 0; k < 3; ++k) {
        const double at = 0.3 + k * 0.9;
        t.Add(at, Thump(0.7f + 0.15f * static_cast<float>(k), 200 + static_cast<std::uint64_t>(k)), 0.5f);
        t.Add(at, Timpani(drums[k], 1.3f, 0.9f), 0.4f);
        t.Add(at - 0.25, Whoosh(0.35f, 400.0f, 3000.0f, 0.5f, 210 + static_cast<std::uint64_t>(k)), 0.2f);
    }
    t.Add(2.6, Pad({D4, A4, D5, F5}, 1.3f, {0.7f, 0.7f, 3000.0f, 10.0f}), 0.3f);
    t.Add(3.2, Brass({D4, A4, D5, F5}, 0.7f, 1.1f, 0.6f), 0.45f);
    t.Add(3.2, Timpani(D3, 1.4f, 1.0f), 0.45f);
    t.Add(3.2, Cymbal(1.4f, 220), 0.22f);
    return t.Finish(0.28f, 1.6f);
}

Samples MakeLights2() {
    // After a right answer: a rush upwards, two booms and a bright D major stab.
    Track t = Track::OneShot(3.8);
    t.Add(0.0, Whoosh(0.9f, 300.0f, 5000.0f, 0.55f, 301), 0.35f);
    t.Add(0.8, Thump(0.8f, 302), 0.45f);
    t.Add(0.8, Timpani(A2, 1.0f, 0.8f), 0.35f);
    t.Add(1.3, Thump(1.0f, 303), 0.45f);
    t.Add(1.3, Timpani(D3, 1.6f, 1.0f), 0.4f);
    t.Add(1.3, Brass({D4, Fs4, A4, D5}, 0.6f, 1.2f, 0.7f), 0.45f);
    t.Add(1.3, Cymbal(1.8f, 304), 0.2f);
    for (int k = 0; k < 4; ++k) {
        t.Add(1.3 + 0.07 * k, Bell(std::vector<float>{D5, Fs5, A5, D6}[static_cast<std::size_t>(k)], 1.2f),
              0.14f);
    }
    t.Add(1.3, Pad({D4, Fs4, A4}, 0.8f, {0.05f, 1.4f, 1600.0f, 8.0f}), 0.2f);
    return t.Finish(0.28f, 1.5f);
}

}  // namespace tolarka::sfxgen
