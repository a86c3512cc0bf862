#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "platform/sdl/sdl_media.h"
#include "tests/media_test_support.h"
#include "tests/support/system.h"

namespace tolarka {
namespace {

using media_test::ManualClock;
using media_test::TempDir;
using platform::Size;
using platform::sdl::SdlMediaSystem;

// Polls `done` every millisecond until it holds, for at most 5 s of real time.
bool Eventually(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

class SoundChannels : public ::testing::Test {
protected:
    void SetUp() override {
        if (!media_.AudioOpen()) GTEST_SKIP() << "no audio device: " << SDL_GetError();
        media_test::WriteWav(short_wav_, 100);
        media_test::WriteWav(long_wav_, 3000);
    }

    TempDir dir_;
    std::string short_wav_ = dir_.File("short.wav");
    std::string long_wav_ = dir_.File("long.wav");
    ManualClock clock_;
    SdlMediaSystem media_{clock_};
};

TEST_F(SoundChannels, EachChannelPlaysOnItsOwnReservedMixerChannel) {
    auto music = media_.CreateSdlChannel("WMP1");
    auto effects = media_.CreateSdlChannel("WMP2");
    ASSERT_GT(music->MixerChannel(), 0);  // 0 carries the system sound
    ASSERT_GT(effects->MixerChannel(), 0);
    EXPECT_NE(music->MixerChannel(), effects->MixerChannel());

    music->SetFile(long_wav_);
    effects->SetFile(long_wav_);
    EXPECT_EQ(music->VideoSize(), (Size{0, 0}));
    EXPECT_EQ(Mix_Playing(music->MixerChannel()), 0) << "a file set and not played stays silent";
    music->Play();
    EXPECT_EQ(Mix_Playing(music->MixerChannel()), 1);
    EXPECT_EQ(Mix_Playing(effects->MixerChannel()), 0);
    // Nothing else can take a media channel's mixer channel.
    Mix_Chunk* chunk = Mix_LoadWAV(short_wav_.c_str());
    ASSERT_NE(chunk, nullptr);
    EXPECT_EQ(Mix_PlayChannel(-1, chunk, 0), -1);
    Mix_FreeChunk(chunk);

    music->Stop();
    EXPECT_EQ(Mix_Playing(music->MixerChannel()), 0);
    music->Stop();
    music->Play();
    music->SetFile(short_wav_);  // another file replaces the one playing
    EXPECT_EQ(Mix_Playing(music->MixerChannel()), 0);
}

TEST_F(SoundChannels, RepeatingSoundPlaysOnPastItsEnd) {
    auto once = media_.CreateSdlChannel("WMP2");
    auto forever = media_.CreateSdlChannel("WMP1");
    once->SetFile(short_wav_);
    forever->SetFile(short_wav_);
    forever->SetRepeat(true);
    once->Play();
    forever->Play();
    // Both started together: once the single play has ended, the repeating one is past its end.
    EXPECT_TRUE(Eventually([&] { return Mix_Playing(once->MixerChannel()) == 0; }));
    EXPECT_EQ(Mix_Playing(forever->MixerChannel()), 1);
    forever->Stop();
    EXPECT_EQ(Mix_Playing(forever->MixerChannel()), 0);
}

TEST_F(SoundChannels, ReleasedMixerChannelsAreReused) {
    auto first = media_.CreateSdlChannel("WMPintro");
    const int freed = [&] {
        auto second = media_.CreateSdlChannel("WMP2");
        second->SetFile(long_wav_);
        second->Play();
        return second->MixerChannel();
    }();
    EXPECT_EQ(Mix_Playing(freed), 0) << "a destroyed channel falls silent";
    auto third = media_.CreateSdlChannel("WMP3");
    EXPECT_EQ(third->MixerChannel(), freed);
}

TEST_F(SoundChannels, UnreadableSoundsPlayNothing) {
    auto channel = media_.CreateSdlChannel("WMP2");
    const std::string garbage = dir_.File("garbage.wav");
    media_test::WriteBytes(garbage, std::vector<char>(5000, 'x'));
    const std::string cut = dir_.File("cut.wav");
    const auto bytes = media_test::ReadBytes(long_wav_);
    media_test::WriteBytes(cut, std::vector<char>(bytes.begin(), bytes.begin() + 30));
    const std::string fifo = dir_.File("fifo.wav");
    // Where there are no named pipes, the name stays a missing file.
    if (!testing::Missing(testing::Feature::NamedPipes)) {
        ASSERT_TRUE(testing::MakeFifo(fifo));
    }
    for (const std::string& path :
         {dir_.File("missing.wav"), garbage, cut, fifo, dir_.File(""), std::string()}) {
        channel->SetFile(path);
        channel->Play();
        EXPECT_EQ(Mix_Playing(channel->MixerChannel()), 0) << path;
    }
    media_.PlaySystemSound(dir_.File("missing.wav"));
    EXPECT_EQ(Mix_Playing(0), 0);
}

TEST_F(SoundChannels, SystemSoundPlaysBesideTheChannels) {
    auto music = media_.CreateSdlChannel("WMP1");
    music->SetFile(long_wav_);
    music->Play();
    media_.PlaySystemSound(long_wav_);
    EXPECT_EQ(Mix_Playing(0), 1);
    EXPECT_EQ(Mix_Playing(music->MixerChannel()), 1);
    media_.PlaySystemSound(short_wav_);  // the next one cuts off the last
    EXPECT_EQ(Mix_Playing(0), 1);
    EXPECT_TRUE(Eventually([] { return Mix_Playing(0) == 0; })) << "the short one ends by itself";
}

// Without any usable audio device every call is harmless and clips still play.
TEST(MutedMedia, WorksWithoutAnAudioDevice) {
    const char* before = SDL_getenv("SDL_AUDIODRIVER");
    const std::string saved = before ? before : "";
    SDL_setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    {
        TempDir dir;
        ManualClock clock;
        SdlMediaSystem media(clock);
        EXPECT_FALSE(media.AudioOpen());
        media_test::WriteWav(dir.File("a.wav"), 100);
        ASSERT_TRUE(media_test::WriteSolidClip(dir.File("c.avi"), {}));

        auto sound = media.CreateSdlChannel("WMP1");
        EXPECT_EQ(sound->MixerChannel(), -1);
        sound->SetRepeat(true);
        sound->SetFile(dir.File("a.wav"));
        sound->SetRate(0.8);
        sound->Play();
        sound->Stop();
        media.PlaySystemSound(dir.File("a.wav"));
        media.PlaySystemSound(dir.File("missing.wav"));

        auto clip = media.CreateSdlChannel("WMPanim");
        clip->SetFile(dir.File("c.avi"));
        EXPECT_EQ(clip->VideoSize(), (Size{64, 48}));
        clip->Play();
        media_test::Canvas canvas(64, 48);
        EXPECT_TRUE(Eventually([&] {
            clip->DrawFrame(canvas.Renderer(), SDL_Rect{0, 0, 64, 48});
            return media_test::FrameIndexOf(canvas.At(32, 24)) == 0;
        }));
        clip.reset();
    }
    SDL_setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
}

}  // namespace
}  // namespace tolarka
