#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <mutex>
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

class ClipPlayback : public ::testing::TestWithParam<ClipCodec> {
protected:
    void SetUp() override {
        ASSERT_NE(canvas_.Renderer(), nullptr) << SDL_GetError();
        format_.codec = GetParam();
        clip_ = dir_.File("clip.avi");
        ASSERT_TRUE(media_test::WriteSolidClip(clip_, format_));
    }

    // The frame shown at clock time t, once the decoder has delivered every frame due by then;
    // -1 when nothing is drawn.
    int ShownAt(SdlMediaChannel& channel, Millis t) {
        clock_.Set(t);
        Eventually([&] {
            const auto due = channel.NextFrameDue();
            return (due && *due > t) || !channel.ClipRunning();
        });
        canvas_.Clear();
        channel.DrawFrame(canvas_.Renderer(), kView);
        return FrameIndexOf(canvas_.At(kView.x + kView.w / 2, kView.y + kView.h / 2));
    }

    int Outside() const { return FrameIndexOf(canvas_.At(kView.x + kView.w + 2, kView.y)); }

    ScratchDir dir_;
    SampleClipFormat format_;  // 64 x 48, 10 fps, 20 frames
    std::string clip_;
    ManualClock clock_;
    // Channels are made after the canvas, so their textures go before its renderer.
    Canvas canvas_{100, 80};
    SdlMediaSystem media_{clock_, platform::sdl::LinkedClips()};
};

TEST_P(ClipPlayback, ShowsTheFrameDueAtEachClockTimeAtNormalSpeed) {
    auto channel = media_.CreateSdlChannel("WMPfade");
    channel->SetFile(clip_);
    EXPECT_EQ(channel->VideoSize(), (Size{64, 48}));
    clock_.Set(1000);
    channel->Play();
    EXPECT_EQ(ShownAt(*channel, 1000), 0);
    EXPECT_EQ(ShownAt(*channel, 1099), 0);
    EXPECT_EQ(ShownAt(*channel, 1100), 1);
    EXPECT_EQ(ShownAt(*channel, 1250), 2);
    EXPECT_EQ(Outside(), -1) << "drawn outside its rectangle";
    EXPECT_EQ(ShownAt(*channel, 1990), 9);
    EXPECT_EQ(ShownAt(*channel, 2500), 15);  // frames in between are skipped
    EXPECT_EQ(ShownAt(*channel, 2950), 19);
    // The end holds the last frame and expects nothing more.
    EXPECT_EQ(ShownAt(*channel, 4000), 19);
    EXPECT_FALSE(channel->ClipRunning());
    EXPECT_FALSE(channel->NextFrameDue().has_value());
}

TEST_P(ClipPlayback, ShowsTheFrameDueAtEachClockTimeAtSlowerSpeed) {
    auto channel = media_.CreateSdlChannel("WMPanim");
    channel->SetFile(clip_);
    channel->SetRate(0.8);  // every frame lasts 125 ms
    clock_.Set(0);
    channel->Play();
    EXPECT_EQ(ShownAt(*channel, 0), 0);
    EXPECT_EQ(channel->NextFrameDue(), Millis{125});
    EXPECT_EQ(ShownAt(*channel, 124), 0);
    EXPECT_EQ(ShownAt(*channel, 125), 1);
    EXPECT_EQ(ShownAt(*channel, 600), 4);
    EXPECT_EQ(ShownAt(*channel, 2374), 18);
    EXPECT_EQ(ShownAt(*channel, 2375), 19);
}

TEST_P(ClipPlayback, RateChangeAppliesFromThePictureOnShow) {
    auto channel = media_.CreateSdlChannel("WMPanim");
    channel->SetFile(clip_);
    channel->Play();
    EXPECT_EQ(ShownAt(*channel, 500), 5);
    channel->SetRate(0.8);  // at 500 ms the clip is at 0.5 s; 0.6 s comes 125 ms later
    EXPECT_EQ(ShownAt(*channel, 624), 5);
    EXPECT_EQ(ShownAt(*channel, 625), 6);
    channel->SetRate(1.0);
    EXPECT_EQ(ShownAt(*channel, 825), 8);
}

TEST_P(ClipPlayback, RepeatingRewindsAtTheEndAndKeepsTime) {
    auto channel = media_.CreateSdlChannel("WMPfade");
    channel->SetFile(clip_);
    channel->SetRepeat(true);
    channel->Play();
    EXPECT_EQ(ShownAt(*channel, 1950), 19);
    EXPECT_EQ(ShownAt(*channel, 2000), 0);
    EXPECT_EQ(ShownAt(*channel, 2350), 3);
    EXPECT_EQ(ShownAt(*channel, 4120), 1);  // third round
    EXPECT_TRUE(channel->ClipRunning());
}

// Like a stopped video player: the first frame after Stop, the last one after the end.
// The window's own pixels: the frame scaled once, straight into its rectangle, even one of odd
// size against the picture's right and bottom edges, and not a pixel beside it.
TEST_P(ClipPlayback, FrameScaledStraightIntoASurfaceFillsItsRectangleOnly) {
    // 68 pixels wide: not a whole number of the scaler's blocks.
    SampleClipFormat odd = format_;
    odd.width = 68;
    const std::string oddClip = dir_.File("odd.avi");
    ASSERT_TRUE(media_test::WriteSolidClip(oddClip, odd));
    auto channel = media_.CreateSdlChannel("WMP1");
    channel->SetFile(oddClip);
    clock_.Set(1000);
    channel->Play();
    EXPECT_EQ(ShownAt(*channel, 1100), 1);
    // 80 and 32 wide: whole blocks, written straight into the surface.
    for (const SDL_Rect dst : {SDL_Rect{10, 20, 68, 48}, SDL_Rect{37, 31, 63, 49}, SDL_Rect{3, 5, 17, 9},
                               SDL_Rect{2, 40, 75, 20}, SDL_Rect{4, 10, 80, 60}, SDL_Rect{21, 7, 32, 24}}) {
        canvas_.Clear();
        SDL_RenderFlush(canvas_.Renderer());
        ASSERT_TRUE(channel->DrawFrameInto(canvas_.Surface(), dst));
        for (auto [x, y] : {std::pair{dst.x, dst.y},
                            {dst.x + dst.w - 1, dst.y + dst.h - 1},
                            {dst.x + dst.w / 2, dst.y + dst.h / 2}})
            EXPECT_EQ(FrameIndexOf(canvas_.At(x, y)), 1) << x << ", " << y;
        for (auto [x, y] : {std::pair{dst.x - 1, dst.y},
                            {dst.x, dst.y - 1},
                            {dst.x + dst.w, dst.y},
                            {dst.x + dst.w + 4, dst.y},
                            {dst.x + dst.w, dst.y + dst.h - 1},
                            {dst.x, dst.y + dst.h}}) {
            if (x < 100 && y < 80) {
                EXPECT_EQ(FrameIndexOf(canvas_.At(x, y)), -1) << x << ", " << y;
            }
        }
    }
    // A rectangle reaching out of the surface is left to the renderer.
    EXPECT_FALSE(channel->DrawFrameInto(canvas_.Surface(), SDL_Rect{50, 40, 64, 48}));
}

// A clip enlarged straight into the window (full screen) looks as a bilinear filter makes it:
// each pixel within two levels of one computed in floating point from the clip's own pixels. Sizes: the start
// clip's 2.25 times, a stretch of its own each way, and enlargements too slight for the grouped source
// pixels.
TEST_P(ClipPlayback, EnlargedFrameIsTheBilinearStretchOfTheClip) {
    constexpr int kW = 64, kH = 48;
    const std::string patterned = dir_.File("patterned.avi");
    ASSERT_TRUE(platform::sdl::WriteAviClip(patterned, format_, [](int, std::uint8_t* rgb, int pitch) {
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                std::uint8_t* p = rgb + y * pitch + 3 * x;
                p[0] = static_cast<std::uint8_t>(x * 4);
                p[1] = static_cast<std::uint8_t>(255 - y * 5);
                p[2] = ((x / 8 + y / 8) % 2) ? 220 : 30;  // hard edges
            }
    }));
    Canvas canvas(260, 200);
    auto channel = media_.CreateSdlChannel("WMP1");
    channel->SetFile(patterned);
    channel->Stop();  // the first frame
    // The clip's own pixels: converted at its size, unscaled.
    ASSERT_TRUE(channel->DrawFrameInto(canvas.Surface(), SDL_Rect{0, 0, kW, kH}));
    std::vector<std::uint8_t> own(kW * kH * 4);
    for (int y = 0; y < kH; ++y)
        std::memcpy(&own[y * kW * 4],
                    static_cast<const std::uint8_t*>(canvas.Surface()->pixels) + y * canvas.Surface()->pitch,
                    kW * 4);
    for (const SDL_Rect dst : {SDL_Rect{3, 5, 144, 108}, SDL_Rect{0, 1, 257, 61}, SDL_Rect{7, 2, 70, 190},
                               SDL_Rect{1, 1, 75, 50}}) {
        canvas.Clear();
        SDL_RenderFlush(canvas.Renderer());
        ASSERT_TRUE(channel->DrawFrameInto(canvas.Surface(), dst));
        int worst = 0;
        for (int y = 0; y < dst.h; ++y) {
            const double fy = std::clamp((y + 0.5) * kH / dst.h - 0.5, 0.0, kH - 1.0);
            const int y0 = std::min(static_cast<int>(fy), kH - 2);
            for (int x = 0; x < dst.w; ++x) {
                const double fx = std::clamp((x + 0.5) * kW / dst.w - 0.5, 0.0, kW - 1.0);
                const int x0 = std::min(static_cast<int>(fx), kW - 2);
                const auto* shown = static_cast<const std::uint8_t*>(canvas.Surface()->pixels) +
                                    (dst.y + y) * canvas.Surface()->pitch + (dst.x + x) * 4;
                for (int c = 0; c < 3; ++c) {
                    const auto at = [&](int xx, int yy) {
                        return static_cast<double>(own[(yy * kW + xx) * 4 + c]);
                    };
                    const double top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * (fx - x0);
                    const double bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * (fx - x0);
                    const double exact = top + (bottom - top) * (fy - y0);
                    worst = std::max(worst, static_cast<int>(std::lround(std::abs(shown[c] - exact))));
                }
            }
        }
        EXPECT_LE(worst, 2) << dst.w << " x " << dst.h;
        // Not a pixel beside the rectangle.
        EXPECT_EQ(FrameIndexOf(canvas.At(dst.x + dst.w, dst.y)), -1);
        EXPECT_EQ(FrameIndexOf(canvas.At(dst.x, dst.y + dst.h)), -1);
    }
}

TEST_P(ClipPlayback, StoppedClipShowsItsFirstFrameAndAnEndedOneItsLast) {
    auto channel = media_.CreateSdlChannel("WMPfade");
    channel->SetFile(clip_);
    channel->Stop();  // a new question: the studio clip waits at its start
    EXPECT_EQ(ShownAt(*channel, 0), 0);
    EXPECT_FALSE(channel->HasNewFrame());
    channel->Play();
    EXPECT_EQ(ShownAt(*channel, 1000), 10);
    EXPECT_EQ(ShownAt(*channel, 5000), 19);  // ended: the last frame stays
    channel->Stop();
    EXPECT_EQ(ShownAt(*channel, 5000), 0);
    EXPECT_FALSE(channel->NextFrameDue().has_value());

    // Playing again after a stop shows the first frame at once, without a blank picture while
    // the decoder starts; playing while it plays starts it over too.
    channel->Play();
    canvas_.Clear();
    channel->DrawFrame(canvas_.Renderer(), kView);
    EXPECT_EQ(FrameIndexOf(canvas_.At(kView.x + 1, kView.y + 1)), 0);
    EXPECT_EQ(ShownAt(*channel, 5300), 3);
    clock_.Set(5200);
    channel->Play();
    EXPECT_EQ(ShownAt(*channel, 5500), 3);

    // Stopped while repeating, in a later round.
    channel->SetRepeat(true);
    channel->Play();
    EXPECT_EQ(ShownAt(*channel, 7900), 4);
    channel->Stop();
    EXPECT_EQ(ShownAt(*channel, 7900), 0);

    // Another file: nothing until it is stopped or played, then its own first frame.
    const std::string other = dir_.File("other.avi");
    ASSERT_TRUE(media_test::WriteSolidClip(other, format_, 5));
    channel->SetFile(other);
    EXPECT_EQ(ShownAt(*channel, 8000), -1);
    channel->Stop();
    EXPECT_EQ(ShownAt(*channel, 8000), 5);
    channel->SetFile(dir_.File("missing.avi"));
    channel->Stop();
    EXPECT_EQ(ShownAt(*channel, 8100), -1);
}

TEST_P(ClipPlayback, AnotherFileReplacesThePlayingClip) {
    auto channel = media_.CreateSdlChannel("WMPfade");
    const std::string small = dir_.File("pipe: 100%20.AVI");  // looks like a URL, is a file
    ASSERT_TRUE(media_test::WriteSolidClip(small, {32, 24, 10, 20, GetParam()}));
    channel->SetFile(clip_);
    channel->Play();
    EXPECT_EQ(ShownAt(*channel, 400), 4);
    channel->SetFile(small);
    EXPECT_EQ(channel->VideoSize(), (Size{32, 24}));
    EXPECT_EQ(ShownAt(*channel, 400), -1) << "setting a file does not start it";
    channel->Play();
    EXPECT_EQ(ShownAt(*channel, 500), 1);  // scaled into the same rectangle
    channel->SetFile(dir_.File("missing.avi"));
    EXPECT_EQ(channel->VideoSize(), (Size{0, 0}));
    channel->Play();
    EXPECT_EQ(ShownAt(*channel, 600), -1);
}

// The event loop's view: when to wake, and whether to redraw; each new frame is reported once.
TEST_P(ClipPlayback, TellsTheLoopWhenToWakeAndWhenToRedraw) {
    auto channel = media_.CreateSdlChannel("WMPfade");
    channel->SetFile(clip_);
    EXPECT_FALSE(channel->NextFrameDue().has_value());
    EXPECT_FALSE(channel->HasNewFrame());
    clock_.Set(300);
    channel->Play();
    EXPECT_TRUE(Eventually([&] { return channel->HasNewFrame(); }));  // the first frame, due at once
    EXPECT_FALSE(channel->HasNewFrame());
    EXPECT_TRUE(Eventually([&] { return channel->NextFrameDue().has_value(); }));
    EXPECT_EQ(channel->NextFrameDue(), Millis{400});
    clock_.Set(399);
    EXPECT_FALSE(channel->HasNewFrame());
    clock_.Set(400);
    EXPECT_TRUE(channel->HasNewFrame());
    EXPECT_EQ(ShownAt(*channel, 400), 1);
    EXPECT_FALSE(channel->HasNewFrame()) << "drawn already";
}

// A view that is not drawn (off screen, behind another screen) still keeps time: the loop is
// never asked to wake for an overdue frame, and the view shows the right frame when drawn again.
TEST_P(ClipPlayback, ClipKeepsTimeWhileItsViewIsNotDrawn) {
    auto channel = media_.CreateSdlChannel("WMPanim");
    channel->SetFile(clip_);
    channel->Play();
    for (Millis t = 0; t <= 1200; t += 50) {
        clock_.Set(t);
        ASSERT_TRUE(Eventually([&] { return channel->NextFrameDue().has_value(); })) << t;
        EXPECT_GT(*channel->NextFrameDue(), t);
        EXPECT_EQ(channel->HasNewFrame(), t % 100 == 0) << t;
    }
    EXPECT_EQ(ShownAt(*channel, 1200), 12);
}

INSTANTIATE_TEST_SUITE_P(Codecs, ClipPlayback, ::testing::Values(ClipCodec::kMpeg4, ClipCodec::kMjpeg),
                         [](const auto& info) {
                             return info.param == ClipCodec::kMpeg4 ? "Mpeg4" : "Mjpeg";
                         });

TEST(ClipWakeUp, FirstFrameWakesAMainLoopWaitingForEvents) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
    {
        ScratchDir dir;
        ManualClock clock;
        SdlMediaSystem media(clock, platform::sdl::LinkedClips());
        ASSERT_NE(media.FrameEventType(), 0u);
        ASSERT_TRUE(media_test::WriteSolidClip(dir.File("c.avi"), {}));
        auto channel = media.CreateSdlChannel("WMPanim");
        channel->SetFile(dir.File("c.avi"));
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        channel->Play();
        SDL_Event event{};
        bool woken = false;
        while (!woken && SDL_WaitEventTimeout(&event, 10000) == 1)
            woken = event.type == media.FrameEventType();
        EXPECT_TRUE(woken);
        EXPECT_TRUE(channel->HasNewFrame());
    }
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

// Broken files: nothing shows, nothing hangs, the channel stays usable.
class BrokenClip : public ::testing::Test {
protected:
    void PlayAndDraw(const std::string& path, bool repeat) {
        auto channel = media_.CreateSdlChannel("WMPfade");
        channel->SetRepeat(repeat);
        channel->SetFile(path);
        channel->Play();
        for (Millis t = 0; t <= 3000; t += 250) {
            clock_.Set(t);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            canvas_.Clear();
            channel->DrawFrame(canvas_.Renderer(), kView);
            const int shown = FrameIndexOf(canvas_.At(kView.x + kView.w / 2, kView.y + kView.h / 2));
            EXPECT_GE(shown, -1) << "a colour no frame has at " << t << " ms";
        }
        channel->Stop();
        canvas_.Clear();
        channel->DrawFrame(canvas_.Renderer(), kView);
        EXPECT_GE(FrameIndexOf(canvas_.At(kView.x + kView.w / 2, kView.y + kView.h / 2)), -1) << "stopped";
        channel->Play();
        channel->SetFile(path);  // and again, while playing
    }

    // Plays a clip that does not repeat, 100 ms of the clock at a time, until it has ended (at
    // most 5 s of clip time); returns the frame shown at each step (-1: none). `ended` tells
    // whether it ended, `afterEnd` what shows a second later.
    struct Played {
        std::vector<int> shown;
        bool ended = false;
        int afterEnd = -1;
    };
    Played PlayToEnd(const std::string& path) {
        Played played;
        auto channel = media_.CreateSdlChannel("WMPfade");
        channel->SetFile(path);
        channel->Play();
        Millis t = 0;
        for (; t <= 5000 && channel->ClipRunning(); t += 100) {
            clock_.Set(t);
            // The decoder thread catches up with the clock: a frame still to come is queued,
            // or the clip has ended.
            Eventually([&] { return !channel->ClipRunning() || channel->NextFrameDue(); }, 5);
            canvas_.Clear();
            channel->DrawFrame(canvas_.Renderer(), kView);
            played.shown.push_back(FrameIndexOf(canvas_.At(kView.x + kView.w / 2, kView.y + kView.h / 2)));
        }
        played.ended = !channel->ClipRunning();
        clock_.Set(t + 1000);
        canvas_.Clear();
        channel->DrawFrame(canvas_.Renderer(), kView);
        played.afterEnd = FrameIndexOf(canvas_.At(kView.x + kView.w / 2, kView.y + kView.h / 2));
        return played;
    }
    // Shows at least `atLeast` frames of its own, in order and none foreign, then ends with its
    // last frame on show.
    static void ExpectPlaysAndEnds(const Played& p, size_t atLeast) {
        std::vector<int> frames;
        for (int f : p.shown)
            if (f != -1 && (frames.empty() || frames.back() != f)) frames.push_back(f);
        EXPECT_GE(frames.size(), atLeast);
        EXPECT_TRUE(std::is_sorted(frames.begin(), frames.end()));
        EXPECT_TRUE(std::all_of(frames.begin(), frames.end(), [](int f) { return f >= 0; }))
            << "a colour no frame has";
        EXPECT_TRUE(p.ended);
        EXPECT_EQ(p.afterEnd, frames.empty() ? -1 : frames.back());
    }

    ScratchDir dir_;
    ManualClock clock_;
    Canvas canvas_{100, 80};
    SdlMediaSystem media_{clock_, platform::sdl::LinkedClips()};
};

TEST_F(BrokenClip, MissingEmptyAndGarbageFilesShowNothing) {
    const std::string empty = dir_.File("empty.avi");
    media_test::WriteBytes(empty, {});
    std::mt19937 random(7);
    std::vector<char> noise(20000);
    for (char& c : noise) c = static_cast<char>(random());
    const std::string garbage = dir_.File("garbage.avi");
    media_test::WriteBytes(garbage, noise);
    // An AVI signature followed by noise gets past the format probe.
    std::vector<char> riff = {'R', 'I', 'F', 'F', 0x10, 0x4E, 0, 0, 'A', 'V', 'I', ' ', 'L', 'I', 'S', 'T'};
    riff.insert(riff.end(), noise.begin(), noise.end());
    const std::string fake = dir_.File("fake.avi");
    media_test::WriteBytes(fake, riff);

    // Neither a directory nor a FIFO (whose opening would block) is read.
    const std::string folder = dir_.File("folder.avi");
    std::filesystem::create_directory(folder);
    const std::string fifo = dir_.File("fifo.avi");
    // Where there are no named pipes, the name stays a missing file.
    if (!testing::Missing(testing::Feature::NamedPipes)) {
        ASSERT_TRUE(testing::MakeFifo(fifo));
    }

    for (const std::string& path : {dir_.File("missing.avi"), empty, garbage, fake, folder, fifo}) {
        SCOPED_TRACE(path);
        auto channel = media_.CreateSdlChannel("WMP3");
        channel->SetFile(path);
        EXPECT_EQ(channel->VideoSize(), (Size{0, 0}));
        channel->Play();
        canvas_.Clear();
        channel->DrawFrame(canvas_.Renderer(), kView);
        EXPECT_EQ(FrameIndexOf(canvas_.At(kView.x + 5, kView.y + 5)), -1);
        EXPECT_FALSE(channel->NextFrameDue().has_value());
        channel->Stop();
        canvas_.Clear();
        channel->DrawFrame(canvas_.Renderer(), kView);
        EXPECT_EQ(FrameIndexOf(canvas_.At(kView.x + 5, kView.y + 5)), -1) << "stopped";
        PlayAndDraw(path, true);
    }
}

TEST_F(BrokenClip, TruncatedAndDamagedClipsShowOnlyTheirOwnFramesInOrderAndEnd) {
    const std::string whole = dir_.File("whole.avi");
    ASSERT_TRUE(media_test::WriteSolidClip(whole, {64, 48, 10, 20, ClipCodec::kMpeg4}));
    const std::vector<char> bytes = media_test::ReadBytes(whole);
    ExpectPlaysAndEnds(PlayToEnd(whole), 20);  // the whole file: every frame
    for (std::size_t keep : {bytes.size() / 2, bytes.size() / 5, std::size_t{300}}) {
        SCOPED_TRACE(keep);
        const std::string cut = dir_.File("cut.avi");
        media_test::WriteBytes(cut, std::vector<char>(bytes.begin(), bytes.begin() + keep));
        ExpectPlaysAndEnds(PlayToEnd(cut), 0);
        PlayAndDraw(cut, true);
    }
    // Damage in the middle of the frame data.
    std::vector<char> damaged = bytes;
    std::mt19937 random(11);
    for (std::size_t i = damaged.size() / 3; i < damaged.size() * 2 / 3; i += 7)
        damaged[i] = static_cast<char>(random());
    const std::string broken = dir_.File("damaged.avi");
    media_test::WriteBytes(broken, damaged);
    ExpectPlaysAndEnds(PlayToEnd(broken), 0);
    PlayAndDraw(broken, true);
}

// A clip's own bytes, then more that never give a frame: zeros without end (a sparse hole after
// the clip) or, for the decoder thread, a read that hangs (a disk that stopped answering) until
// the test lets it go. The thread that made it reads zeros: opening the header is allowed to
// read there, and that happens on the main thread.
class StalledTail {
public:
    enum class Kind { kZeros, kHang };
    StalledTail(std::vector<char> clip, Kind kind) : clip_(std::move(clip)), kind_(kind) {}
    ~StalledTail() { Release(); }

    platform::sdl::ClipBytesFactory Source() {
        return [this] { return std::make_unique<Bytes>(*this); };
    }
    bool Reached() const { return reached_; }
    void Release() {
        {
            std::lock_guard lock(mutex_);
            released_ = true;
        }
        wake_.notify_all();
    }

private:
    class Bytes final : public platform::sdl::ClipBytes {
    public:
        explicit Bytes(StalledTail& tail) : tail_(tail) {}
        int Read(std::uint8_t* data, int size) override {
            const auto clipSize = static_cast<std::int64_t>(tail_.clip_.size());
            if (pos_ < clipSize) {
                const int n = static_cast<int>(std::min<std::int64_t>(size, clipSize - pos_));
                std::memcpy(data, tail_.clip_.data() + pos_, static_cast<size_t>(n));
                pos_ += n;
                return n;
            }
            if (tail_.kind_ == Kind::kHang && std::this_thread::get_id() != tail_.maker_) {
                tail_.reached_ = true;
                std::unique_lock lock(tail_.mutex_);
                // Bounded, so that a player that waits fails the test instead of hanging it.
                tail_.wake_.wait_for(lock, std::chrono::seconds(10), [this] { return tail_.released_; });
                return -1;
            }
            if (std::this_thread::get_id() != tail_.maker_) tail_.reached_ = true;
            std::memset(data, 0, static_cast<size_t>(size));
            pos_ += size;
            return size;
        }
        std::int64_t Seek(std::int64_t offset, int whence) override {
            const std::int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? pos_ : Size();
            if (base + offset < 0) return -1;
            return pos_ = base + offset;
        }
        std::int64_t Size() const override {
            return static_cast<std::int64_t>(tail_.clip_.size()) + (1LL << 40);
        }

    private:
        StalledTail& tail_;
        std::int64_t pos_ = 0;
    };

    const std::vector<char> clip_;
    const Kind kind_;
    const std::thread::id maker_ = std::this_thread::get_id();
    std::atomic<bool> reached_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool released_ = false;
};

TEST(ClipStopping, AClipThatReadsForeverOrHangsNeverHoldsUpTheMainThread) {
    using Clock = std::chrono::steady_clock;
    const auto within = [](Clock::duration limit, auto&& call) {
        const auto start = Clock::now();
        call();
        return Clock::now() - start < limit;
    };
    ScratchDir dir;
    const std::string clip = dir.File("clip.avi");
    ASSERT_TRUE(media_test::WriteSolidClip(clip, {64, 48, 10, 20, ClipCodec::kMpeg4}));
    const std::vector<char> bytes = media_test::ReadBytes(clip);
    Canvas canvas(100, 80);
    constexpr auto kAtOnce = std::chrono::milliseconds(300);

    for (const auto kind : {StalledTail::Kind::kZeros, StalledTail::Kind::kHang}) {
        const bool hangs = kind == StalledTail::Kind::kHang;
        SCOPED_TRACE(hangs ? "hangs" : "zeros without end");
        StalledTail tail(bytes, kind);
        ManualClock clock;
        auto reaper = std::make_shared<platform::sdl::ThreadReaper>();
        {
            platform::sdl::VideoPlayer player(clock, 0, reaper);
            player.SetSource(tail.Source());
            ASSERT_EQ(player.FrameSize(), (Size{64, 48}));
            player.Play();
            clock.Set(2500);  // past the 20 frames at 10 a second
            // Taking the due frames off the queue lets the decoder read on.
            ASSERT_TRUE(Eventually([&] {
                player.HasNewFrame();
                return tail.Reached();
            })) << "the decoder never read past the clip";
            // Endless zeros are given up by themselves: the clip ends while the clock stands.
            if (!hangs) {
                EXPECT_TRUE(Eventually([&] {
                    player.HasNewFrame();
                    return !player.Running();
                })) << "read on";
            }

            EXPECT_TRUE(within(kAtOnce, [&] { player.Stop(); }));
            canvas.Clear();
            player.DrawFrame(canvas.Renderer(), kView);
            EXPECT_EQ(FrameIndexOf(canvas.At(kView.x + 5, kView.y + 5)), 0) << "the first frame after Stop";
            EXPECT_TRUE(within(kAtOnce, [&] { player.Play(); }));
            EXPECT_TRUE(within(kAtOnce, [&] { player.SetFile(clip); }));
            EXPECT_TRUE(within(kAtOnce, [&] { player.Play(); }));
            clock.Set(2550);
            EXPECT_TRUE(Eventually([&] { return player.HasNewFrame(); })) << "the next clip plays";
        }
        if (hangs) {
            EXPECT_GT(reaper->Pending(), 0u) << "the hanging thread was waited for";
        }
        tail.Release();
        EXPECT_TRUE(Eventually([&] { return reaper->Pending() == 0; }))
            << "a stopped decoder thread never ended";
    }
}

// The game's clip code comes from the module beside the program, loaded in the background. A
// clip asked for before it is there starts when it comes, as it was asked for; without a module
// that loads, clips show nothing and the game goes on.
class ClipModule : public ::testing::Test {
protected:
    void SetUp() override {
        TOLARKA_SKIP_WITHOUT(Feature::ClipModule);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
        ASSERT_TRUE(media_test::WriteSolidClip(clip_, {}));  // 64 x 48, 10 frames a second
    }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_EVENTS); }

    // A clip set, slowed and played before the clip code is asked for; waits until it has come
    // or is known not to.
    std::unique_ptr<SdlMediaChannel> PlayWhileLoading(SdlMediaSystem& media) {
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        auto channel = media.CreateSdlChannel("WMPanim");
        channel->SetFile(clip_);
        channel->SetRate(0.8);
        channel->Play();
        SDL_Event event{};
        bool woken = false;
        while (!woken && SDL_WaitEventTimeout(&event, 10000) == 1)
            woken = event.type == media.FrameEventType();
        EXPECT_TRUE(woken) << "the loaded code never woke the main loop";
        return channel;
    }
    int Shown(SdlMediaChannel& channel) {
        canvas_.Clear();
        channel.DrawFrame(canvas_.Renderer(), kView);
        return FrameIndexOf(canvas_.At(kView.x + 5, kView.y + 5));
    }

    ScratchDir dir_;
    std::string clip_ = dir_.File("clip.avi");
    ManualClock clock_;
    Canvas canvas_{100, 80};
};

TEST_F(ClipModule, GameFindsTheBuiltModuleAndPlaysThroughItWhatWasAskedWhileItLoaded) {
    // The first place holds no module; the build tree's program folder does.
    auto clips = platform::sdl::GameClips({dir_.File("none"), testing::ClipModuleFile().parent_path()});
    SdlMediaSystem media(clock_, clips);
    auto channel = PlayWhileLoading(media);
    ASSERT_NE(clips->Players(), nullptr);
    EXPECT_NE(clips->Players(), &platform::sdl::LinkedClipPlayers()) << "not the module's own code";
    EXPECT_EQ(channel->VideoSize(), (Size{64, 48}));
    ASSERT_TRUE(Eventually([&] { return channel->NextFrameDue().has_value(); }));
    EXPECT_EQ(Shown(*channel), 0);
    clock_.Set(500);  // at 0.8 every frame stays 125 ms
    ASSERT_TRUE(Eventually([&] { return channel->NextFrameDue() > Millis{500}; }));
    EXPECT_EQ(Shown(*channel), 4);
    channel->Stop();
    EXPECT_EQ(Shown(*channel), 0);
}

TEST_F(ClipModule, WithoutAModuleThatLoadsClipsShowNothingAndSayWhyOnce) {
    const std::string notAModule = dir_.File("broken");
    std::filesystem::create_directories(notAModule);
    media_test::WriteBytes(
        (std::filesystem::path(notAModule) / testing::ClipModuleFile().filename()).string(),
        {'\x7f', 'E', 'L', 'F', 0, 1});
    for (const std::string& dir : {dir_.File("none"), notAModule}) {
        SCOPED_TRACE(dir);
        auto clips = platform::sdl::GameClips({dir});
        SdlMediaSystem media(clock_, clips);
        ::testing::internal::CaptureStderr();
        auto channel = PlayWhileLoading(media);
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
            EXPECT_EQ(Shown(*c), -1);
            c->Stop();
            EXPECT_EQ(Shown(*c), -1);
        }
    }
}

}  // namespace
}  // namespace tolarka
