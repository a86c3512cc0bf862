#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "platform/sdl/audio_device.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_media.h"
#include "platform/sdl/sound_mixer.h"
#include "tests/media_test_support.h"
#include "tests/support/system.h"

namespace tolarka {
namespace {

using media_test::Eventually;
using media_test::ManualClock;
using platform::Size;
using platform::sdl::AudioDevice;
using Clock = std::chrono::steady_clock;
using platform::sdl::SdlMediaSystem;

class SoundChannels : public ::testing::Test {
protected:
    void SetUp() override {
        if (!media_.AudioOpen()) GTEST_SKIP() << "no audio device: " << SDL_GetError();
        media_test::WriteWav(short_wav_, 100);
        media_test::WriteWav(long_wav_, 3000);
    }
    bool Playing(int channel) const { return media_.Audio().Playing(channel); }

    ScratchDir dir_;
    std::string short_wav_ = dir_.File("short.wav");
    std::string long_wav_ = dir_.File("long.wav");
    ManualClock clock_;
    SdlMediaSystem media_{clock_};
};

// Each channel plays on a mixer channel of its own, freed for the next when it goes; the system
// sound plays beside them on channel 0.
TEST_F(SoundChannels, EachChannelPlaysOnItsOwnReservedMixerChannel) {
    auto music = media_.CreateSdlChannel("WMP1");
    auto effects = media_.CreateSdlChannel("WMP2");
    ASSERT_GT(music->MixerChannel(), 0);
    ASSERT_GT(effects->MixerChannel(), 0);
    EXPECT_NE(music->MixerChannel(), effects->MixerChannel());

    music->SetFile(long_wav_);
    effects->SetFile(long_wav_);
    EXPECT_EQ(music->VideoSize(), (Size{0, 0}));
    EXPECT_FALSE(Playing(music->MixerChannel())) << "a file set and not played stays silent";
    music->Play();
    EXPECT_TRUE(Playing(music->MixerChannel()));
    EXPECT_FALSE(Playing(effects->MixerChannel()));
    media_.PlaySystemSound(long_wav_);
    EXPECT_TRUE(Playing(0));
    EXPECT_TRUE(Playing(music->MixerChannel()));
    // The next system sound cuts off the last and ends by itself; a repeating sound started with it
    // plays on past its end.
    effects->SetFile(short_wav_);
    effects->SetRepeat(true);
    effects->Play();
    media_.PlaySystemSound(short_wav_);
    EXPECT_TRUE(Playing(0));
    EXPECT_TRUE(Eventually([&] { return !Playing(0); }));
    EXPECT_TRUE(Playing(effects->MixerChannel()));

    music->Stop();
    EXPECT_FALSE(Playing(music->MixerChannel()));
    music->Stop();
    music->Play();
    music->SetFile(short_wav_);  // another file replaces the one playing
    EXPECT_FALSE(Playing(music->MixerChannel()));

    const int freed = effects->MixerChannel();
    effects.reset();
    EXPECT_FALSE(Playing(freed)) << "a destroyed channel falls silent";
    EXPECT_EQ(media_.CreateSdlChannel("WMP3")->MixerChannel(), freed);
}

TEST_F(SoundChannels, UnreadableSoundsPlayNothing) {
    auto channel = media_.CreateSdlChannel("WMP2");
    const std::string garbage = dir_.File("garbage.wav"), cut = dir_.File("cut.wav");
    WriteFile(garbage, std::vector<unsigned char>(5000, 'x'));
    auto bytes = media_test::WavBuilder{}.Build();
    bytes.resize(30);
    WriteFile(cut, bytes);
    const std::string fifo = dir_.File("fifo.wav");
    // Where there are no named pipes, the name stays a missing file.
    if (!testing::Missing(testing::Feature::NamedPipes)) {
        ASSERT_TRUE(testing::MakeFifo(fifo));
    }
    for (const std::string& path :
         {dir_.File("missing.wav"), garbage, cut, fifo, dir_.File(""), std::string()}) {
        channel->SetFile(path);
        channel->Play();
        EXPECT_FALSE(Playing(channel->MixerChannel())) << path;
    }
    media_.PlaySystemSound(dir_.File("missing.wav"));
    EXPECT_FALSE(Playing(0));
}

// The sound device closes while nothing plays and reopens for the next sound.
class SoundDevice : public SoundChannels {
protected:
    // Runs the main thread's share of the device (its events) for `millis`, or until `done`.
    bool Pump(int millis, const std::function<bool()>& done) {
        const auto until = Clock::now() + std::chrono::milliseconds(millis);
        while (Clock::now() < until) {
            SDL_Event e;
            if (SDL_WaitEventTimeout(&e, 10)) media_.HandleEvent(e);
            if (done()) return true;
        }
        return false;
    }
    bool Awake() const { return media_.Audio().Awake(); }
    static SDL_Event Key(Uint32 type, SDL_Keycode sym, Uint8 repeat = 0) {
        SDL_Event e{};
        e.type = type;
        e.key.keysym.sym = sym;
        e.key.repeat = repeat;
        return e;
    }

    static constexpr int kGrace = AudioDevice::kIdleCloseMs;
};

// Muted from the start: the mute key acts on every channel through the master level, and stays
// so while the device closes and opens again.
TEST_F(SoundDevice, ClosesAfterSilenceReopensForTheNextSoundAndKeepsItsMute) {
    const int normal = media_.Audio().Level();
    EXPECT_GT(normal, 0);
    EXPECT_LT(normal, platform::sdl::kFullLevel) << "no headroom on the master level";
    EXPECT_TRUE(media_.HandleEvent(Key(SDL_KEYDOWN, SDLK_F8)));
    EXPECT_TRUE(media_.Muted());
    EXPECT_EQ(media_.Audio().Level(), 0);
    // Holding the key down does not flip it back; its release is swallowed too.
    EXPECT_TRUE(media_.HandleEvent(Key(SDL_KEYDOWN, SDLK_F8, 1)));
    EXPECT_TRUE(media_.HandleEvent(Key(SDL_KEYUP, SDLK_F8)));
    EXPECT_TRUE(media_.Muted());
    // Other keys are the screens' own.
    EXPECT_FALSE(media_.HandleEvent(Key(SDL_KEYDOWN, SDLK_F7)));
    EXPECT_FALSE(media_.HandleEvent(Key(SDL_KEYDOWN, SDLK_m)));

    auto music = media_.CreateSdlChannel("WMP1");
    auto effects = media_.CreateSdlChannel("WMP2");
    music->SetFile(long_wav_);
    effects->SetFile(short_wav_);  // set, never played: the device still closes
    ASSERT_TRUE(Pump(kGrace + 1500, [&] { return !Awake(); }));
    music->Stop();  // stopping, a repeat and a channel made and dropped while closed are harmless
    music->SetRepeat(false);
    media_.CreateSdlChannel("WMP3").reset();
    EXPECT_FALSE(Awake());
    // Chunks loaded before the close still play; the reopen is quick.
    const auto before = Clock::now();
    music->Play();
    effects->Play();
    EXPECT_LT(Clock::now() - before, std::chrono::milliseconds(200));
    EXPECT_TRUE(Awake());
    EXPECT_EQ(media_.Audio().Level(), 0);
    // The short sound ends, the long one keeps the device open past the grace time.
    EXPECT_FALSE(Pump(kGrace + 300, [&] { return !Awake(); }));
    EXPECT_TRUE(Playing(music->MixerChannel()));
    // Once the last sound ends the device closes, not at once but after the grace time.
    const auto ended = Clock::now();
    ASSERT_TRUE(Pump(3000 + kGrace + 1000, [&] { return !media_.Audio().AnyPlaying(); }));
    EXPECT_TRUE(Awake());
    ASSERT_TRUE(Pump(kGrace + 1500, [&] { return !Awake(); })) << "still open after the grace time";
    EXPECT_GE(Clock::now() - ended, std::chrono::milliseconds(kGrace - 100));

    EXPECT_TRUE(media_.HandleEvent(Key(SDL_KEYDOWN, SDLK_F8)));
    EXPECT_FALSE(media_.Muted());
    EXPECT_EQ(media_.Audio().Level(), normal);
    // A repeating sound keeps the device open; unloading stops it, and the device closes again.
    effects->SetRepeat(true);
    effects->Play();
    EXPECT_TRUE(Playing(effects->MixerChannel()));
    EXPECT_FALSE(Pump(kGrace + 300, [&] { return !Awake(); }));
    effects->SetFile(std::string());
    EXPECT_TRUE(Pump(kGrace + 1500, [&] { return !Awake(); }));
    media_.PlaySystemSound(short_wav_);
    EXPECT_TRUE(Playing(0));
}

// The mixer's arithmetic on two voices of one sound: sums clip at full scale instead of
// wrapping, the level scales them, muted voices still end on time, a repeating voice wraps round
// and a single play stops at its last sample, also when that is the buffer's last.
TEST(SoundMixer, SumsClipAndVoicesKeepTheirTime) {
    using platform::sdl::Voice;
    const auto loud =
        std::make_shared<platform::sdl::Sound>(platform::sdl::Sound{{30000, -30000, 20000, -20000}});
    struct Case {
        int level;
        bool repeat;
        std::vector<std::int16_t> out;
    };
    for (const Case& c :
         {Case{128, false, {32767, -32768, 32767, -32768}}, Case{0, false, {0, 0, 0, 0, 0, 0}},
          Case{64, true, {30000, -30000, 20000, -20000, 30000, -30000}}}) {
        std::vector<Voice> voices(3);  // the one between plays nothing
        voices[0] = voices[2] = Voice{loud, 0, c.repeat, true};
        std::vector<std::int16_t> out(c.out.size(), 1);
        std::vector<std::int32_t> sums;
        EXPECT_EQ(platform::sdl::MixVoices(voices, c.level, out, sums), !c.repeat) << c.level;
        EXPECT_EQ(out, c.out) << c.level;
        EXPECT_EQ(voices[0].playing, c.repeat);
        EXPECT_EQ(voices[2].next, c.repeat ? 2u : 4u);
    }
}

// Without any usable audio device the window still opens, every call is harmless and clips
// still play.
TEST(MutedMedia, WorksWithoutAnAudioDevice) {
    const char* before = SDL_getenv("SDL_AUDIODRIVER");
    const std::string saved = before ? before : "";
    SDL_setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_NO_THROW(platform::sdl::SdlBackend backend);
    {
        ScratchDir dir;
        ManualClock clock;
        SdlMediaSystem media(clock, platform::sdl::LinkedClips());
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
