// The generated sounds beside the game: present, PCM WAV the game reads, long enough for the longest time
// the game lets each one play, loops without a seam, and measured as EBU R128 measures them
// (libebur128): each as loud as its role in the game asks, none with a true peak above -1 dBTP.
#include <ebur128.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/sfx_wav.h"
#include "tools/sfxgen/catalogue.h"

namespace {

using namespace tolarka;
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

// The longest the game lets each sound play before something else takes over, worked out from
// the game's own timings (docs/sounds.md explains each).
// clang-format off
const std::pair<const char*, double> kMinSeconds[] = {
    {"menu.wav", 8.0}, {"bgm1.wav", 8.0}, {"bgm2.wav", 8.0}, {"bgm3.wav", 8.0}, {"bgm4.wav", 8.0},
    {"sel.wav", 20.0},     // pick to reveal at level 15
    {"r1.wav", 6.2},       // blink 0.7 + hand-over 1.5 + clip 0 4.0
    {"r2.wav", 5.2},       // 0.7 + 1.5 + clip 1 until its lights sound at 3.0
    {"r3.wav", 5.2},
    {"r4.wav", 22.0},      // 0.7 + 1.5 + clip 2 19.8, which has no sound of its own
    {"zb.wav", 11.75},     // 0.7 + 1.5 + clip 10 9.55, no sound of its own
    {"w1.wav", 3.3},       // until clip 3 starts ex.wav
    {"w23.wav", 3.3}, {"w4.wav", 6.9}, {"50-50.wav", 1.0},
    {"tel.wav", 33.7},     // clip 5 3.7 + the 30 s call limit, left to run out
    {"tel-end.wav", 1.3},  // the closing pause before the music comes back
    {"klakson.wav", 1.0},
    {"aud.wav", 16.0},     // clip 4
    {"ex.wav", 7.2},       // clip 3
    {"lights.wav", 4.5},   // clip 9
    {"lights2.wav", 3.6},  // clips 7 and 8; clip 1 restarts it after 3.0
};
// clang-format on

struct Expected {
    std::string name;
    double minSeconds;
    bool loop;
    sfxgen::Role role;
};

// Every sound the game plays, with what the generator says it is (repeated or not, its role).
std::vector<Expected> Sounds() {
    std::vector<Expected> out;
    for (const auto& [name, seconds] : kMinSeconds) {
        Expected e{name, seconds, false, sfxgen::Role::Sting};
        for (const auto& recipe : sfxgen::Catalogue())
            if (recipe.fileName == name) e.loop = recipe.loop, e.role = recipe.role;
        out.push_back(e);
    }
    return out;
}

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

class SfxFiles : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef TOLARKA_SFX_GENERATED
        GTEST_SKIP() << "sounds are not generated in this build (TOLARKA_CONTENT=OFF)";
#endif
    }
};

TEST_F(SfxFiles, EverySoundIsLongEnoughForTheGameJoinsCleanlyAndIsAsLoudAsItsRole) {
    for (const Expected& e : Sounds()) {
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

        const auto& s = w->frames;
        const std::size_t rate = static_cast<std::size_t>(w->rate);
        ASSERT_GT(s.size(), rate / 2);
        if (e.loop) {
            // The end joins the start without a jump, a gap, or a fade out and in around the seam.
            EXPECT_LT(std::abs(s.front() - s.back()), PeakOf(s) / 20) << "audible click at the loop point";
            const std::size_t edge = rate / 20;  // 50 ms
            const double whole = RmsOf(s, 0, s.size());
            EXPECT_GT(RmsOf(s, 0, edge), 0.3 * whole);
            EXPECT_GT(RmsOf(s, s.size() - edge, s.size()), 0.3 * whole);
            // A whole number of bars at 120 beats a minute.
            EXPECT_EQ(s.size() % (2 * rate), 0u);
        } else {
            // A one-shot starts and ends at silence, and is there in its first half second (a
            // sting must not start late).
            EXPECT_LT(std::abs(s.front()), 330);
            EXPECT_LT(std::abs(s.back()), 330);
            EXPECT_GT(PeakOf(s, 0, rate / 2), 32767 / 8);
        }

        const Figures f = Measure(*w, e.loop);
        switch (e.role) {
            case sfxgen::Role::Bed: EXPECT_NEAR(f.integrated, kBed, kTolerance); break;
            case sfxgen::Role::Sting: EXPECT_NEAR(f.integrated, kSting, kTolerance); break;
            case sfxgen::Role::ShortCue: EXPECT_NEAR(f.loudestShortTerm, kSting, kTolerance); break;
        }
        EXPECT_LE(f.truePeak, kTruePeakCeiling);
        // A bed is steady: no part of it stands out above it further than a sting would.
        EXPECT_TRUE(e.role != sfxgen::Role::Bed || f.loudestShortTerm - f.integrated < 5.0)
            << "a bed with a part " << f.loudestShortTerm - f.integrated << " LU above it";
    }
}

}  // namespace
