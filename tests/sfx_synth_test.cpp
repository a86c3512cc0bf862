// The sound generator's building blocks: WAV encoding, loop wrapping, seamless reverb,
// normalisation, determinism and the rate each sound is stored at.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/sdl/wav_data.h"
#include "tools/sfxgen/catalogue.h"
#include "tools/sfxgen/dsp.h"
#include "tools/sfxgen/storage_rate.h"
#include "tools/sfxgen/track.h"
#include "tools/sfxgen/voices.h"
#include "tools/sfxgen/wav.h"

namespace tolarka::sfxgen {
namespace {

// The game's own checks read the header (the RIFF size is the file's less its first 8 bytes);
// samples are rounded and clamped, never wrapped.
TEST(SfxWavEncoding, HeaderDescribesMonoSixteenBitPcmOfRoundedAndClampedSamples) {
    const std::vector<std::uint8_t> b = EncodeWav(Samples(100, 0.0f), kRate / 2);
    ASSERT_EQ(b.size(), 44u + 200u);
    EXPECT_EQ(b[4] | (b[5] << 8), 36 + 200);
    const auto format = platform::sdl::InspectWav(b);
    ASSERT_TRUE(format);
    EXPECT_EQ(format->encoding, 1);
    EXPECT_EQ(format->channels, 1);
    EXPECT_EQ(format->rate, static_cast<std::uint32_t>(kRate / 2));
    EXPECT_EQ(format->bits, 16);
    EXPECT_EQ(format->frames, 100u);
    const std::vector<std::uint8_t> s = EncodeWav({0.5f, -0.5f, 1.5f, -1.5f, 0.0f});
    // 16384, -16384, 32767, -32767 and 0, low byte first.
    EXPECT_EQ(std::vector<std::uint8_t>(s.begin() + 44, s.end()),
              (std::vector<std::uint8_t>{0x00, 0x40, 0x00, 0xC0, 0xFF, 0x7F, 0x01, 0x80, 0x00, 0x00}));
}

TEST(SfxTrack, LoopWrapsWhatRingsPastTheEndAndOneShotCutsIt) {
    Track loop = Track::Loop(1);
    Track once = Track::OneShot(kBarSeconds);
    const Samples tone(ToSamples(1.0), 1.0f);
    loop.Add(kBarSeconds - 0.5, tone);
    once.Add(kBarSeconds - 0.5, tone);
    EXPECT_EQ(loop.Data().size(), ToSamples(kBarSeconds));
    EXPECT_FLOAT_EQ(loop.Data()[ToSamples(0.25)], 1.0f);  // wrapped into the start
    EXPECT_FLOAT_EQ(loop.Data()[ToSamples(0.75)], 0.0f);
    EXPECT_FLOAT_EQ(once.Data()[ToSamples(0.25)], 0.0f);
    EXPECT_FLOAT_EQ(once.Data().back(), 1.0f);
}

TEST(SfxReverb, LoopedReverbEqualsTheSteadyStateOfEndlessRepetition) {
    // A click near the end of a loop: its reverb tail must appear at the start, exactly as if
    // the loop had been playing for a while.
    Samples loop(ToSamples(2.0), 0.0f);
    loop[loop.size() - 100] = 1.0f;
    Samples looped = loop;
    ApplyReverbLooped(looped, 0.5f, 1.0f, 0.3f);
    Samples repeated;
    for (int i = 0; i < 3; ++i) repeated.insert(repeated.end(), loop.begin(), loop.end());
    ApplyReverb(repeated, 0.5f, 1.0f, 0.3f);
    for (std::size_t i = 0; i < loop.size(); i += 97) {
        ASSERT_NEAR(looped[i], repeated[2 * loop.size() + i], 1e-5f) << i;
    }
    EXPECT_GT(Peak(Samples(looped.begin(), looped.begin() + 20000)), 1e-3f);  // the tail reaches the start
}

TEST(SfxFinish, NormalisesAnyLevelToMinusOneDecibel) {
    for (float level : {0.001f, 0.5f, 40.0f}) {
        Track t = Track::OneShot(1.0);
        t.Add(0.1, Bell(69.0f, 0.5f), level);
        const Samples s = t.Finish(0.2f);
        EXPECT_NEAR(Peak(s), kTargetPeak, 1e-4f) << level;
        EXPECT_FLOAT_EQ(s.front(), 0.0f);
        EXPECT_FLOAT_EQ(s.back(), 0.0f);
    }
    Track silent = Track::OneShot(0.5);
    for (float x : silent.Finish(0.2f)) ASSERT_FALSE(std::isnan(x));
}

TEST(SfxVoices, PitchedVoicesSoundAtTheirNote) {
    // Count zero crossings of a sustained pad: about two a cycle of its fundamental.
    const Samples s = Pad({57.0f}, 1.0f, {0.01f, 0.1f, 250.0f, 0.0f});  // A3, 220 Hz, dark
    int crossings = 0;
    for (std::size_t i = ToSamples(0.2) + 1; i < ToSamples(0.8); ++i) {
        if ((s[i - 1] < 0.0f) != (s[i] < 0.0f)) ++crossings;
    }
    EXPECT_NEAR(crossings / 0.6, 2 * 220.0, 2 * 220.0 * 0.05);
    EXPECT_NEAR(NoteHz(62.0f), 293.66f, 0.01f);
}

TEST(SfxGeneration, IsDeterministicAndCoversEveryFileOnce) {
    const auto& sounds = Catalogue();
    EXPECT_EQ(sounds.size(), 22u);
    for (std::size_t i = 0; i < sounds.size(); ++i) {
        for (std::size_t j = i + 1; j < sounds.size(); ++j) EXPECT_NE(sounds[i].fileName, sounds[j].fileName);
    }
    const Samples a = MakeAud();  // the one with the most randomness
    const Samples b = MakeAud();
    EXPECT_EQ(a, b);
    Rng r1(5), r2(5);
    for (int i = 0; i < 1000; ++i) {
        const float u = r1.Uniform();
        ASSERT_EQ(u, r2.Uniform());
        ASSERT_GE(u, 0.0f);
        ASSERT_LT(u, 1.0f);
    }
}

TEST(SfxStorageRate, HalvesOnlyWhatHasNothingAudibleAboveTenKilohertz) {
    const std::size_t n = ToSamples(1.0);
    Samples tone(n), bright(n);
    Rng noise(7);
    for (std::size_t i = 0; i < n; ++i) {
        const float t = static_cast<float>(i) / kRate;
        tone[i] = 0.5f * std::sin(2.0f * kPi * 441.0f * t);  // a whole number of cycles a second
        bright[i] = tone[i] + 0.05f * std::sin(2.0f * kPi * 13000.0f * t);  // -20 dB at 13 kHz
    }
    const StoredSound low = ForStorage(tone, true);
    EXPECT_EQ(low.rate, kRate / 2);
    ASSERT_EQ(low.samples.size(), n / 2);
    // The tone is kept: same level, same phase, and the loop still joins without a jump.
    for (std::size_t i = 100; i < low.samples.size(); i += 997)
        EXPECT_NEAR(low.samples[i], tone[2 * i], 0.01f);
    EXPECT_NEAR(low.samples.back(), tone[n - 2], 0.01f);
    EXPECT_LT(EnergyAboveHalfBandDb(tone, true), -60.0);

    const StoredSound full = ForStorage(bright, true);
    EXPECT_EQ(full.rate, kRate);
    EXPECT_EQ(full.samples, bright);
    EXPECT_NEAR(EnergyAboveHalfBandDb(bright, true), -20.0, 0.5);

    // White noise has half its energy above 11 kHz; a loop of odd length cannot halve its seam.
    Samples hiss(n);
    for (float& v : hiss) v = 0.3f * noise.Bipolar();
    EXPECT_EQ(ForStorage(hiss, false).rate, kRate);
    Samples odd(tone.begin(), tone.end() - 1);
    EXPECT_EQ(ForStorage(odd, true).rate, kRate);
    EXPECT_EQ(ForStorage(odd, false).rate, kRate / 2);
}

}  // namespace
}  // namespace tolarka::sfxgen
