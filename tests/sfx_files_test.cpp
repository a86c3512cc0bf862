// The generated sounds beside the game: present, PCM WAV the game reads, long enough for the longest time
// the game lets each one play, loops without a seam, and measured as EBU R128 measures them
// (libebur128): each as loud as its role in the game asks, none with a true peak above -1 dBTP.
#include <ebur128.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
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
// the game's own timings (docs/sounds.md explains each): sel from the pick to the reveal at level
// 15; r1-r4 and zb the blink 0.7 + the hand-over 1.5 + their clip until it sounds itself (clip 0
// 4.0, clip 1 3.0 when its lights sound, clip 2 19.8, clip 10 9.55); w1 and w23 until clip 3
// starts ex.wav; tel clip 5's 3.7 + the 30 s call, left to run out; tel-end the closing pause before the
// music comes back; aud, ex, lights and lights2 their clips (4, 3, 9, and 7 and 8; clip 1
// restarts lights2 after 3.0).
const std::pair<const char*, double> kMinSeconds[] = {
    {"menu.wav", 8.0},   {"bgm1.wav", 8.0},   {"bgm2.wav", 8.0},    {"bgm3.wav", 8.0},    {"bgm4.wav", 8.0},
    {"sel.wav", 20.0},   {"r1.wav", 6.2},     {"r2.wav", 5.2},      {"r3.wav", 5.2},      {"r4.wav", 22.0},
    {"zb.wav", 11.75},   {"w1.wav", 3.3},     {"w23.wav", 3.3},     {"w4.wav", 6.9},      {"50-50.wav", 1.0},
    {"tel.wav", 33.7},   {"aud.wav", 16.0},   {"tel-end.wav", 1.3}, {"klakson.wav", 1.0}, {"ex.wav", 7.2},
    {"lights.wav", 4.5}, {"lights2.wav", 3.6}};

// Music and ambience about -20 LUFS; what plays over them about 4 LU louder.
constexpr double kBed = -20.0, kSting = -16.0, kTolerance = 1.0, kTruePeakCeiling = -1.0;

struct Figures {
    double integrated = -HUGE_VAL, loudestShortTerm = -HUGE_VAL, truePeak = HUGE_VAL;
};

// A loop is measured twice round, so that its join counts as in the game. Short-term windows
// are 3 s, or the whole sound when it is shorter.
Figures Measure(const Wav& w, bool loop) {
    std::vector<std::int16_t> s = w.frames;
    if (loop) s.insert(s.end(), w.frames.begin(), w.frames.end());
    std::unique_ptr<ebur128_state, void (*)(ebur128_state*)> st(
        ebur128_init(1, static_cast<unsigned long>(w.rate),
                     EBUR128_MODE_I | EBUR128_MODE_S | EBUR128_MODE_TRUE_PEAK),
        [](ebur128_state* p) { ebur128_destroy(&p); });
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

TEST(SfxFiles, EverySoundIsLongEnoughForTheGameJoinsCleanlyAndIsAsLoudAsItsRole) {
#ifndef TOLARKA_SFX_GENERATED
    GTEST_SKIP() << "sounds are not generated in this build (TOLARKA_CONTENT=OFF)";
#endif
    for (const auto& [name, minSeconds] : kMinSeconds) {
        SCOPED_TRACE(name);
        // What the generator says the sound is: repeated or not, and its role.
        const auto recipe = std::find_if(sfxgen::Catalogue().begin(), sfxgen::Catalogue().end(),
                                         [&](const auto& r) { return r.fileName == name; });
        ASSERT_NE(recipe, sfxgen::Catalogue().end());
        const std::optional<Wav> w = LoadSound(name);
        ASSERT_TRUE(w.has_value()) << "missing or not a RIFF/WAVE PCM file";
        EXPECT_EQ(w->format, 1);
        // Full rate, or half where nothing audible lies above 10 kHz (the generator decides).
        EXPECT_TRUE(w->rate == 44100 || w->rate == 22050) << w->rate;
        EXPECT_LE(w->channels, 2);
        EXPECT_GE(w->Seconds(), minSeconds);
        // Stings are not padded far beyond their use: a few MB in all.
        EXPECT_LE(w->Seconds(), recipe->loop ? 16.0 : minSeconds + 2.0);

        const auto& s = w->frames;
        const std::size_t rate = static_cast<std::size_t>(w->rate);
        ASSERT_GT(s.size(), rate / 2);
        if (recipe->loop) {
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

        const Figures f = Measure(*w, recipe->loop);
        switch (recipe->role) {
            case sfxgen::Role::Bed: EXPECT_NEAR(f.integrated, kBed, kTolerance); break;
            case sfxgen::Role::Sting: EXPECT_NEAR(f.integrated, kSting, kTolerance); break;
            case sfxgen::Role::ShortCue: EXPECT_NEAR(f.loudestShortTerm, kSting, kTolerance); break;
        }
        EXPECT_LE(f.truePeak, kTruePeakCeiling);
        // A bed is steady: no part of it stands out above it further than a sting would.
        EXPECT_TRUE(recipe->role != sfxgen::Role::Bed || f.loudestShortTerm - f.integrated < 5.0)
            << "a bed with a part " << f.loudestShortTerm - f.integrated << " LU above it";
    }
}

}  // namespace
