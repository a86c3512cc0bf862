#pragma once
// Loudness by role: every sound is measured as EBU R128 measures it (K-weighted loudness in
// LUFS, true peak in dBTP) and brought to the level its role calls for, with a gentle peak
// limiter where the gain alone would push its true peak above the ceiling.
#include <string_view>

#include "tools/sfxgen/dsp.h"

namespace tolarka::sfxgen {

// What a sound does in the game decides how loud it is.
enum class Role {
    Bed,       // music and ambience under the action: integrated loudness
    Sting,     // a cue over a bed, standing out above it: integrated loudness
    ShortCue,  // a cue of a few seconds: its loudest short-term (3 s) window
};

// Levels in LUFS. Stings sit 4 LU above the beds they play over.
inline constexpr double kBedLufs = -20.0;
inline constexpr double kStingLufs = -16.0;

// True peak ceilings in dBTP. A looped bed runs under whatever else plays, at any point of the
// loop, so its peaks and those of any one sound over it must add up to less than full scale
// (10^(-9.5/20) + 10^(-4/20) = 0.97): the loops keep to -9.5, everything else to -4. Music at
// -20 LUFS peaks near -10 dBTP anyway; the others lose at most a couple of dB of their sharpest
// transients to the limiter.
inline constexpr double kLoopTruePeakDb = -9.5;
inline constexpr double kTruePeakDb = -4.0;

double TargetLufs(Role role);
double TruePeakCeilingDb(bool loop);
std::string_view RoleName(Role role);

struct Loudness {
    double integratedLufs = -70.0;    // gated programme loudness
    double maxShortTermLufs = -70.0;  // loudest window of 3 s (or the whole sound when shorter)
    double truePeakDb = -70.0;
    // The figure the sound's role is judged by.
    double ForRole(Role role) const { return role == Role::ShortCue ? maxShortTermLufs : integratedLufs; }
};

// Measures a mono sound at kRate. A loop is measured twice round, so the join of its end to
// its start counts as it does in the game.
Loudness Measure(const Samples& s, bool loop);

// Scales the sound to its role's loudness and keeps its true peak at most at the ceiling, with
// a small margin for rounding to 16 bits. A loop stays seamless: the limiter's gain wraps round.
void LevelForRole(Samples& s, Role role, bool loop);

// Lowers the gain around every sample whose magnitude exceeds `ceiling` (linear): 2 ms lookahead
// and attack, 60 ms release, so that no sample is left above it.
void LimitPeaks(Samples& s, float ceiling, bool loop);

}  // namespace tolarka::sfxgen
