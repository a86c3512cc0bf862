#include "tools/sfxgen/voices.h"

#include <algorithm>
#include <cmath>

namespace tolarka::sfxgen {

namespace {

// Filter sweeps are updated every few samples: inaudible, and it saves most of the tan() calls.
constexpr std::size_t kControlEvery = 16;

float Cents(float c) { return std::exp2(c / 1200.0f); }

float ExpDecay(float t, float seconds) { return std::exp(-6.9f * t / seconds); }  // -60 dB at `seconds`

// A millisecond-long ramp: even a hard hit must not start with a step, or it clicks.
float Onset(float t, float seconds = 0.001f) { return std::min(1.0f, t / seconds); }

}  // namespace

Samples Pad(const Chord& notes, float hold, const PadStyle& style) {
    const float length = hold + style.release;
    Samples out(ToSamples(length), 0.0f);
    const Adsr env{style.attack, 0.3f, 0.85f, style.release};
    static constexpr float kSpread[] = {-1.0f, 0.0f, 1.0f};
    for (std::size_t n = 0; n < notes.size(); ++n) {
        const float hz = NoteHz(notes[n]);
        Phase ph[3];
        for (int v = 0; v < 3; ++v)
            ph[v].value = 0.07f * static_cast<float>(v) + 0.11f * static_cast<float>(n);
        Svf filter;
        float cutoff = style.cutoff;
        Phase lfo;
        lfo.value = 0.17f * static_cast<float>(n);
        for (std::size_t i = 0; i < out.size(); ++i) {
            const float t = static_cast<float>(i) / kRate;
            float s = 0.0f;
            for (int v = 0; v < 3; ++v) {
                const float inc = ph[v].Advance(hz * Cents(kSpread[v] * style.detuneCents));
                s += BlepSaw(ph[v].value, inc);
            }
            const float breathe = 0.5f + 0.5f * FastSin(lfo.value);
            lfo.Advance(0.23f);
            if (i % kControlEvery == 0) cutoff = style.cutoff * (0.8f + 0.4f * breathe);
            float y = filter.Process(s, cutoff, 0.15f).low;
            if (style.tremoloHz > 0.0f) {
                y *= 1.0f - style.tremoloDepth * (0.5f + 0.5f * FastSin(style.tremoloHz * t));
            }
            out[i] += y * env.At(t, hold) / 3.0f;
        }
    }
    const float scale = 1.0f / std::sqrt(static_cast<float>(std::max<std::size_t>(notes.size(), 1)));
    for (float& x : out) x *= scale;
    return out;
}

Samples Bass(float note, float hold, float brightness) {
    const float release = 0.08f;
    Samples out(ToSamples(hold + release), 0.0f);
    const float hz = NoteHz(note);
    Phase saw, sub;
    Svf filter;
    const Adsr env{0.004f, 0.15f, 0.7f, release};
    float cutoff = 0.0f;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        const float inc = saw.Advance(hz);
        sub.Advance(hz * 0.5f);
        const float s = 0.7f * BlepSaw(saw.value, inc) + 0.6f * FastSin(sub.value);
        if (i % kControlEvery == 0) cutoff = hz * (1.5f + 10.0f * brightness * ExpDecay(t, 0.25f));
        out[i] = filter.Process(s, cutoff, 0.35f).low * env.At(t, hold);
    }
    return out;
}

Samples Timpani(float note, float decay, float strength) {
    Samples out(ToSamples(decay + 0.05f), 0.0f);
    const float hz = NoteHz(note);
    static constexpr float kRatio[] = {1.0f, 1.504f, 1.742f, 2.0f, 2.245f, 2.494f};
    static constexpr float kAmp[] = {1.0f, 0.55f, 0.3f, 0.28f, 0.16f, 0.12f};
    Phase modes[6];
    Rng rng(0x7141 + static_cast<std::uint64_t>(note));
    OnePoleLow mallet;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        const float drop = 1.0f + 0.04f * std::exp(-t / 0.06f);  // skin settles after the stroke
        float s = 0.0f;
        for (int m = 0; m < 6; ++m) {
            modes[m].Advance(hz * kRatio[m] * drop);
            s += kAmp[m] * FastSin(modes[m].value) * ExpDecay(t, decay / (1.0f + 0.6f * m));
        }
        const float thud = mallet.Process(rng.Bipolar(), 900.0f) * ExpDecay(t, 0.05f) * 2.5f;
        out[i] = strength * (0.6f * s + thud) * Onset(t);
    }
    return out;
}

Samples TimpaniRoll(float note, float seconds, float from, float to) {
    const float decay = 1.2f;
    Samples out(ToSamples(seconds + decay), 0.0f);
    const float strokeGap = 0.07f;
    int k = 0;
    for (float t = 0.0f; t < seconds; t += strokeGap, ++k) {
        const float level = from + (to - from) * (t / seconds);
        // Alternate hands are never quite equal.
        const float hand = (k % 2 == 0) ? 1.0f : 0.85f;
        const Samples hit = Timpani(note, decay, 0.45f * level * hand);
        const std::size_t start = ToSamples(t);
        for (std::size_t i = 0; i < hit.size() && start + i < out.size(); ++i) out[start + i] += hit[i];
    }
    return out;
}

Samples Brass(const Chord& notes, float hold, float brightness, float release) {
    Samples out(ToSamples(hold + release), 0.0f);
    const Adsr env{0.025f, 0.2f, 0.75f, release};
    for (std::size_t n = 0; n < notes.size(); ++n) {
        const float hz = NoteHz(notes[n]);
        Phase a, b, vib;
        b.value = 0.5f;
        Svf filter;
        float cutoff = 0.0f;
        for (std::size_t i = 0; i < out.size(); ++i) {
            const float t = static_cast<float>(i) / kRate;
            // Delayed gentle vibrato, as a player would add on a held note.
            const float vibrato =
                1.0f + 0.004f * std::min(1.0f, std::max(0.0f, t - 0.25f) * 2.0f) * FastSin(vib.value);
            vib.Advance(5.3f);
            const float incA = a.Advance(hz * vibrato * Cents(-4.0f));
            const float incB = b.Advance(hz * vibrato * Cents(5.0f));
            const float s = BlepSaw(a.value, incA) + BlepSaw(b.value, incB);
            if (i % kControlEvery == 0) {
                // The filter opens with the breath of the attack and settles a little lower.
                const float open = std::min(1.0f, t / 0.05f);
                const float settle = 0.65f + 0.35f * ExpDecay(t, 0.5f);
                cutoff = hz * (1.0f + 7.0f * brightness * open * settle);
            }
            out[i] += 0.5f * filter.Process(s, cutoff, 0.2f).low * env.At(t, hold);
        }
    }
    const float scale = 1.0f / std::sqrt(static_cast<float>(std::max<std::size_t>(notes.size(), 1)));
    for (float& x : out) x *= scale;
    return out;
}

Samples Bell(float note, float decay) {
    Samples out(ToSamples(decay), 0.0f);
    const float hz = NoteHz(note);
    Phase carrier, modulator, partial;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        modulator.Advance(hz * 3.5f);
        partial.Advance(hz * 2.76f);
        const float index = 0.3f + 1.7f * ExpDecay(t, 0.4f);
        carrier.Advance(hz);
        const float s = FastSin(carrier.value + index * FastSin(modulator.value) / (2.0f * kPi)) +
                        0.25f * FastSin(partial.value) * ExpDecay(t, decay * 0.3f);
        const float attack = std::min(1.0f, t / 0.002f);
        out[i] = 0.5f * s * attack * ExpDecay(t, decay);
    }
    return out;
}

Samples Pluck(float note, float decay, float brightness) {
    Samples out(ToSamples(decay), 0.0f);
    const float hz = NoteHz(note);
    Phase a, b;
    Svf filter;
    float cutoff = 0.0f;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        const float incA = a.Advance(hz);
        const float incB = b.Advance(hz * Cents(7.0f));
        const float s = BlepSaw(a.value, incA) + 0.5f * BlepSquare(b.value, incB);
        if (i % kControlEvery == 0) cutoff = hz * (1.2f + 12.0f * brightness * ExpDecay(t, decay * 0.4f));
        const float attack = std::min(1.0f, t / 0.003f);
        out[i] = 0.4f * filter.Process(s, cutoff, 0.25f).low * attack * ExpDecay(t, decay);
    }
    return out;
}

Samples Hat(float decay, std::uint64_t seed) {
    Samples out(ToSamples(decay * 1.2f), 0.0f);
    Rng rng(seed);
    Svf filter;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        out[i] = 0.5f * filter.Process(rng.Bipolar(), 8000.0f, 0.3f).high * ExpDecay(t, decay) * Onset(t);
    }
    return out;
}

Samples Tick(float note, float strength) {
    Samples out(ToSamples(0.08f), 0.0f);
    const float hz = NoteHz(note);
    Phase body, overtone;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        body.Advance(hz);
        overtone.Advance(hz * 2.7f);
        const float s =
            FastSin(body.value) * ExpDecay(t, 0.06f) + 0.4f * FastSin(overtone.value) * ExpDecay(t, 0.02f);
        out[i] = strength * 0.6f * s * Onset(t);
    }
    return out;
}

Samples Thump(float strength, std::uint64_t seed) {
    Samples out(ToSamples(1.4f), 0.0f);
    Rng rng(seed);
    Phase boom;
    OnePoleLow body;
    Svf clank;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        const float hz = 42.0f + 80.0f * std::exp(-t / 0.05f);
        boom.Advance(hz);
        const float noise = rng.Bipolar();
        const float low = FastSin(boom.value) * ExpDecay(t, 1.1f);
        const float knock = body.Process(noise, 600.0f) * ExpDecay(t, 0.12f) * 3.0f;
        const float metal = clank.Process(noise, 2400.0f, 0.9f).band * ExpDecay(t, 0.25f) * 0.5f;
        out[i] = strength * 0.6f * (low + knock + metal) * Onset(t);
    }
    return out;
}

Samples Whoosh(float seconds, float fromHz, float toHz, float resonance, std::uint64_t seed) {
    Samples out(ToSamples(seconds), 0.0f);
    Rng rng(seed);
    Svf filter;
    float cutoff = fromHz;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float x = static_cast<float>(i) / static_cast<float>(out.size());
        if (i % kControlEvery == 0) cutoff = fromHz * std::pow(toHz / fromHz, x);
        const float shape = std::sin(kPi * x);
        out[i] = 0.8f * filter.Process(rng.Bipolar(), cutoff, resonance).band * shape * shape;
    }
    return out;
}

Samples Cymbal(float decay, std::uint64_t seed) {
    Samples out(ToSamples(decay), 0.0f);
    Rng rng(seed);
    Svf filter;
    static constexpr float kMetal[] = {3150.0f, 4470.0f, 5230.0f, 6710.0f, 8020.0f};
    Phase partials[5];
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        float ring = 0.0f;
        for (int p = 0; p < 5; ++p) {
            partials[p].Advance(kMetal[p]);
            ring += BlepSquare(partials[p].value, kMetal[p] / kRate);
        }
        const float hiss = filter.Process(rng.Bipolar() + 0.15f * ring, 5000.0f, 0.1f).high;
        out[i] = 0.32f * hiss * ExpDecay(t, decay) * Onset(t, 0.003f);
    }
    return out;
}

Samples Glide(float fromNote, float toNote, float seconds, float attack, float release) {
    Samples out(ToSamples(seconds), 0.0f);
    Phase ph;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        const float x = t / seconds;
        ph.Advance(NoteHz(fromNote + (toNote - fromNote) * x));
        const float env = std::min({1.0f, t / attack, (seconds - t) / release});
        out[i] = 0.5f * FastSin(ph.value) * std::max(env, 0.0f);
    }
    return out;
}

Samples PhoneRing(float seconds, float lowNote, float highNote) {
    Samples out(ToSamples(seconds), 0.0f);
    Phase ph, mod;
    const float trillHz = 16.0f;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        const bool high = static_cast<int>(t * trillHz) % 2 == 1;
        const float hz = NoteHz(high ? highNote : lowNote);
        mod.Advance(hz * 2.0f);
        ph.Advance(hz);
        const float s = FastSin(ph.value + 0.1f * FastSin(mod.value));
        const float edge = std::min({1.0f, t / 0.01f, (seconds - t) / 0.02f});
        out[i] = 0.45f * s * std::max(edge, 0.0f);
    }
    return out;
}

Samples Murmur(float seconds, int voices, std::uint64_t seed) {
    Samples out(ToSamples(seconds), 0.0f);
    Rng rng(seed);
    for (int v = 0; v < voices; ++v) {
        // Each voice wanders around its own pair of vowel formants and speaks in syllables.
        const float f1 = 350.0f + 450.0f * rng.Uniform();
        const float f2 = 1000.0f + 1200.0f * rng.Uniform();
        const float syllableHz = 3.0f + 3.0f * rng.Uniform();
        const float pitch = 95.0f + 140.0f * rng.Uniform();
        Svf formant1, formant2;
        OnePoleLow smooth;
        Phase voice;
        float target = 0.0f, level = 0.0f, vowel = 0.0f;
        float c1 = f1, c2 = f2;
        std::size_t nextSyllable = 0;
        Rng own(seed * 131 + static_cast<std::uint64_t>(v) + 1);
        for (std::size_t i = 0; i < out.size(); ++i) {
            if (i >= nextSyllable) {
                // Sometimes a pause between words.
                target = own.Uniform() < 0.25f ? 0.0f : 0.4f + 0.6f * own.Uniform();
                vowel = own.Bipolar();
                nextSyllable =
                    i + static_cast<std::size_t>(kRate / syllableHz * (0.6f + 0.8f * own.Uniform()));
            }
            level = smooth.Process(target, 8.0f);
            if (i % kControlEvery == 0) {
                c1 = f1 * (1.0f + 0.25f * vowel);
                c2 = f2 * (1.0f - 0.2f * vowel);
            }
            // Buzzy glottal source mixed with breath.
            const float inc = voice.Advance(pitch * (1.0f + 0.05f * vowel));
            const float src = 0.6f * BlepSaw(voice.value, inc) + 0.4f * own.Bipolar();
            const float s =
                formant1.Process(src, c1, 0.85f).band + 0.6f * formant2.Process(src, c2, 0.85f).band;
            out[i] += s * level;
        }
    }
    const float scale = 1.0f / std::sqrt(static_cast<float>(std::max(voices, 1)));
    for (float& x : out) x *= scale;
    return out;
}

Samples Horn(const Chord& notes, float hold) {
    const float release = 0.15f;
    Samples out(ToSamples(hold + release), 0.0f);
    const Adsr env{0.03f, 0.1f, 0.9f, release};
    for (std::size_t n = 0; n < notes.size(); ++n) {
        const float hz = NoteHz(notes[n]);
        Phase a, b, wobble;
        Svf body;
        for (std::size_t i = 0; i < out.size(); ++i) {
            const float t = static_cast<float>(i) / kRate;
            // The pitch sags into place as the air pressure builds.
            const float sag = 1.0f - 0.03f * std::exp(-t / 0.04f) + 0.003f * FastSin(wobble.value);
            wobble.Advance(7.0f);
            const float incA = a.Advance(hz * sag);
            const float incB = b.Advance(hz * sag * Cents(8.0f));
            const float s = BlepSquare(a.value, incA) + BlepSaw(b.value, incB);
            const float shaped = body.Process(s, 1600.0f, 0.5f).low;
            out[i] += 0.4f * std::tanh(2.0f * shaped) * env.At(t, hold);
        }
    }
    return out;
}

}  // namespace tolarka::sfxgen
