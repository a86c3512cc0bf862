#include "tools/sfxgen/dsp.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tolarka::sfxgen {

std::size_t ToSamples(double seconds) {
    return seconds <= 0.0 ? 0 : static_cast<std::size_t>(std::lround(seconds * kRate));
}

float NoteHz(float midi) { return 440.0f * std::exp2((midi - 69.0f) / 12.0f); }

std::uint64_t Rng::Next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1Dull;
}

float Rng::Uniform() { return static_cast<float>(Next() >> 40) / static_cast<float>(1ull << 24); }

float Rng::Bipolar() { return Uniform() * 2.0f - 1.0f; }

namespace {

constexpr int kTableSize = 4096;

const std::array<float, kTableSize + 1>& SineTable() {
    static const auto table = [] {
        std::array<float, kTableSize + 1> t{};
        for (int i = 0; i <= kTableSize; ++i) {
            t[i] = static_cast<float>(std::sin(2.0 * 3.14159265358979323846 * i / kTableSize));
        }
        return t;
    }();
    return table;
}

float PolyBlep(float t, float dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
        t = (t - 1.0f) / dt;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

}  // namespace

float FastSin(float phaseCycles) {
    float p = phaseCycles - std::floor(phaseCycles);
    const float x = p * kTableSize;
    const int i = std::min(static_cast<int>(x), kTableSize - 1);
    const float frac = x - static_cast<float>(i);
    const auto& t = SineTable();
    return t[i] + (t[i + 1] - t[i]) * frac;
}

float BlepSaw(float phase, float increment) { return 2.0f * phase - 1.0f - PolyBlep(phase, increment); }

float BlepSquare(float phase, float increment) {
    float v = phase < 0.5f ? 1.0f : -1.0f;
    v += PolyBlep(phase, increment);
    float shifted = phase + 0.5f;
    shifted -= std::floor(shifted);
    v -= PolyBlep(shifted, increment);
    return v;
}

Svf::Out Svf::Process(float in, float cutoffHz, float resonance) {
    if (cutoffHz != cutoff_ || resonance != resonance_) {
        cutoff_ = cutoffHz;
        resonance_ = resonance;
        const float fc = std::clamp(cutoffHz, 10.0f, kRate * 0.45f);
        const float g = std::tan(kPi * fc / kRate);
        k_ = 2.0f - 2.0f * std::clamp(resonance, 0.0f, 0.98f);
        a1_ = 1.0f / (1.0f + g * (g + k_));
        a2_ = g * a1_;
        a3_ = g * a2_;
    }
    const float v3 = in - ic2_;
    const float v1 = a1_ * ic1_ + a2_ * v3;
    const float v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2.0f * v1 - ic1_;
    ic2_ = 2.0f * v2 - ic2_;
    return {v2, v1, in - k_ * v1 - v2};
}

float OnePoleLow::Process(float in, float cutoffHz) {
    const float a = 1.0f - std::exp(-2.0f * kPi * std::max(cutoffHz, 1.0f) / kRate);
    z_ += a * (in - z_);
    return z_;
}

float OnePoleHigh::Process(float in, float cutoffHz) { return in - low_.Process(in, cutoffHz); }

float Adsr::At(float t, float hold) const {
    if (t < 0.0f) return 0.0f;
    auto held = [this](float u) {
        if (u < attack) return attack > 0.0f ? u / attack : 1.0f;
        u -= attack;
        if (u < decay) return 1.0f - (1.0f - sustain) * (decay > 0.0f ? u / decay : 1.0f);
        return sustain;
    };
    if (t < hold) return held(t);
    const float level = held(hold);
    const float r = t - hold;
    if (release <= 0.0f || r >= release) return 0.0f;
    // Exponential-looking release that still reaches zero.
    const float x = 1.0f - r / release;
    return level * x * x;
}

Reverb::Reverb(float roomSeconds, float damping) : damping_(damping) {
    // Mutually prime delays (in samples at 44.1 kHz) keep the echoes from lining up.
    static constexpr int kCombDelays[] = {1116, 1188, 1277, 1356, 1422, 1491};
    static constexpr int kAllpassDelays[] = {556, 441, 341};
    for (int d : kCombDelays) {
        Comb c;
        c.line.assign(static_cast<std::size_t>(d), 0.0f);
        // Feedback for a decay of 60 dB in roomSeconds.
        c.feedback = std::pow(10.0f, -3.0f * static_cast<float>(d) / (roomSeconds * kRate));
        combs_.push_back(std::move(c));
    }
    for (int d : kAllpassDelays) {
        Allpass a;
        a.line.assign(static_cast<std::size_t>(d), 0.0f);
        allpasses_.push_back(std::move(a));
    }
}

float Reverb::Process(float in) {
    float out = 0.0f;
    for (auto& c : combs_) {
        const float y = c.line[c.pos];
        c.store = y * (1.0f - damping_) + c.store * damping_;
        c.line[c.pos] = in + c.store * c.feedback;
        c.pos = c.pos + 1 == c.line.size() ? 0 : c.pos + 1;
        out += y;
    }
    out /= static_cast<float>(combs_.size());
    for (auto& a : allpasses_) {
        const float buffered = a.line[a.pos];
        const float y = buffered - 0.5f * out;
        a.line[a.pos] = out + 0.5f * buffered;
        a.pos = a.pos + 1 == a.line.size() ? 0 : a.pos + 1;
        out = y;
    }
    return out;
}

void ApplyReverb(Samples& s, float wet, float roomSeconds, float damping) {
    Reverb r(roomSeconds, damping);
    for (float& x : s) x += wet * r.Process(x);
}

void ApplyReverbLooped(Samples& s, float wet, float roomSeconds, float damping) {
    Reverb r(roomSeconds, damping);
    // First pass only fills the reverb with the loop's own ending.
    for (float x : s) r.Process(x);
    for (float& x : s) x += wet * r.Process(x);
}

float Peak(const Samples& s) {
    float p = 0.0f;
    for (float x : s) p = std::max(p, std::fabs(x));
    return p;
}

void Normalise(Samples& s, float peak) {
    const float p = Peak(s);
    if (p <= 0.0f) return;
    const float g = peak / p;
    for (float& x : s) x *= g;
}

void FadeEdges(Samples& s, double inSeconds, double outSeconds) {
    const std::size_t in = std::min(ToSamples(inSeconds), s.size());
    const std::size_t out = std::min(ToSamples(outSeconds), s.size());
    for (std::size_t i = 0; i < in; ++i) s[i] *= static_cast<float>(i) / static_cast<float>(in);
    for (std::size_t i = 0; i < out; ++i) {
        s[s.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(out);
    }
}

}  // namespace tolarka::sfxgen
