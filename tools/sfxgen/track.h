#pragma once
// A mix buffer that voices are added into at a time in seconds or in beats. A looped track wraps
// whatever rings past its end back to its start, so a loop of whole bars repeats seamlessly.
#include "tools/sfxgen/dsp.h"

namespace tolarka::sfxgen {

// Every piece of the game's music shares one key (D minor) and one tempo.
inline constexpr double kBeatSeconds = 0.5;  // 120 beats a minute
inline constexpr int kBeatsPerBar = 4;
inline constexpr double kBarSeconds = kBeatSeconds * kBeatsPerBar;

// MIDI numbers of the notes used most (D minor: D E F G A Bb C, with C# as leading note).
namespace note {
inline constexpr float D2 = 38, E2 = 40, F2 = 41, G2 = 43, A2 = 45, Bb2 = 46, C3 = 48, Cs3 = 49;
inline constexpr float D3 = 50, E3 = 52, F3 = 53, Fs3 = 54, G3 = 55, A3 = 57, Bb3 = 58, C4 = 60, Cs4 = 61;
inline constexpr float D4 = 62, E4 = 64, F4 = 65, Fs4 = 66, G4 = 67, A4 = 69, Bb4 = 70, C5 = 72, Cs5 = 73;
inline constexpr float D5 = 74, E5 = 76, F5 = 77, Fs5 = 78, G5 = 79, A5 = 81, Bb5 = 82, C6 = 84, D6 = 86;
}  // namespace note

class Track {
public:
    // A one-shot of the given length, or a loop of that many whole bars.
    static Track OneShot(double seconds);
    static Track Loop(int bars);

    // Adds a rendered voice starting at `seconds`, scaled by `gain`.
    void Add(double seconds, const Samples& voice, float gain = 1.0f);
    void AddAtBeat(double beat, const Samples& voice, float gain = 1.0f) {
        Add(beat * kBeatSeconds, voice, gain);
    }
    // Mixes another finished track in (same length or shorter).
    void Mix(const Samples& other, float gain);

    bool Looped() const { return looped_; }
    double Seconds() const { return static_cast<double>(data_.size()) / kRate; }
    Samples& Data() { return data_; }

    // Reverb, edge fades (one-shots only) and normalisation to -1 dBFS peak.
    Samples Finish(float reverbWet, float roomSeconds = 1.8f, float damping = 0.35f);

private:
    Track(std::size_t samples, bool looped) : data_(samples, 0.0f), looped_(looped) {}
    Samples data_;
    bool looped_;
};

// -1 dBFS as a linear factor.
inline constexpr float kTargetPeak = 0.8912509f;

}  // namespace tolarka::sfxgen
