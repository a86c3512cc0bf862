// Which sound files reach the mixer: RIFF/WAVE PCM of sane size, read by the game itself.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/sdl/audio_device.h"
#include "platform/sdl/wav_data.h"
#include "tests/media_test_support.h"
#include "tests/support/system.h"

namespace tolarka {
namespace {

using media_test::WavBuilder;
using platform::sdl::AudioDevice;
using platform::sdl::CanonicalWav;
using platform::sdl::InspectWav;

using Bytes = std::vector<std::uint8_t>;

// A tiny Creative Voice file: header, one block of 8-bit samples, terminator.
Bytes VocFile() {
    const std::string magic = "Creative Voice File\x1A";
    Bytes b(magic.begin(), magic.end());
    for (int v : {0x1A, 0x00, 0x0A, 0x01, 0x29, 0x11}) b.push_back(static_cast<std::uint8_t>(v));
    const int samples = 30;
    for (int v : {0x01, samples + 2, 0x00, 0x00, 0xA6, 0x00}) b.push_back(static_cast<std::uint8_t>(v));
    for (int i = 0; i < samples; ++i) b.push_back(static_cast<std::uint8_t>(128 + (i % 2 ? 40 : -40)));
    b.push_back(0);
    return b;
}

TEST(WavData, AcceptsPlainPcmAndFloatAndSkipsOtherChunks) {
    const auto good = InspectWav(WavBuilder{}.Build());
    ASSERT_TRUE(good);
    EXPECT_EQ(good->channels, 2);
    EXPECT_EQ(good->rate, 22050u);
    EXPECT_EQ(good->frames, 100u);
    // Odd data size (the pad byte of an odd chunk) after a chunk to skip.
    const Bytes list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    const auto mono8 =
        InspectWav(WavBuilder{.channels = 1, .bits = 8, .frames = 7, .extraBeforeData = list}.Build());
    ASSERT_TRUE(mono8);
    EXPECT_EQ(mono8->frames, 7u);
    EXPECT_TRUE(InspectWav(WavBuilder{.encoding = 3, .bits = 32, .fmtSize = 18}.Build()));

    // A data chunk claiming more than the file holds counts the whole frames present; the copy
    // for the mixer says exactly that.
    Bytes cut = WavBuilder{.dataSizeField = 0x7FFFFFF0}.Build();
    cut.resize(cut.size() - 6);
    ASSERT_TRUE(InspectWav(cut));
    EXPECT_EQ(InspectWav(cut)->frames, 98u);
    const auto clean = CanonicalWav(cut);
    ASSERT_TRUE(clean);
    EXPECT_EQ(clean->size(), 44u + 98 * 4);
    EXPECT_EQ(InspectWav(*clean)->frames, 98u);
    EXPECT_TRUE(std::equal(clean->begin() + 44, clean->end(), cut.begin() + 44));
}

TEST(WavData, RefusesOtherContainersCodecsAndOddFormats) {
    const Bytes good = WavBuilder{}.Build();
    for (size_t n = 0; n < 44; ++n) EXPECT_FALSE(InspectWav(Bytes(good.begin(), good.begin() + n))) << n;
    EXPECT_FALSE(InspectWav(VocFile()));
    Bytes aiff = good;
    std::copy_n("FORM", 4, aiff.begin());
    std::copy_n("AIFF", 4, aiff.begin() + 8);
    EXPECT_FALSE(InspectWav(aiff));
    int row = 0;
    for (const WavBuilder& w :
         {WavBuilder{.encoding = 2}, WavBuilder{.encoding = 0xFFFE},  // ADPCM, extensible
          WavBuilder{.channels = 0}, WavBuilder{.channels = 6}, WavBuilder{.bits = 12}, WavBuilder{.rate = 0},
          WavBuilder{.rate = 1'000'000}, WavBuilder{.frames = 0}, WavBuilder{.fmtSize = 14},
          // Eleven minutes of 8-bit mono at 4 kHz: a small file, a huge sound.
          WavBuilder{.channels = 1, .bits = 8, .rate = 4000, .frames = 11 * 60 * 4000},
          // A chunk whose size runs past the end before any data.
          WavBuilder{.extraBeforeData = {'j', 'u', 'n', 'k', 0xFF, 0xFF, 0xFF, 0x7F}}})
        EXPECT_FALSE(InspectWav(w.Build())) << "row " << row++;
}

// A good WAV loads at the mixer's rate whatever its own; tiny and foreign files load nothing.
// Neither leaves a file open.
TEST(SoundFiles, GoodWavsLoadAtTheMixersRateOthersNotAndNoneLeaks) {
    AudioDevice device;
    if (!device.IsOpen()) GTEST_SKIP() << "no audio device";
    ScratchDir dir;
    const int before = testing::OpenDescriptorCount();
    // A tenth of a second in each format the files may have: as long after conversion.
    for (const WavBuilder& f : {WavBuilder{1, 2, 16, 44100, 4410}, WavBuilder{1, 1, 8, 22050, 2205},
                                WavBuilder{1, 2, 24, 48000, 4800}, WavBuilder{3, 1, 32, 11025, 1102}}) {
        SCOPED_TRACE(std::to_string(f.bits) + " bits at " + std::to_string(f.rate));
        WriteFile(dir.File("good.wav"), f.Build());
        const auto sound = device.LoadWav(dir.File("good.wav"));
        ASSERT_NE(sound, nullptr);
        EXPECT_EQ(sound->samples.size() % platform::sdl::kMixChannels, 0u);
        EXPECT_NEAR(static_cast<double>(sound->samples.size()) / platform::sdl::kMixChannels,
                    platform::sdl::kMixRate / 10, 2);
    }
    // 4 to 11 bytes: the start of a WAV, and bytes that are no sound at all.
    const Bytes good = WavBuilder{}.Build();
    const std::string text = "not a sound";
    std::vector<std::string> files = {dir.File("menu.wav"), dir.File("huge.wav")};
    WriteFile(files[0], VocFile());
    WriteFile(files[1], good);
    std::filesystem::resize_file(files[1], platform::sdl::kMaxWavFileBytes + 1);
    for (long n = 4; n <= 11; ++n) {
        files.push_back(dir.File("tiny" + std::to_string(n) + ".wav"));
        WriteFile(files.back(), Bytes(good.begin(), good.begin() + n));
        files.push_back(dir.File("text" + std::to_string(n) + ".wav"));
        WriteFile(files.back(), Bytes(text.begin(), text.begin() + n));
    }
    for (int round = 0; round < 20; ++round)
        for (const auto& f : files) EXPECT_EQ(device.LoadWav(f), nullptr) << f;
    EXPECT_EQ(testing::OpenDescriptorCount(), before);
}

}  // namespace
}  // namespace tolarka
