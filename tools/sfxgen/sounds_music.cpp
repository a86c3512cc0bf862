// The menu theme and the four background loops. All are whole bars at 120 beats a minute in
// D minor; tension rises from loop to loop through denser pulses, darker harmony and drums.
#include "tools/sfxgen/catalogue.h"
#include "tools/sfxgen/track.h"
#include "tools/sfxgen/voices.h"

namespace tolarka::sfxgen {

namespace {

using namespace note;

struct Bar {
    Chord pad;   // sustained chord
    float root;  // bass note
    Chord arp;   // notes the arpeggio walks through
};

// Plucked arpeggio over one bar: `perBeat` notes a beat, cycling up through the chord.
void Arpeggio(Track& t, double barBeat, const Chord& notes, int perBeat, float gain, float decay) {
    const int steps = kBeatsPerBar * perBeat;
    for (int i = 0; i < steps; ++i) {
        const float n = notes[static_cast<std::size_t>(i) % notes.size()];
        // Slight accent on the beat keeps the pulse readable.
        const float accent = i % perBeat == 0 ? 1.0f : 0.7f;
        t.AddAtBeat(barBeat + static_cast<double>(i) / perBeat, Pluck(n, decay), gain * accent);
    }
}

// Bass on every `perBeat`-th of a beat; `octaveJumps` alternates root and octave.
void BassLine(Track& t, double barBeat, float root, int perBeat, bool octaveJumps, float gain,
              float brightness) {
    const int steps = kBeatsPerBar * perBeat;
    const float hold = static_cast<float>(kBeatSeconds / perBeat) * 0.8f;
    for (int i = 0; i < steps; ++i) {
        const float n = octaveJumps && i % 2 == 1 ? root + 12.0f : root;
        const float accent = i % perBeat == 0 ? 1.0f : 0.75f;
        t.AddAtBeat(barBeat + static_cast<double>(i) / perBeat, Bass(n, hold, brightness), gain * accent);
    }
}

void Hats(Track& t, double barBeat, int perBeat, float gain, bool offbeatsOnly) {
    const int steps = kBeatsPerBar * perBeat;
    for (int i = 0; i < steps; ++i) {
        if (offbeatsOnly && i % perBeat == 0) continue;
        const float accent = i % 2 == 0 ? 1.0f : 0.6f;
        t.AddAtBeat(barBeat + static_cast<double>(i) / perBeat,
                    Hat(0.04f, 11 + static_cast<std::uint64_t>(i)), gain * accent);
    }
}

}  // namespace

Samples MakeMenu() {
    // Eight bars: an open, welcoming theme over Dm Bb F C | Dm Bb Gm A.
    const std::vector<Bar> bars = {
        {{A3, D4, F4, A4}, D2, {D5, F5, A5, F5}},        {{Bb3, D4, F4, Bb4}, Bb2 - 12, {D5, F5, Bb5, F5}},
        {{A3, C4, F4, A4}, F2 - 12, {C5, F5, A5, F5}},   {{G3, C4, E4, G4}, C3 - 12, {C5, E5, G5, E5}},
        {{A3, D4, F4, A4}, D2, {D5, F5, A5, F5}},        {{Bb3, D4, F4, Bb4}, Bb2 - 12, {D5, F5, Bb5, F5}},
        {{G3, Bb3, D4, G4}, G2 - 12, {D5, G5, Bb5, G5}}, {{A3, Cs4, E4, A4}, A2 - 12, {Cs5, E5, A5, E5}},
    };
    Track t = Track::Loop(8);
    for (std::size_t b = 0; b < bars.size(); ++b) {
        const double beat = static_cast<double>(b) * kBeatsPerBar;
        t.AddAtBeat(beat, Pad(bars[b].pad, 2.0f, {0.3f, 0.8f, 1800.0f, 9.0f}), 0.35f);
        BassLine(t, beat, bars[b].root + 12.0f, 2, true, 0.45f, 0.6f);
        Arpeggio(t, beat, bars[b].arp, 2, 0.10f, 0.4f);
        t.AddAtBeat(beat, Timpani(bars[b].root + 12.0f, 1.4f, 0.6f), 0.5f);
        Hats(t, beat, 2, 0.10f, true);
        if (b % 2 == 0) {
            t.AddAtBeat(beat, Brass(bars[b].pad, 0.12f, 0.9f), 0.28f);
            t.AddAtBeat(beat + 1.5, Brass(bars[b].pad, 0.12f, 0.9f), 0.22f);
        }
    }
    // The tune, played by soft brass and doubled by bells an octave up.
    struct Step {
        double beat;
        float note;
        double beats;
    };
    const std::vector<Step> tune = {
        {0, A4, 1},      {1, D5, 1},  {2, F5, 1.5}, {3.5, E5, 0.5}, {4, D5, 2},
        {6, F5, 1},      {7, D5, 1},  {8, C5, 1},   {9, F5, 1},     {10, A5, 1.5},
        {11.5, G5, 0.5}, {12, E5, 3}, {16, A4, 1},  {17, D5, 1},    {18, F5, 1.5},
        {19.5, E5, 0.5}, {20, D5, 1}, {21, F5, 1},  {22, Bb5, 2},   {24, A5, 1},
        {25, G5, 1},     {26, F5, 1}, {27, D5, 1},  {28, E5, 2},    {30, Cs5, 2},
    };
    for (const Step& s : tune) {
        const float hold = static_cast<float>(s.beats * kBeatSeconds) * 0.9f;
        t.AddAtBeat(s.beat, Brass({s.note}, hold, 0.55f, 0.25f), 0.30f);
        t.AddAtBeat(s.beat, Bell(s.note + 12.0f, 1.2f), 0.10f);
    }
    return t.Finish(0.25f);
}

Samples MakeBgm1() {
    // Levels 1-5: calm and bright; pad, walking quarter bass and a light arpeggio.
    const std::vector<Bar> bars = {
        {{A3, D4, F4, A4}, D2, {D5, A4, F5, A4}},
        {{Bb3, D4, F4}, Bb2 - 12, {D5, Bb4, F5, Bb4}},
        {{G3, Bb3, D4, G4}, G2 - 12, {D5, G4, Bb4, G4}},
        {{A3, Cs4, E4, A4}, A2 - 12, {Cs5, A4, E5, A4}},
    };
    Track t = Track::Loop(4);
    for (std::size_t b = 0; b < bars.size(); ++b) {
        const double beat = static_cast<double>(b) * kBeatsPerBar;
        t.AddAtBeat(beat, Pad(bars[b].pad, 2.0f, {0.5f, 1.0f, 1300.0f, 8.0f}), 0.40f);
        BassLine(t, beat, bars[b].root + 12.0f, 1, false, 0.55f, 0.4f);
        Arpeggio(t, beat, bars[b].arp, 2, 0.12f, 0.45f);
        Hats(t, beat, 2, 0.06f, true);
    }
    return t.Finish(0.25f);
}

Samples MakeBgm2() {
    // Levels 6-10: eighth-note bass, sixteenth arpeggio, a soft drum at every bar.
    const std::vector<Bar> bars = {
        {{A3, D4, F4, A4}, D2, {D5, F5, A5, F5}},
        {{G3, C4, E4, G4}, C3 - 12, {C5, E5, G5, E5}},
        {{Bb3, D4, F4}, Bb2 - 12, {Bb4, D5, F5, D5}},
        {{A3, Cs4, E4, G4}, A2 - 12, {Cs5, E5, G5, E5}},
    };
    Track t = Track::Loop(4);
    for (std::size_t b = 0; b < bars.size(); ++b) {
        const double beat = static_cast<double>(b) * kBeatsPerBar;
        t.AddAtBeat(beat, Pad(bars[b].pad, 2.0f, {0.4f, 1.0f, 1000.0f, 10.0f}), 0.38f);
        BassLine(t, beat, bars[b].root + 12.0f, 2, false, 0.5f, 0.55f);
        Arpeggio(t, beat, bars[b].arp, 4, 0.07f, 0.25f);
        Hats(t, beat, 2, 0.09f, true);
        t.AddAtBeat(beat, Timpani(bars[b].root + 12.0f, 1.2f, 0.6f), 0.45f);
    }
    return t.Finish(0.25f);
}

Samples MakeBgm3() {
    // Levels 11-14: trembling strings, octave-jumping bass, the flat second darkening the key.
    const float Eb4 = 63.0f, G4s = G4;
    const std::vector<Bar> bars = {
        {{D4, F4, A4}, D2, {D5, A5, F5, A5}},
        {{Eb4, G4s, Bb4}, 39.0f, {Eb4 + 12, Bb5, G5, Bb5}},
        {{D4, F4, A4}, D2, {D5, A5, F5, A5}},
        {{Cs4, E4, A4}, A2 - 12, {Cs5, A5, E5, A5}},
    };
    Track t = Track::Loop(4);
    PadStyle strings{0.3f, 0.7f, 2200.0f, 6.0f, 8.0f, 0.5f};
    for (std::size_t b = 0; b < bars.size(); ++b) {
        const double beat = static_cast<double>(b) * kBeatsPerBar;
        t.AddAtBeat(beat, Pad(bars[b].pad, 2.0f, strings), 0.40f);
        BassLine(t, beat, bars[b].root + 12.0f, 2, true, 0.5f, 0.7f);
        Arpeggio(t, beat, bars[b].arp, 4, 0.06f, 0.2f);
        Hats(t, beat, 4, 0.08f, false);
        t.AddAtBeat(beat, Timpani(bars[b].root + 12.0f, 1.2f, 0.8f), 0.5f);
        t.AddAtBeat(beat + 2, Timpani(bars[b].root + 12.0f, 1.0f, 0.5f), 0.4f);
        t.AddAtBeat(beat, Bell(A5 + 12.0f, 1.5f), 0.06f);
    }
    return t.Finish(0.22f);
}

Samples MakeBgm4() {
    // Level 15: a pedal on D under a rising line, heartbeat drums, clock ticks and fast tremolo.
    const std::vector<Bar> bars = {
        {{D4, F4, A4}, D2, {D5, F5, A5, D6}},
        {{Cs4, F4, A4}, D2, {Cs5, F5, A5, Cs5 + 12}},
        {{D4, G4, Bb4}, D2, {D5, G5, Bb5, D6}},
        {{Cs4, E4, G4, A4}, A2 - 12, {Cs5, E5, G5, A5}},
    };
    Track t = Track::Loop(4);
    PadStyle strings{0.2f, 0.6f, 2600.0f, 7.0f, 12.0f, 0.6f};
    for (std::size_t b = 0; b < bars.size(); ++b) {
        const double beat = static_cast<double>(b) * kBeatsPerBar;
        t.AddAtBeat(beat, Pad(bars[b].pad, 2.0f, strings), 0.40f);
        t.AddAtBeat(beat, Pad({bars[b].root}, 2.0f, {0.1f, 0.4f, 300.0f, 4.0f}), 0.35f);
        BassLine(t, beat, bars[b].root + 12.0f, 4, false, 0.40f, 0.6f);
        Arpeggio(t, beat, bars[b].arp, 4, 0.06f, 0.18f);
        for (int k = 0; k < kBeatsPerBar; ++k) {
            t.AddAtBeat(beat + k, Tick(k % 2 == 0 ? A5 + 12 : D6, 1.0f), 0.12f);
            if (k % 2 == 0) {
                // Heartbeat: a strong stroke and a softer echo just after it.
                t.AddAtBeat(beat + k, Timpani(D3, 0.9f, 0.9f), 0.5f);
                t.AddAtBeat(beat + k + 0.4, Timpani(D3, 0.8f, 0.55f), 0.45f);
            }
        }
    }
    // A swell into the top of the loop, ringing on into the first bar.
    t.AddAtBeat(12.0, Whoosh(2.0f, 300.0f, 5000.0f, 0.5f, 41), 0.35f);
    return t.Finish(0.22f);
}

}  // namespace tolarka::sfxgen
