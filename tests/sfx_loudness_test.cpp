// The generated sounds measured as EBU R128 measures them (libebur128): each as loud as its
// role in the game asks, none with a true peak above -1 dBTP.
#include <ebur128.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "tests/sfx_wav.h"

namespace {

using namespace tolarka::testing;

enum class Role { Bed, Sting, ShortCue };

struct Sound {
    const char* name;
    Role role;
    bool loop;
};

// Beds: music, and what stands in for it while the player waits. Stings play over a bed and
// must stand out above it. Short cues last a few seconds and are judged by their loudest part.
const Sound kSounds[] = {
    {"menu.wav", Role::Bed, true},          {"bgm1.wav", Role::Bed, true},
    {"bgm2.wav", Role::Bed, true},          {"bgm3.wav", Role::Bed, true},
    {"bgm4.wav", Role::Bed, true},          {"sel.wav", Role::Bed, false},
    {"tel.wav", Role::Bed, false},          {"aud.wav", Role::Bed, false},
    {"r1.wav", Role::Sting, false},         {"r2.wav", Role::Sting, false},
    {"r3.wav", Role::Sting, false},         {"r4.wav", Role::Sting, false},
    {"zb.wav", Role::Sting, false},         {"w1.wav", Role::Sting, false},
    {"w23.wav", Role::Sting, false},        {"w4.wav", Role::Sting, false},
    {"ex.wav", Role::Sting, false},         {"lights.wav", Role::Sting, false},
    {"lights2.wav", Role::Sting, false},    {"50-50.wav", Role::ShortCue, false},
    {"tel-end.wav", Role::ShortCue, false}, {"klakson.wav", Role::ShortCue, false},
};

// Music and ambience about -20 LUFS; what plays over them about 4 LU louder.
constexpr double kBed = -20.0, kSting = -16.0, kTolerance = 1.0, kTruePeakCeiling = -1.0;

struct Figures {
    double integrated = -HUGE_VAL, loudestShortTerm = -HUGE_VAL, truePeak = HUGE_VAL;
};

struct StateFreer {
    void operator()(ebur128_state* st) const { ebur128_destroy(&st); }
};

// A loop is measured twice round, so that its join counts as in the game. Short-term windows
// are 3 s, or the whole sound when it is shorter.
Figures Measure(const Wav& w, bool loop) {
    std::vector<std::int16_t> s = w.frames;
    if (loop) s.insert(s.end(), w.frames.begin(), w.frames.end());
    std::unique_ptr<ebur128_state, StateFreer> st(ebur128_init(
        1, static_cast<unsigned long>(w.rate), EBUR128_MODE_I | EBUR128_MODE_S | EBUR128_MODE_TRUE_PEAK));
    Figures f;
    if (!st) return f;
    const unsigned long window = std::clamp(
        static_cast<unsigned long>(w.frames.size() * 1000 / static_cast<std::size_t>(w.rate)), 400ul, 3000ul);
    const std::size_t step = static_cast<std::size_t>(w.rate) / 10;
    for (std::size_t at = 0; at < s.size(); at += step) {
        ebur128_add_frames_short(st.get(), s.data() + at, std::min(step, s.size() - at));
        double l = 0.0;
        if (ebur128_loudness_window(st.get(), window, &l) == EBUR128_SUCCESS)
            f.loudestShortTerm = std::max(f.loudestShortTerm, l);
    }
    double peak = 0.0;
    ebur128_loudness_global(st.get(), &f.integrated);
    if (ebur128_true_peak(st.get(), 0, &peak) == EBUR128_SUCCESS) f.truePeak = 20.0 * std::log10(peak);
    return f;
}

class SfxLoudness : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef TOLARKA_SFX_GENERATED
        GTEST_SKIP() << "sounds are not generated in this build (TOLARKA_CONTENT=OFF)";
#endif
    }
};

TEST_F(SfxLoudness, EachSoundIsAsLoudAsItsRoleWithTruePeaksUnderTheCeiling) {
    for (const Sound& sound : kSounds) {
        SCOPED_TRACE(sound.name);
        const auto wav = LoadSound(sound.name);
        ASSERT_TRUE(wav.has_value());
        const Figures f = Measure(*wav, sound.loop);
        switch (sound.role) {
            case Role::Bed: EXPECT_NEAR(f.integrated, kBed, kTolerance); break;
            case Role::Sting: EXPECT_NEAR(f.integrated, kSting, kTolerance); break;
            case Role::ShortCue: EXPECT_NEAR(f.loudestShortTerm, kSting, kTolerance); break;
        }
        EXPECT_LE(f.truePeak, kTruePeakCeiling);
        // A bed is steady: no part of it stands out above it further than a sting would.
        if (sound.role == Role::Bed) {
            EXPECT_LT(f.loudestShortTerm - f.integrated, 5.0);
        }
    }
}

// The measurement itself, on signals whose loudness is known: a 997 Hz sine at -20 dBFS reads
// -23 LUFS (EBU Tech 3341), twice its amplitude 6 LU more, and its true peak sits at its peak.
TEST(SfxLoudnessMeasure, KnownSignalsReadTheirKnownLoudness) {
    Wav w;
    w.rate = 44100;
    for (int i = 0; i < 44100 * 4; ++i)
        w.frames.push_back(static_cast<std::int16_t>(
            std::lround(3276.7 * std::sin(2 * std::numbers::pi * 997.0 * i / 44100.0))));
    Figures f = Measure(w, false);
    EXPECT_NEAR(f.integrated, -23.0, 0.1);
    EXPECT_NEAR(f.loudestShortTerm, -23.0, 0.1);
    EXPECT_NEAR(f.truePeak, -20.0, 0.1);
    for (auto& x : w.frames) x = static_cast<std::int16_t>(x * 2);
    EXPECT_NEAR(Measure(w, true).integrated, -17.0, 0.1);
    // Half a second of it in silence: short-term is judged over the sound's own length.
    w.frames.resize(22050);
    f = Measure(w, false);
    EXPECT_NEAR(f.loudestShortTerm, -17.0, 0.2);
}

}  // namespace
