// The generated sounds beside the game: present, valid PCM WAV, long enough for the longest time
// the game lets each one play, loops without a seam. Their levels: sfx_loudness_test.cpp.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "tests/sfx_wav.h"

namespace {

using namespace tolarka::testing;

int PeakOf(const std::vector<std::int16_t>& s, std::size_t from = 0, std::size_t to = SIZE_MAX) {
    int p = 0;
    for (std::size_t i = from; i < std::min(to, s.size()); ++i)
        p = std::max(p, std::abs(static_cast<int>(s[i])));
    return p;
}

double RmsOf(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to) {
    double sum = 0.0;
    for (std::size_t i = from; i < to; ++i) sum += static_cast<double>(s[i]) * s[i];
    return to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0.0;
}

struct Expected {
    const char* name;
    double minSeconds;  // the longest the game lets it play before something else takes over
    bool loop;
};

// Minimum lengths worked out from the game's own timings (docs/sounds.md explains each).
const Expected kSounds[] = {
    {"menu.wav", 8.0, true},
    {"bgm1.wav", 8.0, true},
    {"bgm2.wav", 8.0, true},
    {"bgm3.wav", 8.0, true},
    {"bgm4.wav", 8.0, true},
    {"sel.wav", 20.0, false},  // pick to reveal at level 15
    {"r1.wav", 6.2, false},    // blink 0.7 + hand-over 1.5 + clip 0 4.0
    {"r2.wav", 5.2, false},    // 0.7 + 1.5 + clip 1 until its lights sound at 3.0
    {"r3.wav", 5.2, false},
    {"r4.wav", 22.0, false},   // 0.7 + 1.5 + clip 2 19.8, which has no sound of its own
    {"zb.wav", 11.75, false},  // 0.7 + 1.5 + clip 10 9.55, no sound of its own
    {"w1.wav", 3.3, false},    // until clip 3 starts ex.wav
    {"w23.wav", 3.3, false},
    {"w4.wav", 6.9, false},
    {"50-50.wav", 1.0, false},
    {"tel.wav", 33.7, false},     // clip 5 3.7 + the 30 s call limit, left to run out
    {"tel-end.wav", 1.3, false},  // the closing pause before the music comes back
    {"klakson.wav", 1.0, false},
    {"aud.wav", 16.0, false},     // clip 4
    {"ex.wav", 7.2, false},       // clip 3
    {"lights.wav", 4.5, false},   // clip 9
    {"lights2.wav", 3.6, false},  // clips 7 and 8; clip 1 restarts it after 3.0
};

class SfxFiles : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef TOLARKA_SFX_GENERATED
        GTEST_SKIP() << "sounds are not generated in this build (TOLARKA_CONTENT=OFF)";
#endif
    }
};

TEST_F(SfxFiles, EverySoundIsAValidPcmWavLongEnoughForTheGame) {
    for (const Expected& e : kSounds) {
        SCOPED_TRACE(e.name);
        const std::optional<Wav> w = LoadSound(e.name);
        ASSERT_TRUE(w.has_value()) << "missing or not a RIFF/WAVE PCM file";
        EXPECT_EQ(w->format, 1);
        EXPECT_EQ(w->bits, 16);
        // Full rate, or half where nothing audible lies above 10 kHz (the generator decides).
        EXPECT_TRUE(w->rate == 44100 || w->rate == 22050) << w->rate;
        EXPECT_LE(w->channels, 2);
        EXPECT_GE(w->Seconds(), e.minSeconds);
        // Stings are not padded far beyond their use: a few MB in all.
        EXPECT_LE(w->Seconds(), e.loop ? 16.0 : e.minSeconds + 2.0);
    }
}

TEST_F(SfxFiles, LoopsJoinEndToStartWithoutAJumpOrAGap) {
    for (const Expected& e : kSounds) {
        if (!e.loop) continue;
        SCOPED_TRACE(e.name);
        const std::optional<Wav> w = LoadSound(e.name);
        ASSERT_TRUE(w.has_value());
        const auto& s = w->frames;
        const std::size_t rate = static_cast<std::size_t>(w->rate);
        ASSERT_GT(s.size(), rate);
        const int peak = PeakOf(s);
        const int jump = std::abs(static_cast<int>(s.front()) - static_cast<int>(s.back()));
        EXPECT_LT(jump, peak / 20) << "audible click at the loop point";
        // No fade out and in around the seam: the music goes on at its usual level.
        const std::size_t edge = rate / 20;  // 50 ms
        const double whole = RmsOf(s, 0, s.size());
        EXPECT_GT(RmsOf(s, 0, edge), 0.3 * whole);
        EXPECT_GT(RmsOf(s, s.size() - edge, s.size()), 0.3 * whole);
        // A whole number of bars at 120 beats a minute.
        EXPECT_EQ(s.size() % (2 * rate), 0u);
    }
}

TEST_F(SfxFiles, OneShotsStartAndEndAtSilence) {
    for (const Expected& e : kSounds) {
        if (e.loop) continue;
        SCOPED_TRACE(e.name);
        const std::optional<Wav> w = LoadSound(e.name);
        ASSERT_TRUE(w.has_value());
        const auto& s = w->frames;
        ASSERT_FALSE(s.empty());
        EXPECT_LT(std::abs(static_cast<int>(s.front())), 330);
        EXPECT_LT(std::abs(static_cast<int>(s.back())), 330);
        // The sound is actually there in its first half second (a sting must not start late).
        EXPECT_GT(PeakOf(s, 0, static_cast<std::size_t>(w->rate) / 2), 32767 / 8);
    }
}

TEST(SfxWavParser, RejectsBrokenFiles) {
    EXPECT_FALSE(ParseWav({}).has_value());
    std::vector<std::uint8_t> notRiff(44, 0);
    EXPECT_FALSE(ParseWav(notRiff).has_value());
    // A header that claims more data than the file holds.
    std::vector<std::uint8_t> b = {'R', 'I', 'F', 'F', 36, 0, 0,   0,   'W', 'A',  'V',  'E', 'f', 'm',  't',
                                   ' ', 16,  0,   0,   0,  1, 0,   1,   0,   0x44, 0xAC, 0,   0,   0x88, 0x58,
                                   1,   0,   2,   0,   16, 0, 'd', 'a', 't', 'a',  100,  0,   0,   0};
    EXPECT_FALSE(ParseWav(b).has_value());
    b[40] = 0;  // now an empty but valid file
    const auto ok = ParseWav(b);
    ASSERT_TRUE(ok.has_value());
    EXPECT_EQ(ok->rate, 44100);
    EXPECT_TRUE(ok->frames.empty());
}

}  // namespace
