#pragma once
// Building blocks of the sound generator: oscillators, filters, envelopes, noise and reverb.
// Everything works on mono float samples at kRate; all randomness comes from a seeded Rng so
// that every build writes the same bytes.
#include <cstdint>
#include <vector>

namespace tolarka::sfxgen {

inline constexpr int kRate = 44100;
inline constexpr float kPi = 3.14159265358979f;

using Samples = std::vector<float>;

// Seconds to a sample count (rounded to the nearest sample).
std::size_t ToSamples(double seconds);

// Frequency of a MIDI note number (69 = A4 = 440 Hz).
float NoteHz(float midi);

// xorshift64*: small, fast and the same on every platform, unlike std distributions.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
    std::uint64_t Next();
    float Uniform();  // [0, 1)
    float Bipolar();  // [-1, 1)
private:
    std::uint64_t state_;
};

// Sine from a table with linear interpolation; phase in cycles.
float FastSin(float phaseCycles);

// Band-limited sawtooth and square (PolyBLEP); phase in cycles, advanced by the caller.
float BlepSaw(float phase, float increment);
float BlepSquare(float phase, float increment);

// Phase accumulator in cycles.
struct Phase {
    float value = 0.0f;
    float Advance(float hz) {
        const float inc = hz / static_cast<float>(kRate);
        value += inc;
        value -= static_cast<float>(static_cast<int>(value));
        return inc;
    }
};

// State-variable filter (trapezoidal, stable under fast cutoff changes).
class Svf {
public:
    struct Out {
        float low, band, high;
    };
    Out Process(float in, float cutoffHz, float resonance);  // resonance 0 (none) .. ~0.95
private:
    float ic1_ = 0.0f, ic2_ = 0.0f;
    // Coefficients are recomputed only when cutoff or resonance change.
    float cutoff_ = -1.0f, resonance_ = -1.0f;
    float a1_ = 0.0f, a2_ = 0.0f, a3_ = 0.0f, k_ = 0.0f;
};

class OnePoleLow {
public:
    float Process(float in, float cutoffHz);

private:
    float z_ = 0.0f;
};

class OnePoleHigh {
public:
    float Process(float in, float cutoffHz);

private:
    OnePoleLow low_;
};

// Attack-decay-sustain-release level at time t (seconds) of a note held for `hold` seconds.
struct Adsr {
    float attack = 0.01f, decay = 0.1f, sustain = 1.0f, release = 0.2f;
    float At(float t, float hold) const;
};

// Mono Schroeder-Moorer reverb: parallel damped combs into series allpasses.
class Reverb {
public:
    Reverb(float roomSeconds, float damping);
    float Process(float in);

private:
    struct Comb {
        std::vector<float> line;
        std::size_t pos = 0;
        float feedback = 0.0f, store = 0.0f;
    };
    struct Allpass {
        std::vector<float> line;
        std::size_t pos = 0;
    };
    std::vector<Comb> combs_;
    std::vector<Allpass> allpasses_;
    float damping_;
};

// Adds `wet` of a reverberated copy to the signal.
void ApplyReverb(Samples& s, float wet, float roomSeconds, float damping);

// The same for a loop: the reverb runs over the loop twice so that the tail of the end rings on
// into the start and the result repeats without a seam.
void ApplyReverbLooped(Samples& s, float wet, float roomSeconds, float damping);

// Largest absolute sample.
float Peak(const Samples& s);

// Scales to the given peak (linear, e.g. 0.891 for -1 dBFS); silence stays silence.
void Normalise(Samples& s, float peak);

// Short linear fades so that a one-shot starts and ends at zero.
void FadeEdges(Samples& s, double inSeconds, double outSeconds);

}  // namespace tolarka::sfxgen
