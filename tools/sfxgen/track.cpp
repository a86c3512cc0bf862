#include "tools/sfxgen/track.h"

#include <cmath>

namespace tolarka::sfxgen {

Track Track::OneShot(double seconds) { return Track(ToSamples(seconds), false); }

Track Track::Loop(int bars) { return Track(ToSamples(bars * kBarSeconds), true); }

void Track::Add(double seconds, const Samples& voice, float gain) {
    const std::size_t n = data_.size();
    if (n == 0) return;
    const std::size_t start = ToSamples(seconds);
    for (std::size_t i = 0; i < voice.size(); ++i) {
        std::size_t at = start + i;
        if (at >= n) {
            if (!looped_) break;
            at %= n;
        }
        data_[at] += gain * voice[i];
    }
}

void Track::Mix(const Samples& other, float gain) { Add(0.0, other, gain); }

Samples Track::Finish(float reverbWet, float roomSeconds, float damping) {
    Samples out = data_;
    // A touch of low cut keeps rumble and DC out of every file.
    if (looped_) {
        OnePoleHigh warm;
        for (float x : out) warm.Process(x, 25.0f);
        for (float& x : out) x = warm.Process(x, 25.0f);
        if (reverbWet > 0.0f) ApplyReverbLooped(out, reverbWet, roomSeconds, damping);
    } else {
        OnePoleHigh hp;
        for (float& x : out) x = hp.Process(x, 25.0f);
        if (reverbWet > 0.0f) ApplyReverb(out, reverbWet, roomSeconds, damping);
        FadeEdges(out, 0.002, 0.08);
    }
    // Gentle saturation glues the mix and tames single peaks before normalising.
    const float drive = 1.0f / std::max(Peak(out), 1e-6f);
    for (float& x : out) x = std::tanh(1.4f * drive * x);
    Normalise(out, kTargetPeak);
    return out;
}

}  // namespace tolarka::sfxgen
