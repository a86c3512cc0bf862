#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <map>
#include <mutex>
#include <sstream>
#include <thread>

#include "platform/sdl/linked_clips.h"
#include "platform/sdl/sdl_media.h"
#include "platform/sdl/video_player.h"
#include "tests/media_test_support.h"
#include "tests/support/build_paths.h"
#include "tests/support/system.h"

namespace tolarka {
namespace {

using media_test::Canvas;
using media_test::Eventually;
using media_test::FrameIndexOf;
using media_test::ManualClock;
using platform::Millis;
using platform::Size;
using platform::sdl::ClipCodec;
using platform::sdl::SampleClipFormat;
using platform::sdl::SdlMediaChannel;
using platform::sdl::SdlMediaSystem;

constexpr SDL_Rect kView{10, 10, 64, 48};
constexpr int kAny = -100;  // a step that does not look

// The frame a channel shows in its view (-1: nothing), checking that nothing shows beside it.
int Shown(Canvas& canvas, SdlMediaChannel& channel) {
    canvas.Clear();
    channel.DrawFrame(canvas.Renderer(), kView);
    EXPECT_EQ(FrameIndexOf(canvas.At(kView.x + kView.w + 2, kView.y)), -1) << "drawn outside its rectangle";
    return FrameIndexOf(canvas.At(kView.x + kView.w / 2, kView.y + kView.h / 2));
}

class ClipPlayback : public ::testing::TestWithParam<ClipCodec> {
protected:
    void SetUp() override {
        ASSERT_NE(canvas_.Renderer(), nullptr) << SDL_GetError();
        format_.codec = GetParam();
        clip_ = dir_.File("clip.avi");
        ASSERT_TRUE(media_test::WriteSolidClip(clip_, format_));
    }

    // The frame shown at clock time t, once the decoder has delivered every frame due by then.
    int ShownAt(SdlMediaChannel& channel, Millis t) {
        clock_.Set(t);
        Eventually([&] {
            const auto due = channel.NextFrameDue();
            return (due && *due > t) || !channel.ClipRunning();
        });
        return Shown(canvas_, channel);
    }

    ScratchDir dir_;
    SampleClipFormat format_;  // 64 x 48, 10 fps, 20 frames
    std::string clip_;
    ManualClock clock_;
    // Channels are made after the canvas, so their textures go before its renderer.
    Canvas canvas_{100, 80};
    SdlMediaSystem media_{clock_, platform::sdl::LinkedClips()};
};

// A clip's timeline, steps separated by ';': "<clock ms> [action] [=frame shown] [>next frame
// due, -1: none]". The actions: "play", "stop", "rate 0.8", "repeat", "file NAME" and "replay", a
// play whose frame is looked at at once; after the others, once the decoder has caught up. Clip
// "other.avi" starts at frame 5; "pipe: 100%20.AVI" (a file, though it looks like a URL) is 32 x 24.
const std::pair<const char*, const char*> kTimelines[] = {
    {"normal speed: the frames in between skipped, the last held at the end and nothing more due",
     "1000 play =0; 1099 =0; 1100 =1; 1250 =2; 1990 =9; 2500 =15; 2950 =19; 4000 =19 >-1"},
    {"slower: every frame lasts 125 ms",
     "0 rate 0.8; 0 play =0 >125; 124 =0; 125 =1; 600 =4; 2374 =18; 2375 =19"},
    {"a rate change applies from the picture on show (at 500 ms: 0.5 s; 0.6 s 125 ms later)",
     "0 play =0; 500 =5; 500 rate 0.8; 624 =5; 625 =6; 625 rate 1; 825 =8"},
    {"repeating rewinds at the end and keeps time",
     "0 repeat; 0 play =0; 1950 =19; 2000 =0; 2350 =3; 4120 =1 >4200"},
    // Played again: the first frame at once, no blank while the decoder starts; again while
    // playing starts it over too, also in a later round. Another file: nothing until it is
    // stopped or played, then its own first frame.
    {"stopped: the first frame; ended: the last",
     "0 stop =0 >-1; 0 play =0; 1000 =10; 5000 =19; 5000 stop =0 >-1; 5000 replay =0; 5300 =3; 5200 play =0; "
     "5500 =3; 5500 repeat; 5500 play; 7900 =4; 7900 stop =0 >-1; 8000 file other.avi =-1; 8000 stop =5; "
     "8100 file missing.avi; 8100 stop =-1"},
    {"another file replaces the playing clip and is scaled into the same rectangle",
     "0 play =0; 400 =4; 400 file pipe: 100%20.AVI =-1; 400 play =0; 500 =1; 500 file missing.avi; "
     "600 play =-1 >-1"},
};

TEST_P(ClipPlayback, ShowsTheFrameDueAtEachClockTime) {
    ASSERT_TRUE(media_test::WriteSolidClip(dir_.File("other.avi"), format_, 5));
    ASSERT_TRUE(media_test::WriteSolidClip(dir_.File("pipe: 100%20.AVI"), {32, 24, 10, 20, GetParam()}));
    const std::map<std::string, Size> sizes = {
        {"other.avi", {64, 48}}, {"pipe: 100%20.AVI", {32, 24}}, {"missing.avi", {0, 0}}};
    for (const auto& [name, steps] : kTimelines) {
        SCOPED_TRACE(name);
        auto channel = media_.CreateSdlChannel("WMPfade");
        channel->SetFile(clip_);
        EXPECT_EQ(channel->VideoSize(), (Size{64, 48}));
        std::istringstream timeline(steps);
        for (std::string step; std::getline(timeline >> std::ws, step, ';');) {
            SCOPED_TRACE(step);
            std::istringstream words(step);
            Millis at = 0, due = kAny;
            int shown = kAny;
            std::string verb, argument;
            words >> at;
            for (std::string word; words >> word;) {
                if (word[0] == '=')
                    shown = std::stoi(word.substr(1));
                else if (word[0] == '>')
                    due = std::stoi(word.substr(1));
                else if (verb.empty())
                    verb = word;
                else
                    argument += (argument.empty() ? "" : " ") + word;
            }
            clock_.Set(at);
            if (verb == "play" || verb == "replay") channel->Play();
            if (verb == "stop") channel->Stop();
            if (verb == "repeat") channel->SetRepeat(true);
            if (verb == "rate") channel->SetRate(std::stod(argument));
            if (verb == "file") {
                channel->SetFile(dir_.File(argument));
                EXPECT_EQ(channel->VideoSize(), sizes.at(argument));
            }
            if (shown != kAny) {
                EXPECT_EQ(verb == "replay" ? Shown(canvas_, *channel) : ShownAt(*channel, at), shown);
            }
            EXPECT_TRUE(due != -1 || !channel->NextFrameDue()) << "a frame due after the end";
            if (due >= 0) {
                Eventually([&] { return channel->NextFrameDue().has_value(); });
                EXPECT_EQ(channel->NextFrameDue(), due);
            }
        }
    }
}

// A frame drawn straight into a surface (the window's own pixels): the frame due, at the clip's
// size, made smaller, or enlarged as a bilinear filter enlarges it (each pixel within two levels
// of one computed in floating point from the clip's own pixels), and not a pixel beside its
// rectangle. The clip is 68 wide, not a whole number of the converter's blocks; of the sizes,
// 32 is whole blocks (written straight into the surface), 153 x 108 the start clip's 2.25 times,
// and some enlargements are too slight for the grouped source pixels.
TEST_P(ClipPlayback, FrameDrawnIntoASurfaceFillsItsRectangleOnly) {
    constexpr int kW = 68, kH = 48;
    SampleClipFormat patterned = format_;
    patterned.width = kW;
    // Smooth ramps under a checker board (hard edges) whose squares change places each frame.
    ASSERT_TRUE(platform::sdl::WriteAviClip(dir_.File("patterned.avi"), patterned,
                                            [](int frame, std::uint8_t* rgb, int pitch) {
                                                for (int y = 0; y < kH; ++y)
                                                    for (int x = 0; x < kW; ++x) {
                                                        std::uint8_t* p = rgb + y * pitch + 3 * x;
                                                        p[0] = static_cast<std::uint8_t>(x * 3);
                                                        p[1] = static_cast<std::uint8_t>(255 - y * 4);
                                                        p[2] = ((x / 8 + y / 8 + frame) % 2) ? 220 : 30;
                                                    }
                                            }));
    Canvas canvas(260, 200);
    auto channel = media_.CreateSdlChannel("WMP1");
    channel->SetFile(dir_.File("patterned.avi"));
    clock_.Set(1000);
    channel->Play();
    ShownAt(*channel, 1100);  // frame 1: its top left square is light
    // The clip's own pixels: converted at its size, unscaled.
    ASSERT_TRUE(channel->DrawFrameInto(canvas.Surface(), SDL_Rect{0, 0, kW, kH}));
    std::vector<media_test::Rgb> own;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) own.push_back(canvas.At(x, y));
    for (const SDL_Rect dst : {SDL_Rect{10, 20, 68, 48}, SDL_Rect{37, 31, 63, 49}, SDL_Rect{3, 5, 17, 9},
                               SDL_Rect{2, 40, 75, 20}, SDL_Rect{21, 7, 32, 24}, SDL_Rect{3, 5, 153, 108},
                               SDL_Rect{0, 1, 257, 61}, SDL_Rect{7, 2, 70, 190}, SDL_Rect{1, 1, 75, 50}}) {
        SCOPED_TRACE(std::to_string(dst.w) + " x " + std::to_string(dst.h));
        canvas.Clear();
        SDL_RenderFlush(canvas.Renderer());
        ASSERT_TRUE(channel->DrawFrameInto(canvas.Surface(), dst));
        EXPECT_GT(canvas.At(dst.x, dst.y).b, 150) << "not frame 1";
        for (auto [x, y] : {std::pair{dst.w - 1, 0}, {0, dst.h - 1}, {dst.w - 1, dst.h - 1}})
            EXPECT_NE(FrameIndexOf(canvas.At(dst.x + x, dst.y + y)), -1) << "corner " << x << ", " << y;
        for (auto [dx, dy] :
             {std::pair{-1, 0}, {0, -1}, {dst.w, 0}, {dst.w + 4, 0}, {dst.w, dst.h - 1}, {0, dst.h}}) {
            const int x = dst.x + dx, y = dst.y + dy;
            if (x >= 0 && y >= 0 && x < 260 && y < 200) {
                EXPECT_EQ(FrameIndexOf(canvas.At(x, y)), -1) << x << ", " << y;
            }
        }
        if (dst.w < kW || dst.h < kH) continue;
        int worst = 0;
        for (int y = 0; y < dst.h; ++y) {
            const double fy = std::clamp((y + 0.5) * kH / dst.h - 0.5, 0.0, kH - 1.0);
            const int y0 = std::min(static_cast<int>(fy), kH - 2);
            for (int x = 0; x < dst.w; ++x) {
                const double fx = std::clamp((x + 0.5) * kW / dst.w - 0.5, 0.0, kW - 1.0);
                const int x0 = std::min(static_cast<int>(fx), kW - 2);
                const media_test::Rgb shown = canvas.At(dst.x + x, dst.y + y);
                for (int media_test::Rgb::*c :
                     {&media_test::Rgb::r, &media_test::Rgb::g, &media_test::Rgb::b}) {
                    const auto at = [&](int xx, int yy) { return static_cast<double>(own[yy * kW + xx].*c); };
                    const double top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * (fx - x0);
                    const double bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * (fx - x0);
                    const double exact = top + (bottom - top) * (fy - y0);
                    worst = std::max(worst, static_cast<int>(std::lround(std::abs(shown.*c - exact))));
                }
            }
        }
        EXPECT_LE(worst, 2);
    }
    // A rectangle reaching out of the surface is left to the renderer.
    EXPECT_FALSE(channel->DrawFrameInto(canvas.Surface(), SDL_Rect{200, 160, 68, 48}));
}

// The event loop's view: when to wake, and whether to redraw; each new frame is reported once,
// also while the view is not drawn (off screen, behind another screen): the clip keeps time, and
// the loop is never asked to wake for an overdue frame.
TEST_P(ClipPlayback, TellsTheLoopWhenToWakeAndWhenToRedraw) {
    auto channel = media_.CreateSdlChannel("WMPanim");
    channel->SetFile(clip_);
    EXPECT_FALSE(channel->NextFrameDue().has_value());
    EXPECT_FALSE(channel->HasNewFrame());
    clock_.Set(300);
    channel->Play();
    for (Millis t = 300; t <= 1500; t += 50) {
        clock_.Set(t);
        ASSERT_TRUE(Eventually([&] { return channel->NextFrameDue().has_value(); })) << t;
        EXPECT_EQ(channel->NextFrameDue(), t - t % 100 + 100) << t;
        EXPECT_EQ(channel->HasNewFrame(), t % 100 == 0) << t;
        EXPECT_FALSE(channel->HasNewFrame()) << t;
    }
    EXPECT_EQ(ShownAt(*channel, 1600), 13);
    EXPECT_FALSE(channel->HasNewFrame()) << "drawn already";
}

// Broken files: nothing but their own frames shows, nothing hangs, the channel stays usable. A
// file the decoder refuses has no size and shows nothing; a cut or damaged one shows its frames
// in order (the whole file: every frame).
TEST_P(ClipPlayback, BrokenFilesShowOnlyTheirOwnFramesInOrderAndEnd) {
    const std::string bytes = ReadFile(clip_);
    std::mt19937 random(7);
    std::string noise(20000, ' '), damaged = bytes;
    for (char& c : noise) c = static_cast<char>(random());
    for (std::size_t i = damaged.size() / 3; i < damaged.size() * 2 / 3; i += 7)
        damaged[i] = noise[i % 20000];
    // An AVI signature followed by noise gets past the format probe. A directory is not read (nor
    // a pipe or link, whose opening is tested with the decoder's).
    std::filesystem::create_directory(dir_.File("folder.avi"));
    const struct {
        const char* name;
        std::optional<std::string> bytes;  // none: not written
        bool refused;
        std::size_t frames = 0;
    } kFiles[] = {{"missing.avi", std::nullopt, true},
                  {"folder.avi", std::nullopt, true},
                  {"empty.avi", "", true},
                  {"garbage.avi", noise, true},
                  {"fake.avi", std::string("RIFF\x10\x4E\0\0AVI LIST", 16) + noise, true},
                  {"clip.avi", bytes, false, 20},
                  {"half.avi", bytes.substr(0, bytes.size() / 2), false},
                  {"fifth.avi", bytes.substr(0, bytes.size() / 5), false},
                  {"head.avi", bytes.substr(0, 300), false},
                  {"damaged.avi", damaged, false}};
    for (const auto& file : kFiles) {
        SCOPED_TRACE(file.name);
        const std::string path = dir_.File(file.name);
        if (file.bytes) WriteFile(path, {file.bytes->begin(), file.bytes->end()});
        auto channel = media_.CreateSdlChannel("WMPfade");
        channel->SetFile(path);
        EXPECT_TRUE(!file.refused || channel->VideoSize() == (Size{0, 0}));
        // Played 100 ms of the clock at a time until it ends (within 5 s of clip time): its own
        // frames in order and no other colour; the last stays after the end, the first comes back
        // with a stop; repeating for 3 s, no colour but a frame's, and set again while it plays.
        clock_.Set(0);
        channel->Play();
        std::vector<int> shown;  // the frames shown, in the order shown, each once
        Millis t = 0;
        for (; t <= 5000 && channel->ClipRunning(); t += 100) {
            clock_.Set(t);
            // The decoder thread catches up with the clock: a frame still to come is queued, or
            // the clip has ended.
            Eventually([&] { return !channel->ClipRunning() || channel->NextFrameDue(); }, 5);
            const int f = Shown(canvas_, *channel);
            if (f != -1 && (shown.empty() || shown.back() != f)) shown.push_back(f);
        }
        SCOPED_TRACE("shown " + ::testing::PrintToString(shown));
        EXPECT_FALSE(channel->ClipRunning()) << "never ended";
        EXPECT_FALSE(channel->NextFrameDue().has_value());
        EXPECT_GE(shown.size(), file.frames);
        EXPECT_TRUE(!file.refused || shown.empty());
        EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
        EXPECT_TRUE(std::all_of(shown.begin(), shown.end(), [](int f) { return f >= 0; }))
            << "a colour no frame has";
        clock_.Set(t += 1000);
        EXPECT_EQ(Shown(canvas_, *channel), shown.empty() ? -1 : shown.back());
        channel->Stop();
        EXPECT_EQ(Shown(canvas_, *channel), shown.empty() ? -1 : shown.front());
        channel->SetRepeat(true);
        channel->Play();
        for (Millis s = 250; s <= 3000; s += 250) {
            clock_.Set(t + s);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            EXPECT_GE(Shown(canvas_, *channel), -1) << "a colour no frame has, repeating, at " << s << " ms";
        }
        channel->SetFile(path);
    }
}

// A clip's own bytes, then more that never give a frame: zeros without end (a sparse hole after
// the clip) or, for the decoder thread, a read that hangs (a disk that stopped answering) until
// the test lets it go. The thread that made it reads zeros: opening the header is allowed to
// read there, and that happens on the main thread.
struct StalledTail {
    enum class Kind { kZeros, kHang };
    const std::string clip;
    const Kind kind;
    const std::thread::id maker = std::this_thread::get_id();
    std::atomic<bool> reached{false};
    std::mutex mutex;
    std::condition_variable wake;
    bool released = false;

    StalledTail(std::string clip, Kind kind) : clip(std::move(clip)), kind(kind) {}
    ~StalledTail() { Release(); }
    void Release() {
        {
            std::lock_guard lock(mutex);
            released = true;
        }
        wake.notify_all();
    }
    platform::sdl::ClipBytesFactory Source() {
        return [this] { return std::make_unique<Bytes>(*this); };
    }

    struct Bytes final : platform::sdl::ClipBytes {
        explicit Bytes(StalledTail& tail) : tail(tail) {}
        int Read(std::uint8_t* data, int size) override {
            const auto clipSize = static_cast<std::int64_t>(tail.clip.size());
            if (pos < clipSize) {
                const int n = static_cast<int>(std::min<std::int64_t>(size, clipSize - pos));
                std::memcpy(data, tail.clip.data() + pos, static_cast<size_t>(n));
                pos += n;
                return n;
            }
            if (std::this_thread::get_id() != tail.maker) {
                tail.reached = true;
                std::unique_lock lock(tail.mutex);
                // Bounded, so that a player that waits fails the test instead of hanging it.
                if (tail.kind == Kind::kHang) {
                    tail.wake.wait_for(lock, std::chrono::seconds(10), [this] { return tail.released; });
                    return -1;
                }
            }
            std::memset(data, 0, static_cast<size_t>(size));
            pos += size;
            return size;
        }
        std::int64_t Seek(std::int64_t offset, int whence) override {
            const std::int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? pos : Size();
            return base + offset < 0 ? -1 : pos = base + offset;
        }
        std::int64_t Size() const override {
            return static_cast<std::int64_t>(tail.clip.size()) + (1LL << 40);
        }

        StalledTail& tail;
        std::int64_t pos = 0;
    };
};

TEST_P(ClipPlayback, AClipThatReadsForeverOrHangsNeverHoldsUpTheMainThread) {
    const std::string bytes = ReadFile(clip_);

    for (const auto kind : {StalledTail::Kind::kZeros, StalledTail::Kind::kHang}) {
        const bool hangs = kind == StalledTail::Kind::kHang;
        SCOPED_TRACE(hangs ? "hangs" : "zeros without end");
        StalledTail tail(bytes, kind);
        clock_.Set(0);
        auto reaper = std::make_shared<platform::sdl::ThreadReaper>();
        {
            platform::sdl::VideoPlayer player(clock_, 0, reaper);
            player.SetSource(tail.Source());
            ASSERT_EQ(player.FrameSize(), (Size{64, 48}));
            player.Play();
            clock_.Set(2500);  // past the 20 frames at 10 a second
            // Taking the due frames off the queue lets the decoder read on.
            ASSERT_TRUE(Eventually([&] {
                player.HasNewFrame();
                return tail.reached.load();
            })) << "the decoder never read past the clip";
            // Endless zeros are given up by themselves: the clip ends while the clock stands.
            if (!hangs) {
                EXPECT_TRUE(Eventually([&] {
                    player.HasNewFrame();
                    return !player.Running();
                })) << "read on";
            }

            // Stopping, playing again and another file never wait for the decoder thread (a hanging
            // read lets go after 10 s).
            const auto start = std::chrono::steady_clock::now();
            player.Stop();
            canvas_.Clear();
            player.DrawFrame(canvas_.Renderer(), kView);
            EXPECT_EQ(FrameIndexOf(canvas_.At(kView.x + 5, kView.y + 5)), 0) << "the first frame after Stop";
            player.Play();
            player.SetFile(clip_);
            player.Play();
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
            clock_.Set(2550);
            EXPECT_TRUE(Eventually([&] { return player.HasNewFrame(); })) << "the next clip plays";
        }
        EXPECT_TRUE(!hangs || reaper->Pending() > 0) << "the hanging thread was waited for";
        tail.Release();
        EXPECT_TRUE(Eventually([&] { return reaper->Pending() == 0; }))
            << "a stopped decoder thread never ended";
    }
}

INSTANTIATE_TEST_SUITE_P(Codecs, ClipPlayback, ::testing::Values(ClipCodec::kMpeg4, ClipCodec::kMjpeg),
                         [](const auto& info) {
                             return info.param == ClipCodec::kMpeg4 ? "Mpeg4" : "Mjpeg";
                         });

// The first frame of a clip wakes a main loop that waits for events. The game's clip code comes
// from the module beside the program, loaded in the background: a clip asked for before it is
// there starts when it comes, as it was asked for; without a module that loads, clips show
// nothing and the game goes on.
class ClipWakeUp : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
        ASSERT_TRUE(media_test::WriteSolidClip(clip_, {}));  // 64 x 48, 10 frames a second
    }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_EVENTS); }

    // A clip set, slowed and played (where the clip code is loaded, before it is there); waits
    // until the main loop is woken.
    std::unique_ptr<SdlMediaChannel> PlayUntilWoken(SdlMediaSystem& media) {
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        auto channel = media.CreateSdlChannel("WMPanim");
        channel->SetFile(clip_);
        channel->SetRate(0.8);
        channel->Play();
        SDL_Event event{};
        bool woken = false;
        while (!woken && SDL_WaitEventTimeout(&event, 10000) == 1)
            woken = event.type == media.FrameEventType();
        EXPECT_TRUE(woken) << "the main loop was never woken";
        return channel;
    }

    ScratchDir dir_;
    std::string clip_ = dir_.File("clip.avi");
    ManualClock clock_;
    Canvas canvas_{100, 80};
};

TEST_F(ClipWakeUp, FirstFrameWakesAMainLoopWaitingForEvents) {
    SdlMediaSystem media(clock_, platform::sdl::LinkedClips());
    ASSERT_NE(media.FrameEventType(), 0u);
    EXPECT_TRUE(PlayUntilWoken(media)->HasNewFrame());
}

TEST_F(ClipWakeUp, GameFindsTheBuiltModuleAndPlaysThroughItWhatWasAskedWhileItLoaded) {
    TOLARKA_SKIP_WITHOUT(Feature::ClipModule);
    // The first place holds no module; the build tree's program folder does.
    auto clips = platform::sdl::GameClips({dir_.File("none"), testing::ClipModuleFile().parent_path()});
    SdlMediaSystem media(clock_, clips);
    auto channel = PlayUntilWoken(media);
    ASSERT_NE(clips->Players(), nullptr);
    EXPECT_NE(clips->Players(), &platform::sdl::LinkedClipPlayers()) << "not the module's own code";
    EXPECT_EQ(channel->VideoSize(), (Size{64, 48}));
    ASSERT_TRUE(Eventually([&] { return channel->NextFrameDue().has_value(); }));
    EXPECT_EQ(Shown(canvas_, *channel), 0);
    clock_.Set(500);  // at 0.8 every frame stays 125 ms
    ASSERT_TRUE(Eventually([&] { return channel->NextFrameDue() > Millis{500}; }));
    EXPECT_EQ(Shown(canvas_, *channel), 4);
    channel->Stop();
    EXPECT_EQ(Shown(canvas_, *channel), 0);
}

TEST_F(ClipWakeUp, WithoutAModuleThatLoadsClipsShowNothingAndSayWhyOnce) {
    TOLARKA_SKIP_WITHOUT(Feature::ClipModule);
    const std::string notAModule = dir_.File("broken");
    WriteFile(std::filesystem::path(notAModule) / testing::ClipModuleFile().filename(),
              {0x7f, 'E', 'L', 'F', 0, 1});
    for (const std::string& dir : {dir_.File("none"), notAModule}) {
        SCOPED_TRACE(dir);
        auto clips = platform::sdl::GameClips({dir});
        SdlMediaSystem media(clock_, clips);
        ::testing::internal::CaptureStderr();
        auto channel = PlayUntilWoken(media);
        auto other = media.CreateSdlChannel("WMP3");
        other->SetFile(clip_);
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(clips->Players(), nullptr);
        EXPECT_EQ(said.rfind("tolarka: hra poběží bez klipů: ", 0), 0u) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        for (SdlMediaChannel* c : {channel.get(), other.get()}) {
            EXPECT_EQ(c->VideoSize(), (Size{0, 0}));
            c->Play();
            EXPECT_FALSE(c->NextFrameDue().has_value());
            EXPECT_FALSE(c->HasNewFrame());
            EXPECT_EQ(Shown(canvas_, *c), -1);
            c->Stop();
            EXPECT_EQ(Shown(canvas_, *c), -1);
        }
    }
}

}  // namespace
}  // namespace tolarka
