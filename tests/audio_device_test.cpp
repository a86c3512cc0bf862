// The sound device closes while nothing plays and reopens for the next sound; the mute key acts
// on every channel through the master level.
#include "platform/sdl/audio_device.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "platform/sdl/sdl_media.h"
#include "tests/media_test_support.h"

namespace tolarka {
namespace {

using platform::sdl::AudioDevice;
using platform::sdl::SdlMediaSystem;
using Clock = std::chrono::steady_clock;

class SoundDevice : public ::testing::Test {
protected:
    void SetUp() override {
        if (!media_.AudioOpen()) GTEST_SKIP() << "no audio device: " << SDL_GetError();
        media_test::WriteWav(short_wav_, 100);
        media_test::WriteWav(long_wav_, 3000);
    }

    // Runs the main thread's share of the device (its events) for `millis`, or until `done`.
    bool Pump(
        int millis, const std::function<bool()>& done = [] { return false; }) {
        const auto until = Clock::now() + std::chrono::milliseconds(millis);
        while (Clock::now() < until) {
            SDL_Event e;
            if (SDL_WaitEventTimeout(&e, 10)) media_.HandleEvent(e);
            if (done()) return true;
        }
        return false;
    }
    bool Awake() {
        // Mix_QuerySpec answers 0 while the mixer is closed.
        int rate = 0, channels = 0;
        Uint16 format = 0;
        return Mix_QuerySpec(&rate, &format, &channels) != 0;
    }
    static SDL_Event Key(Uint32 type, SDL_Keycode sym, Uint8 repeat = 0) {
        SDL_Event e{};
        e.type = type;
        e.key.keysym.sym = sym;
        e.key.repeat = repeat;
        return e;
    }

    media_test::TempDir dir_;
    std::string short_wav_ = dir_.File("short.wav");
    std::string long_wav_ = dir_.File("long.wav");
    media_test::ManualClock clock_;
    SdlMediaSystem media_{clock_};
    static constexpr int kGrace = AudioDevice::kIdleCloseMs;
};

TEST_F(SoundDevice, ClosesAfterSilenceAndReopensForTheNextSound) {
    auto music = media_.CreateSdlChannel("WMP1");
    auto effects = media_.CreateSdlChannel("WMP2");
    music->SetFile(long_wav_);
    effects->SetFile(short_wav_);
    music->Play();
    effects->Play();
    // The short sound ends, the long one keeps the device open past the grace time.
    EXPECT_FALSE(Pump(kGrace + 300, [&] { return !Awake(); }));
    EXPECT_EQ(Mix_Playing(music->MixerChannel()), 1);
    // Once the last sound ends the device closes, not at once but after the grace time.
    const auto ended = Clock::now();
    ASSERT_TRUE(Pump(3000 + kGrace + 1000, [&] { return Mix_Playing(-1) == 0; }));
    EXPECT_TRUE(Awake());
    ASSERT_TRUE(Pump(kGrace + 1500, [&] { return !Awake(); })) << "still open after the grace time";
    EXPECT_GE(Clock::now() - ended, std::chrono::milliseconds(kGrace - 100));

    // Channels and chunks loaded before the close still work; the reopen is quick.
    const auto before = Clock::now();
    effects->Play();
    EXPECT_LT(Clock::now() - before, std::chrono::milliseconds(200));
    EXPECT_TRUE(Awake());
    EXPECT_EQ(Mix_Playing(effects->MixerChannel()), 1);
    music->Stop();
    media_.PlaySystemSound(short_wav_);
    EXPECT_EQ(Mix_Playing(0), 1);
    // Reserved channels survive the reopen: nothing else can take a media channel's.
    Mix_Chunk* chunk = Mix_LoadWAV(short_wav_.c_str());
    ASSERT_NE(chunk, nullptr);
    EXPECT_EQ(Mix_PlayChannel(-1, chunk, 0), -1);
    Mix_FreeChunk(chunk);
}

TEST_F(SoundDevice, StoppingAndUnloadingWhileClosedIsHarmless) {
    auto music = media_.CreateSdlChannel("WMP1");
    music->SetFile(short_wav_);  // set, never played: the device still closes
    ASSERT_TRUE(Pump(kGrace + 1500, [&] { return !Awake(); }));
    music->Stop();
    music->SetRepeat(true);
    auto other = media_.CreateSdlChannel("WMP2");  // a new channel while closed
    other.reset();
    EXPECT_FALSE(Awake());
    music->Play();  // the chunk loaded before the close
    EXPECT_TRUE(Awake());
    EXPECT_EQ(Mix_Playing(music->MixerChannel()), 1);
    // A repeating sound keeps the device open.
    EXPECT_FALSE(Pump(kGrace + 300, [&] { return !Awake(); }));
    music->SetFile(std::string());  // unloading stops it; the device closes after the grace time
    EXPECT_TRUE(Pump(kGrace + 1500, [&] { return !Awake(); }));
    music.reset();
}

TEST_F(SoundDevice, MuteKeyTogglesTheMasterLevelAcrossClosing) {
    const int normal = Mix_MasterVolume(-1);
    EXPECT_GT(normal, 0);
    EXPECT_LT(normal, MIX_MAX_VOLUME) << "no headroom on the master level";

    EXPECT_TRUE(media_.HandleEvent(Key(SDL_KEYDOWN, SDLK_F8)));
    EXPECT_TRUE(media_.Muted());
    EXPECT_EQ(Mix_MasterVolume(-1), 0);
    // Holding the key down does not flip it back; its release is swallowed too.
    EXPECT_TRUE(media_.HandleEvent(Key(SDL_KEYDOWN, SDLK_F8, 1)));
    EXPECT_TRUE(media_.HandleEvent(Key(SDL_KEYUP, SDLK_F8)));
    EXPECT_TRUE(media_.Muted());
    // Other keys are the screens' own.
    EXPECT_FALSE(media_.HandleEvent(Key(SDL_KEYDOWN, SDLK_F7)));
    EXPECT_FALSE(media_.HandleEvent(Key(SDL_KEYDOWN, SDLK_m)));

    // Muted stays muted when the device closes and opens again.
    ASSERT_TRUE(Pump(kGrace + 1500, [&] { return !Awake(); }));
    auto channel = media_.CreateSdlChannel("WMP2");
    channel->SetFile(long_wav_);
    channel->Play();
    EXPECT_EQ(Mix_Playing(channel->MixerChannel()), 1);
    EXPECT_EQ(Mix_MasterVolume(-1), 0);

    EXPECT_TRUE(media_.HandleEvent(Key(SDL_KEYDOWN, SDLK_F8)));
    EXPECT_FALSE(media_.Muted());
    EXPECT_EQ(Mix_MasterVolume(-1), normal);
}

}  // namespace
}  // namespace tolarka
