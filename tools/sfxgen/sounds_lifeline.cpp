// Lifeline sounds: the 50:50 sweep, the phone call with its thinking time, the end of the call
// and the audience vote.
#include <algorithm>

#include "tools/sfxgen/catalogue.h"
#include "tools/sfxgen/track.h"
#include "tools/sfxgen/voices.h"

namespace tolarka::sfxgen {

namespace {

using namespace note;
constexpr float Fs6 = 90;

// Fades the last `seconds` of a track to silence (for sounds that are cut by the game's clock).
void FadeTail(Track& t, double fromSecond, double seconds) {
    Samples& d = t.Data();
    const std::size_t from = std::min(ToSamples(fromSecond), d.size());
    const std::size_t len = std::max<std::size_t>(ToSamples(seconds), 1);
    for (std::size_t i = from; i < d.size(); ++i) {
        const float x = 1.0f - static_cast<float>(i - from) / static_cast<float>(len);
        d[i] *= std::max(x, 0.0f);
    }
}

}  // namespace

Samples MakeFiftyFifty() {
    // Two answers vanish: a downward sweep with two falling zaps and a soft landing.
    Track t = Track::OneShot(1.8);
    t.Add(0.0, Whoosh(0.7f, 6000.0f, 300.0f, 0.7f, 91), 0.5f);
    t.Add(0.02, Glide(D6 + 12, D5, 0.32f, 0.003f, 0.08f), 0.3f);
    t.Add(0.27, Glide(A5 + 12, A4, 0.32f, 0.003f, 0.08f), 0.3f);
    t.Add(0.6, Bell(D5, 1.0f), 0.2f);
    t.Add(0.6, Bass(D2 + 12, 0.15f, 0.5f), 0.3f);
    return t.Finish(0.25f, 1.2f);
}

Samples MakeTel() {
    // Ringing while the friend's phone is called (the 3.7 s clip), a click as the call connects,
    // then 30 s of thinking time under a ticking clock, growing tenser towards the end.
    const double connect = 3.7;
    const double limit = connect + 30.0;
    Track t = Track::OneShot(34.0);
    // The ringing stands out above the thinking bed as a sting stands above music, no more.
    t.Add(0.1, PhoneRing(1.1f, D6, Fs6), 0.22f);
    t.Add(2.1, PhoneRing(1.1f, D6, Fs6), 0.22f);
    t.Add(connect - 0.1, Tick(D6 + 12, 1.0f), 0.2f);
    t.Add(connect - 0.05, Glide(A5, D6, 0.12f), 0.15f);

    const float chords[4][3] = {{D3, A3, F4}, {D3, Bb3, F4}, {D3, G3, Bb3}, {Cs3 + 12, E4, A4}};
    const float cutoffs[4] = {600.0f, 850.0f, 1150.0f, 1600.0f};
    for (int section = 0; section < 4; ++section) {
        // Each section is one chord for four bars, a little brighter than the one before.
        const double at = connect + section * 4 * kBarSeconds;
        const float hold = static_cast<float>(std::min(4 * kBarSeconds, limit - at));
        if (hold <= 0.0f) break;
        const Chord chord(std::begin(chords[section]), std::end(chords[section]));
        t.Add(at, Pad(chord, hold, {1.2f, 1.2f, cutoffs[section], 8.0f}), 0.16f);
    }
    for (double at = connect; at < limit; at += kBeatSeconds) {
        const double elapsed = at - connect;
        const float grow = 0.6f + 0.4f * static_cast<float>(elapsed / 30.0);
        const bool tock = static_cast<int>(elapsed / kBeatSeconds + 0.5) % 2 == 1;
        t.Add(at, Tick(tock ? A5 + 12 : D6 + 12, grow), 0.11f);
        t.Add(at, Bass(D2 + 12, 0.3f, 0.3f), 0.13f * grow);
        if (elapsed >= 25.0) {
            // The last five seconds: the clock doubles and a heartbeat joins.
            t.Add(at + kBeatSeconds / 2, Tick(D6 + 12, grow), 0.09f);
            if (static_cast<int>(elapsed / kBeatSeconds + 0.5) % 2 == 0)
                t.Add(at, Timpani(D3, 0.8f, 0.8f), 0.2f);
        }
    }
    FadeTail(t, limit, 34.0 - limit);
    return t.Finish(0.18f, 1.5f);
}

Samples MakeTelEnd() {
    // The friend hangs up: a click and two falling beeps resolving onto D.
    Track t = Track::OneShot(1.5);
    t.Add(0.0, Tick(D6 + 12, 1.0f), 0.35f);
    t.Add(0.1, Glide(A5, A5, 0.16f, 0.005f, 0.03f), 0.3f);
    t.Add(0.35, Glide(D5 + 12, D5 + 12, 0.3f, 0.005f, 0.1f), 0.25f);
    t.Add(0.35, Pad({D4, Fs4, A4}, 0.3f, {0.05f, 0.7f, 1400.0f, 8.0f}), 0.25f);
    return t.Finish(0.2f, 1.0f);
}

Samples MakeAud() {
    // The audience talks it over, votes on their keypads (from 8 s) and the result lands at 14 s.
    const double length = 16.2;
    Track t = Track::OneShot(length);
    Samples crowd = Murmur(static_cast<float>(length), 14, 0xA0D1);
    for (std::size_t i = 0; i < crowd.size(); ++i) {
        const float s = static_cast<float>(i) / kRate;
        float level = std::min(1.0f, s / 0.8f);
        if (s > 8.0f) level *= std::max(0.45f, 1.0f - (s - 8.0f) / 2.0f);
        if (s > 14.0f) level *= std::max(0.25f, 1.0f - (s - 14.0f) / 0.6f);
        crowd[i] *= level;
    }
    t.Add(0.0, crowd, 0.45f);
    // A quiet question bed underneath.
    t.Add(0.0, Pad({D3, A3, F4}, 13.5f, {1.5f, 1.0f, 700.0f, 8.0f}), 0.18f);
    for (double at = 0.5; at < 8.0; at += 1.0) t.Add(at, Bass(D2 + 12, 0.4f, 0.3f), 0.22f);
    // Voting: keypad blips climbing through the chord, quicker and quicker.
    const Chord blips = {D5, F5, A5, D6, A5, F5};
    int k = 0;
    for (double at = 8.0; at < 13.8; ++k) {
        t.Add(at,
              Glide(blips[static_cast<std::size_t>(k) % blips.size()] + 12,
                    blips[static_cast<std::size_t>(k) % blips.size()] + 12, 0.06f, 0.002f, 0.02f),
              0.2f);
        t.Add(at, Tick(D6 + 12, 0.5f), 0.08f);
        at += std::max(0.12, 0.4 - 0.05 * (at - 8.0));
    }
    t.Add(11.0, Whoosh(3.0f, 200.0f, 5000.0f, 0.5f, 101), 0.3f);
    t.Add(12.6, TimpaniRoll(A2, 1.4f, 0.15f, 0.8f), 0.35f);
    // The result.
    t.Add(14.0, Brass({D4, Fs4, A4, D5}, 0.5f, 1.0f, 0.8f), 0.6f);
    t.Add(14.0, Timpani(D3, 1.8f, 1.0f), 0.45f);
    t.Add(14.0, Cymbal(2.0f, 102), 0.2f);
    t.Add(14.0, Bell(A5, 1.8f), 0.15f);
    return t.Finish(0.22f, 1.6f);
}

}  // namespace tolarka::sfxgen
