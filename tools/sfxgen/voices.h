#pragma once
// The instruments of the studio band. Each call renders one note (or chord) into a fresh buffer
// that starts at the attack and ends when the sound has died away; a Track places it in time.
// Pitches are MIDI note numbers, times are seconds.
#include <cstdint>
#include <vector>

#include "tools/sfxgen/dsp.h"

namespace tolarka::sfxgen {

using Chord = std::vector<float>;

// Warm detuned-saw pad through a low-pass; `cutoff` in Hz, slow swell and release.
struct PadStyle {
    float attack = 0.6f, release = 1.2f;
    float cutoff = 1400.0f;
    float detuneCents = 9.0f;
    float tremoloHz = 0.0f;  // > 0: string-like tremolo
    float tremoloDepth = 0.0f;
};
Samples Pad(const Chord& notes, float hold, const PadStyle& style = {});

// Short synth bass note with a plucked filter envelope.
Samples Bass(float note, float hold, float brightness = 1.0f);

// Kettle drum: inharmonic membrane modes, small pitch drop, felt-mallet thud.
Samples Timpani(float note, float decay = 1.6f, float strength = 1.0f);

// A roll of quick soft timpani strokes growing from `from` to `to` strength.
Samples TimpaniRoll(float note, float seconds, float from, float to);

// Brass section stab or held chord: bright saws whose filter opens with the attack.
Samples Brass(const Chord& notes, float hold, float brightness = 1.0f, float release = 0.35f);

// Glassy FM bell.
Samples Bell(float note, float decay = 1.5f);

// Plucked synth note for arpeggios.
Samples Pluck(float note, float decay = 0.35f, float brightness = 1.0f);

// Closed hi-hat like tick of high noise.
Samples Hat(float decay = 0.05f, std::uint64_t seed = 1);

// Woodblock tick (clock).
Samples Tick(float note, float strength = 1.0f);

// Deep studio "lights on" clunk: low boom with a metallic edge.
Samples Thump(float strength = 1.0f, std::uint64_t seed = 2);

// Filtered noise whose band slides from `fromHz` to `toHz`.
Samples Whoosh(float seconds, float fromHz, float toHz, float resonance = 0.6f, std::uint64_t seed = 3);

// Crash-like shimmer of bright noise and metallic partials.
Samples Cymbal(float decay = 2.0f, std::uint64_t seed = 4);

// Sine glide between two pitches with an envelope (sweeps, beeps).
Samples Glide(float fromNote, float toNote, float seconds, float attack = 0.005f, float release = 0.05f);

// Telephone ring: fast trill of two bell tones for `seconds`.
Samples PhoneRing(float seconds, float lowNote, float highNote);

// Crowd murmur: many voices of formant-filtered noise with syllable-like swells.
Samples Murmur(float seconds, int voices, std::uint64_t seed);

// Stadium air horn on a chord.
Samples Horn(const Chord& notes, float hold);

}  // namespace tolarka::sfxgen
