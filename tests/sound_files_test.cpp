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

void Write(const std::string& path, const Bytes& bytes) {
    media_test::WriteBytes(path, std::vector<char>(bytes.begin(), bytes.end()));
}

// The process's open descriptors (-1 where the system cannot count them).
int OpenDescriptors() { return testing::OpenDescriptorCount(); }

TEST(WavData, AcceptsPlainPcmAndFloatAndSkipsOtherChunks) {
    const auto good = InspectWav(WavBuilder{}.Build());
    ASSERT_TRUE(good);
    EXPECT_EQ(good->channels, 2);
    EXPECT_EQ(good->rate, 22050u);
    EXPECT_EQ(good->frames, 100u);

    WavBuilder mono8;
    mono8.channels = 1;
    mono8.bits = 8;
    mono8.frames = 7;  // odd data size: the pad byte of an odd chunk
    mono8.extraBeforeData = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    ASSERT_TRUE(InspectWav(mono8.Build()));
    EXPECT_EQ(InspectWav(mono8.Build())->frames, 7u);

    WavBuilder floats;
    floats.encoding = 3;
    floats.bits = 32;
    floats.fmtSize = 18;
    EXPECT_TRUE(InspectWav(floats.Build()));

    // A data chunk claiming more than the file holds counts the whole frames present; the copy
    // for the mixer says exactly that.
    WavBuilder longer;
    longer.dataSizeField = 0x7FFFFFF0;
    Bytes cut = longer.Build();
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

    auto refused = [](auto change) {
        WavBuilder w;
        change(w);
        return !InspectWav(w.Build());
    };
    EXPECT_TRUE(refused([](WavBuilder& w) { w.encoding = 2; }));  // ADPCM
    EXPECT_TRUE(refused([](WavBuilder& w) { w.encoding = 0xFFFE; }));
    EXPECT_TRUE(refused([](WavBuilder& w) { w.channels = 0; }));
    EXPECT_TRUE(refused([](WavBuilder& w) { w.channels = 6; }));
    EXPECT_TRUE(refused([](WavBuilder& w) { w.bits = 12; }));
    EXPECT_TRUE(refused([](WavBuilder& w) { w.rate = 0; }));
    EXPECT_TRUE(refused([](WavBuilder& w) { w.rate = 1'000'000; }));
    EXPECT_TRUE(refused([](WavBuilder& w) { w.frames = 0; }));
    EXPECT_TRUE(refused([](WavBuilder& w) { w.fmtSize = 14; }));
    // Eleven minutes of 8-bit mono at 4 kHz: a small file, a huge sound.
    EXPECT_TRUE(refused([](WavBuilder& w) {
        w.channels = 1;
        w.bits = 8;
        w.rate = 4000;
        w.frames = 11 * 60 * 4000;
    }));
    // A chunk whose size runs past the end before any data.
    WavBuilder w;
    w.extraBeforeData = {'j', 'u', 'n', 'k', 0xFF, 0xFF, 0xFF, 0x7F};
    EXPECT_FALSE(InspectWav(w.Build()));
}

class SoundFiles : public ::testing::Test {
protected:
    void SetUp() override {
        if (!device_.IsOpen()) GTEST_SKIP() << "no audio device";
    }
    ScratchDir dir_;
    AudioDevice device_;
};

TEST_F(SoundFiles, TinyAndForeignFilesLoadNothingAndLeakNothing) {
    const Bytes good = WavBuilder{}.Build();
    std::vector<std::string> files;
    // 4 to 11 bytes: the start of a WAV, and bytes that are no sound at all.
    const std::string text = "not a sound";
    for (size_t n = 4; n <= 11; ++n) {
        files.push_back(dir_.File("tiny" + std::to_string(n) + ".wav"));
        Write(files.back(), Bytes(good.begin(), good.begin() + static_cast<long>(n)));
        files.push_back(dir_.File("text" + std::to_string(n) + ".wav"));
        Write(files.back(), Bytes(text.begin(), text.begin() + static_cast<long>(n)));
    }
    files.push_back(dir_.File("menu.wav"));
    Write(files.back(), VocFile());
    files.push_back(dir_.File("huge.wav"));
    Write(files.back(), good);
    std::filesystem::resize_file(files.back(), platform::sdl::kMaxWavFileBytes + 1);

    const int before = OpenDescriptors();
    for (int round = 0; round < 20; ++round) {
        for (const auto& f : files) EXPECT_EQ(device_.LoadWav(f), nullptr) << f;
    }
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(SoundFiles, AGoodWavLoadsAtTheMixersRateWhateverItsOwn) {
    // A tenth of a second in each format the files may have: as long after conversion.
    struct Format {
        std::uint16_t encoding, channels, bits;
        std::uint32_t rate;
    };
    const int before = OpenDescriptors();
    for (const Format f : {Format{1, 2, 16, 44100}, Format{1, 1, 8, 22050}, Format{1, 2, 24, 48000},
                           Format{3, 1, 32, 11025}}) {
        WavBuilder w;
        w.encoding = f.encoding;
        w.channels = f.channels;
        w.bits = f.bits;
        w.rate = f.rate;
        w.frames = f.rate / 10;
        const std::string path = dir_.File("good.wav");
        Write(path, w.Build());
        const auto sound = device_.LoadWav(path);
        ASSERT_NE(sound, nullptr) << f.bits << " bits at " << f.rate;
        EXPECT_EQ(sound->samples.size() % platform::sdl::kMixChannels, 0u);
        EXPECT_NEAR(static_cast<double>(sound->samples.size()) / platform::sdl::kMixChannels,
                    platform::sdl::kMixRate / 10, 2)
            << f.bits << " bits at " << f.rate;
    }
    EXPECT_EQ(OpenDescriptors(), before);
}

}  // namespace
}  // namespace tolarka
