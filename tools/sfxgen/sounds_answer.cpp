// Lock-in, right and wrong answer stings and the safe-level fanfare. Each one lasts as long as
// the game leaves it alone (see docs/sounds.md): the loud part is short, the rest rings out.
#include "tools/sfxgen/catalogue.h"
#include "tools/sfxgen/track.h"
#include "tools/sfxgen/voices.h"

namespace tolarka::sfxgen {

namespace {

using namespace note;
constexpr float B4 = 71, B5 = 83, Fs6 = 90, Ab3 = 56, A1 = 33, D1 = 26;

const Chord kDMajor = {D4, Fs4, A4, D5};
const Chord kDMajorHigh = {D5, Fs5, A5, D6};

// Rising sparkle of bells over a chord.
void Sparkle(Track& t, double at, const Chord& notes, double gap, float gain) {
    for (std::size_t i = 0; i < notes.size(); ++i) {
        t.Add(at + gap * static_cast<double>(i), Bell(notes[i], 1.6f), gain);
    }
}

// A long, quiet tail that carries the chord while the amount is shown.
void Afterglow(Track& t, double at, const Chord& notes, float hold, float gain) {
    t.Add(at, Pad(notes, hold, {0.05f, 2.5f, 1600.0f, 8.0f}), gain);
}

}  // namespace

Samples MakeSel() {
    // The answer is locked in: a hard stab, then a suspense bed until the reveal (up to 20 s).
    const double length = 20.5;
    Track t = Track::OneShot(length);
    t.Add(0.0, Brass({D4, F4, A4, D5}, 0.22f, 1.0f, 0.5f), 0.55f);
    t.Add(0.0, Timpani(D2 + 12, 2.0f, 1.0f), 0.6f);
    t.Add(0.0, Thump(0.7f), 0.4f);
    t.Add(0.0, Cymbal(2.5f, 7), 0.15f);
    // Low drone, fading in under the stab.
    t.Add(0.3,
          Pad({D2 + 12, A2 + 12, D3 + 12}, static_cast<float>(length) - 1.3f, {2.5f, 1.0f, 500.0f, 6.0f}),
          0.35f);
    // High trembling fifth that slowly creeps in.
    t.Add(2.0, Pad({A5, D6}, static_cast<float>(length) - 3.0f, {8.0f, 1.0f, 3000.0f, 5.0f, 6.0f, 0.6f}),
          0.08f);
    // Heartbeat every second, a little stronger as the wait goes on.
    for (double beat = 2.0; beat < length - 0.8; beat += 1.0) {
        const float grow = 0.35f + 0.45f * static_cast<float>(beat / length);
        t.Add(beat, Timpani(D2 + 12, 0.8f, grow), 0.5f);
        t.Add(beat + 0.22, Timpani(D2 + 12, 0.7f, grow * 0.6f), 0.45f);
    }
    // Clock ticks on the off-beats.
    for (double tick = 2.5; tick < length - 0.5; tick += 1.0) t.Add(tick, Tick(A5 + 12, 0.6f), 0.08f);
    return t.Finish(0.2f);
}

Samples MakeR1() {
    // Right answer, levels 1-4: a bright major "ta-da" over the running music, then a soft glow.
    Track t = Track::OneShot(6.4);
    t.Add(0.0, Brass({A4, D5, Fs5}, 0.10f, 1.1f, 0.2f), 0.45f);
    t.Add(0.16, Brass(kDMajorHigh, 0.55f, 1.1f, 0.8f), 0.5f);
    t.Add(0.0, Timpani(D3, 1.5f, 0.7f), 0.4f);
    Sparkle(t, 0.16, {D5, Fs5, A5, D6}, 0.07, 0.22f);
    Afterglow(t, 0.16, kDMajor, 1.0f, 0.2f);
    return t.Finish(0.3f, 2.0f);
}

Samples MakeR2() {
    // Right answer, levels 6-9: dominant to tonic, with drum and cymbal.
    Track t = Track::OneShot(5.4);
    t.Add(0.0, Brass({A4, Cs5, E5}, 0.14f, 1.0f, 0.2f), 0.45f);
    t.Add(0.0, Timpani(A2, 1.2f, 0.8f), 0.4f);
    t.Add(0.28, Brass(kDMajorHigh, 0.8f, 1.15f, 0.9f), 0.5f);
    t.Add(0.28, Timpani(D3, 1.8f, 1.0f), 0.5f);
    t.Add(0.28, Cymbal(2.2f, 21), 0.22f);
    Sparkle(t, 0.28, {A5, D6, Fs6}, 0.08, 0.2f);
    Afterglow(t, 0.28, kDMajor, 1.2f, 0.22f);
    return t.Finish(0.3f, 2.0f);
}

Samples MakeR3() {
    // Right answer, levels 11-14: three rising chords, Bb C D, the last one held.
    Track t = Track::OneShot(5.4);
    t.Add(0.0, Brass({Bb4, D5, F5}, 0.12f, 1.0f, 0.15f), 0.42f);
    t.Add(0.0, Timpani(Bb2, 1.0f, 0.7f), 0.35f);
    t.Add(0.25, Brass({C5, E5, G5}, 0.12f, 1.05f, 0.15f), 0.45f);
    t.Add(0.25, Timpani(C3, 1.0f, 0.8f), 0.4f);
    t.Add(0.5, Brass({D4, A4, D5, Fs5, A5}, 1.0f, 1.2f, 1.0f), 0.55f);
    t.Add(0.5, Timpani(D3, 2.0f, 1.0f), 0.5f);
    t.Add(0.5, Thump(0.6f), 0.25f);
    t.Add(0.5, Cymbal(2.4f, 23), 0.25f);
    Sparkle(t, 0.5, {D6, A5, Fs5, D5}, 0.06, 0.18f);
    Afterglow(t, 0.5, kDMajor, 1.4f, 0.22f);
    return t.Finish(0.3f, 2.2f);
}

Samples MakeZb() {
    // Safe level reached: a fanfare, then a warm bed for the amount clip, and a closing chord.
    Track t = Track::OneShot(12.0);
    // "Da-da-da-daaa"
    for (double at : {0.0, 0.2, 0.4}) t.Add(at, Brass({D5, A4}, 0.1f, 1.0f, 0.1f), 0.4f);
    t.Add(0.6, Brass({D4, Fs4, A4, A5}, 1.1f, 1.1f, 0.4f), 0.5f);
    t.Add(0.6, Timpani(D3, 1.6f, 0.9f), 0.45f);
    t.Add(2.0, Brass({G4, B4, D5}, 0.4f, 1.0f, 0.1f), 0.45f);
    t.Add(2.0, Timpani(G2, 1.0f, 0.7f), 0.35f);
    t.Add(2.5, Brass({A4, Cs5, E5}, 0.4f, 1.0f, 0.1f), 0.45f);
    t.Add(2.1, TimpaniRoll(A2, 0.9f, 0.2f, 0.9f), 0.45f);
    t.Add(3.0, Brass({D4, Fs4, A4, D5, Fs5}, 1.8f, 1.2f, 1.0f), 0.55f);
    t.Add(3.0, Timpani(D3, 2.0f, 1.0f), 0.5f);
    t.Add(3.0, Cymbal(3.0f, 31), 0.25f);
    // Calm bed: D major, gently pulsing bass and falling bells.
    t.Add(3.4, Pad({D4, Fs4, A4}, 6.0f, {1.0f, 2.0f, 1500.0f, 9.0f}), 0.3f);
    for (double at = 4.0; at < 9.4; at += 0.5) t.Add(at, Bass(D2 + 12, 0.35f, 0.4f), 0.3f);
    const Chord falling = {A5, Fs5, D5, A4, D5, Fs5, A5, D6};
    for (std::size_t i = 0; i < 16; ++i) {
        t.Add(4.0 + 0.33 * static_cast<double>(i), Bell(falling[i % falling.size()], 1.2f), 0.10f);
    }
    t.Add(9.5, Brass({D4, A4, D5, Fs5}, 0.8f, 0.7f, 1.2f), 0.35f);
    t.Add(9.5, Timpani(D3, 2.0f, 0.6f), 0.35f);
    t.Add(9.5, Bell(D6, 2.4f), 0.15f);
    return t.Finish(0.3f, 2.0f);
}

Samples MakeW1() {
    // Wrong answer, levels 1-6: a sinking "wah-wah" onto a diminished chord.
    Track t = Track::OneShot(3.5);
    t.Add(0.0, Brass({F3, A3, D4}, 0.3f, 0.55f, 0.2f), 0.45f);
    t.Add(0.4, Brass({E3, G3, Bb3, Cs4}, 1.3f, 0.45f, 0.9f), 0.5f);
    t.Add(0.4, Timpani(D2 + 12, 1.5f, 0.7f), 0.4f);
    t.Add(0.4, Pad({D3, A3}, 1.5f, {0.2f, 1.2f, 500.0f, 10.0f}), 0.25f);
    return t.Finish(0.25f, 1.5f);
}

Samples MakeW23() {
    // Wrong answer, levels 7-14: lower and darker, with a falling rush of air.
    Track t = Track::OneShot(3.5);
    t.Add(0.0, Timpani(A1 + 12, 1.8f, 1.0f), 0.55f);
    t.Add(0.0, Brass({D3, F3, Ab3}, 0.22f, 0.5f, 0.2f), 0.45f);
    t.Add(0.3, Brass({Cs3, E3, G3, Bb3}, 1.5f, 0.4f, 0.9f), 0.5f);
    t.Add(0.0, Whoosh(1.6f, 2500.0f, 180.0f, 0.5f, 53), 0.3f);
    t.Add(0.3, Pad({D2 + 12, A2}, 1.6f, {0.2f, 1.0f, 400.0f, 12.0f}), 0.3f);
    return t.Finish(0.25f, 1.5f);
}

Samples MakeW4() {
    // Wrong answer at the top question: a heavy fall through three chords to a low D minor.
    Track t = Track::OneShot(7.1);
    t.Add(0.0, Thump(1.0f), 0.5f);
    t.Add(0.0, Timpani(D2 + 12, 2.5f, 1.0f), 0.55f);
    t.Add(0.0, Cymbal(3.0f, 61), 0.2f);
    t.Add(0.0, Brass({Bb3, D4, F4}, 0.6f, 0.7f, 0.3f), 0.45f);
    t.Add(0.8, Brass({A3, Cs4, E4, G4}, 1.0f, 0.55f, 0.3f), 0.45f);
    t.Add(0.8, Timpani(A2, 1.5f, 0.7f), 0.4f);
    t.Add(2.0, Brass({D3, F3, A3}, 2.4f, 0.4f, 2.0f), 0.5f);
    t.Add(2.0, Timpani(D2 + 12, 3.0f, 0.8f), 0.45f);
    t.Add(2.0, Pad({D1 + 12, D2, A2}, 3.0f, {0.5f, 2.0f, 300.0f, 8.0f}), 0.4f);
    t.Add(2.0, Glide(D4, D3, 2.5f, 0.2f, 1.0f), 0.08f);
    return t.Finish(0.3f, 2.2f);
}

Samples MakeR4() {
    // The top prize: a hit, a fanfare in D major, a celebration, and a final chord at 18.5 s.
    Track t = Track::OneShot(22.3);
    t.Add(0.0, Thump(1.0f), 0.45f);
    t.Add(0.0, Timpani(D3, 2.0f, 1.0f), 0.5f);
    t.Add(0.0, Cymbal(3.5f, 71), 0.28f);
    t.Add(0.0, Brass({D3, A3, D4, Fs4, A4, D5}, 1.2f, 1.2f, 0.6f), 0.55f);

    struct Step {
        double at;
        float note;
        float hold;
    };
    // Fanfare: four bars of D G A D from 1.5 s.
    const double start = 1.5;
    const float padChords[4][3] = {{D4, Fs4, A4}, {D4, G4, B4}, {Cs4, E4, A4}, {D4, Fs4, A4}};
    const float roots[4] = {D2, G2 - 12, A2 - 12, D2};
    for (int b = 0; b < 4; ++b) {
        const double at = start + b * kBarSeconds;
        const Chord chord(std::begin(padChords[b]), std::end(padChords[b]));
        t.Add(at, Pad(chord, 2.0f, {0.2f, 0.8f, 2000.0f, 9.0f}), 0.3f);
        t.Add(at, Timpani(roots[b] + 12, 1.4f, 0.8f), 0.4f);
        for (int e = 0; e < 8; ++e) {
            t.Add(at + e * 0.25, Bass(roots[b] + 12, 0.2f, 0.6f), 0.35f);
            if (e % 2 == 1) t.Add(at + e * 0.25, Hat(0.05f, 70 + static_cast<std::uint64_t>(e)), 0.12f);
        }
    }
    const std::vector<Step> fanfare = {
        {0.0, D5, 0.45f}, {0.5, Fs5, 0.45f}, {1.0, A5, 0.9f},  {2.0, B5, 0.45f},     {2.5, A5, 0.45f},
        {3.0, G5, 0.9f},  {4.0, A5, 1.4f},   {5.5, E5, 0.45f}, {6.0, D5 + 12, 1.8f},
    };
    for (const Step& s : fanfare) {
        t.Add(start + s.at, Brass({s.note, s.note - 12}, s.hold, 1.0f, 0.3f), 0.38f);
    }
    t.Add(start + 6.0, Cymbal(2.5f, 72), 0.2f);

    // Celebration: D Bm G A with running arpeggios, stabs and bells.
    const double party = 9.5;
    const float party4[4][4] = {{D5, Fs5, A5, D6}, {B4, D5, Fs5, B5}, {G4, B4, D5, G5}, {A4, Cs5, E5, A5}};
    const float partyRoots[4] = {D2, 35.0f, G2 - 12, A2 - 12};
    for (int b = 0; b < 4; ++b) {
        const double at = party + b * kBarSeconds;
        const Chord arp(std::begin(party4[b]), std::end(party4[b]));
        t.Add(at, Pad({arp[0] - 12, arp[1] - 12, arp[2] - 12}, 2.0f, {0.2f, 0.8f, 1800.0f, 9.0f}), 0.28f);
        t.Add(at, Brass({arp[0] - 12, arp[1] - 12, arp[2] - 12}, 0.15f, 1.0f, 0.2f), 0.3f);
        t.Add(at + 0.75, Brass({arp[0] - 12, arp[1] - 12, arp[2] - 12}, 0.15f, 1.0f, 0.2f), 0.25f);
        t.Add(at, Timpani(partyRoots[b] + 12, 1.2f, 0.7f), 0.35f);
        for (int s = 0; s < 16; ++s) {
            t.Add(at + s * 0.125, Pluck(arp[static_cast<std::size_t>(s) % 4], 0.3f), 0.08f);
            if (s % 4 == 2) t.Add(at + s * 0.125, Hat(0.05f, 80 + static_cast<std::uint64_t>(s)), 0.12f);
        }
        for (int s = 0; s < 8; s += 2) t.Add(at + s * 0.25, Bass(partyRoots[b] + 12, 0.4f, 0.6f), 0.35f);
        t.Add(at, Bell(arp[3] + 12, 1.5f), 0.1f);
    }
    // Roll into the last chord, which rings until the clip ends.
    t.Add(17.5, TimpaniRoll(A2, 1.0f, 0.2f, 1.0f), 0.45f);
    const double last = 18.5;
    t.Add(last, Thump(1.0f), 0.4f);
    t.Add(last, Timpani(D3, 3.0f, 1.0f), 0.5f);
    t.Add(last, Cymbal(3.5f, 73), 0.28f);
    t.Add(last, Brass({D3, A3, D4, Fs4, A4, D5, Fs5}, 2.0f, 1.1f, 1.5f), 0.55f);
    Sparkle(t, last, {D5, Fs5, A5, D6, Fs6, A5 + 12}, 0.09, 0.15f);
    Afterglow(t, last, {D4, Fs4, A4, D5}, 1.8f, 0.2f);
    return t.Finish(0.28f, 2.2f);
}

}  // namespace tolarka::sfxgen
