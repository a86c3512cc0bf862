#pragma once
// The rate a sound is written at. Most of the music lives far below 11 kHz: such a sound is
// stored at half the synthesis rate, which halves its file and changes nothing one can hear.
// Sounds with real content above that (cymbals, noise bursts) keep the full rate.
#include "tools/sfxgen/dsp.h"

namespace tolarka::sfxgen {

// Energy above the half rate's band, relative to the whole sound, below which halving is
// inaudible: 40 dB under the sound itself, beneath what the music's own mix would mask.
inline constexpr double kInaudibleAboveDb = -40.0;

struct StoredSound {
    Samples samples;
    int rate = kRate;
};

// Share of the sound's energy above 10 kHz, in dB (0 dB: all of it; -inf: none). A loop is
// filtered round its seam, as it plays.
double EnergyAboveHalfBandDb(const Samples& s, bool loop);

// The sound as it is written: low-passed and decimated to kRate / 2 where that is inaudible
// (and, for a loop, where its length halves exactly so the seam stays where it was), or as it is.
StoredSound ForStorage(const Samples& s, bool loop);

}  // namespace tolarka::sfxgen
