// Clips on a screen, end to end and in real time: the runtime's loop on the player's SDL backend
// (an offscreen window with the software renderer) plays generated clips in the MediaViews of a
// screen, and every picture it presents is read back to see which frame each view shows, where
// and when.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/runtime.h"
#include "platform/screen.h"
#include "platform/sdl/sdl_backend.h"
#include "tests/media_test_support.h"

namespace tolarka {
namespace {

using media_test::FrameIndexOf;
using media_test::Rgb;
using media_test::TempDir;
using platform::Millis;
using platform::sdl::SampleClipFormat;

constexpr int kFps = 25;
constexpr int kFrames = 20;  // the test colours tell 20 frames apart
constexpr platform::Colour kBackground = 0x2040A0;
// A view that shows no frame: the form's colour, or the black of the clip area behind it.
constexpr int kNoFrame = -1;
constexpr int kStrangeColour = -2;

// Where the views sit on the 640 x 480 display, in pixels.
constexpr SDL_Rect kFadeRect{58, 21, 340, 192};  // the game's studio clip area
constexpr SDL_Rect kAnimRect{400, 280, 160, 120};

// A screen laid out like the game screen's studio clip area, plus a second clip channel.
struct ClipScreen : platform::Screen {
    explicit ClipScreen(platform::Runtime& rt) : Screen(rt, "frmClips") {}
    void Design() override {
        Form().SetBackColour(kBackground);
        Form().SetTransparent(false);
        auto& area = Form().Add<platform::PictureBox>("picFade");
        area.Move(870, 315, 5100, 2880);
        area.SetBackColour(0x000000);
        WMPfade = &area.Add<platform::MediaView>("WMPfade");
        WMPfade->Move(0, 0, 5100, 2880);
        WMPanim = &Form().Add<platform::MediaView>("WMPanim");
        WMPanim->Move(platform::PixelsToTwips(kAnimRect.x), platform::PixelsToTwips(kAnimRect.y), 3000, 3000);
    }
    platform::MediaView* WMPfade = nullptr;
    platform::MediaView* WMPanim = nullptr;
};

// What one view showed in one presented picture.
struct Seen {
    Millis at = 0;
    int frame = kNoFrame;
    bool inPlace = true;  // the same frame to its edges, and the background just outside them
};

// The player's backend, reading back every picture it presents.
class ProbeBackend final : public platform::sdl::SdlBackend {
public:
    ProbeBackend() : SdlBackend(false), pixels_(640 * 480) {}

    void Present(const std::vector<const platform::Screen*>& screens) override {
        SdlBackend::Present(screens);
        // The software renderer keeps the presented picture in the window surface.
        if (SDL_RenderReadPixels(Target(), nullptr, SDL_PIXELFORMAT_ARGB8888, pixels_.data(), 640 * 4) != 0) {
            ++failedReads_;
            return;
        }
        const Millis now = Now();
        fade_.push_back(Look(kFadeRect, now));
        anim_.push_back(Look(kAnimRect, now));
    }

    Rgb At(int x, int y) const {
        const std::uint32_t p = pixels_[static_cast<std::size_t>(y * 640 + x)];
        return {static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF),
                static_cast<int>(p & 0xFF)};
    }
    static int Classify(Rgb c) {
        const int index = FrameIndexOf(c);
        if (index >= 0) return index;
        const bool background = c.r == 0x20 && c.g == 0x40 && c.b == 0xA0;
        return index == -1 || background ? kNoFrame : kStrangeColour;
    }
    bool IsBackground(int x, int y) const {
        const Rgb c = At(x, y);
        return c.r == 0x20 && c.g == 0x40 && c.b == 0xA0;
    }

    // Pixels of the last picture that break "each view's rectangle shows its frame whole (or,
    // for the second view, nothing), and everything else is the form": 0 for a perfect picture.
    int CountMisplacedPixels(int fadeFrame, int animFrame) const {
        int wrong = 0;
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) {
                const SDL_Point p{x, y};
                if (SDL_PointInRect(&p, &kFadeRect)) {
                    wrong += Classify(At(x, y)) != fadeFrame;
                } else if (SDL_PointInRect(&p, &kAnimRect)) {
                    wrong += animFrame == kNoFrame ? !IsBackground(x, y) : Classify(At(x, y)) != animFrame;
                } else {
                    wrong += !IsBackground(x, y);
                }
            }
        }
        return wrong;
    }

    std::vector<Seen>& Fade() { return fade_; }
    std::vector<Seen>& Anim() { return anim_; }
    int FailedReads() const { return failedReads_; }

private:
    Seen Look(const SDL_Rect& r, Millis now) const {
        Seen seen{now, Classify(At(r.x + r.w / 2, r.y + r.h / 2)), true};
        const SDL_Point corners[] = {
            {r.x, r.y}, {r.x + r.w - 1, r.y}, {r.x, r.y + r.h - 1}, {r.x + r.w - 1, r.y + r.h - 1}};
        for (const auto& c : corners) seen.inPlace &= Classify(At(c.x, c.y)) == seen.frame;
        const SDL_Point outside[] = {{r.x - 1, r.y + r.h / 2},
                                     {r.x + r.w, r.y + r.h / 2},
                                     {r.x + r.w / 2, r.y - 1},
                                     {r.x + r.w / 2, r.y + r.h}};
        for (const auto& o : outside) seen.inPlace &= IsBackground(o.x, o.y);
        return seen;
    }

    std::vector<std::uint32_t> pixels_;
    std::vector<Seen> fade_;
    std::vector<Seen> anim_;
    int failedReads_ = 0;
};

// One change of picture in a view: frame `frame` first presented at `at`.
struct Change {
    Millis at;
    int frame;
};

std::vector<Change> Changes(const std::vector<Seen>& seen, Millis from) {
    std::vector<Change> out;
    int last = -100;
    for (const Seen& s : seen) {
        if (s.at < from || s.frame == last) continue;
        out.push_back({s.at, s.frame});
        last = s.frame;
    }
    return out;
}

// Checks one view's run from `start` (just before Play): frames in order, none before its time,
// most of them shown, the last one soon after its time, each at the view's place.
void CheckRun(const std::vector<Seen>& seen, Millis start, double rate, const std::string& view) {
    SCOPED_TRACE(view);
    const double period = 1000.0 / kFps / rate;
    const auto changes = Changes(seen, start);
    ASSERT_FALSE(changes.empty()) << "the clip never showed";
    int previous = -1;
    int shown = 0;
    int early = 0;
    std::string firstEarly;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const Change& c = changes[i];
        // Only until the first frame is decoded may the view show nothing.
        ASSERT_GE(c.frame, i == 0 ? kNoFrame : 0)
            << "no frame or a strange colour at " << c.at - start << " ms";
        if (c.frame == kNoFrame) continue;
        EXPECT_GT(c.frame, previous) << "frames out of order at " << c.at - start << " ms";
        previous = c.frame;
        ++shown;
        // A frame never shows before its time (clock milliseconds, rounded).
        if (static_cast<double>(c.at - start) < c.frame * period - 1.0 && early++ == 0) {
            firstEarly = "frame " + std::to_string(c.frame) + " at " + std::to_string(c.at - start) +
                         " ms, due at " + std::to_string(c.frame * period);
        }
    }
    EXPECT_EQ(early, 0) << "frames shown before their time, the first: " << firstEarly;
    // The loaded test machine may skip a few frames and show others late, but not most of them.
    EXPECT_GE(shown, kFrames / 2) << "frames shown";
    ASSERT_EQ(changes.back().frame, kFrames - 1) << "the clip did not reach its last frame";
    const double lastDue = (kFrames - 1) * period;
    EXPECT_LE(static_cast<double>(changes.back().at - start), lastDue + 400.0)
        << "last frame due at " << lastDue;
    const auto misplaced =
        std::count_if(seen.begin(), seen.end(), [&](const Seen& s) { return s.at >= start && !s.inPlace; });
    EXPECT_EQ(misplaced, 0) << "pictures where the clip was not exactly in its rectangle";
    const double measured = 1000.0 * (changes.back().frame - changes.front().frame) /
                            static_cast<double>(std::max<Millis>(1, changes.back().at - changes.front().at));
    ::testing::Test::RecordProperty(view + "_frames_per_second", std::to_string(measured));
    ::testing::Test::RecordProperty(view + "_frames_shown", shown);
}

class ClipOnScreen : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
        ASSERT_TRUE(media_test::WriteSolidClip(fadeClip_, {kFadeRect.w, kFadeRect.h, kFps, kFrames, {}}));
        ASSERT_TRUE(media_test::WriteSolidClip(animClip_, {kAnimRect.w, kAnimRect.h, kFps, kFrames, {}}));
    }
    void TearDown() override { SDL_ResetHint(SDL_HINT_RENDER_DRIVER); }

    TempDir dir_;
    std::string fadeClip_ = dir_.File("fade.avi");
    std::string animClip_ = dir_.File("anim.avi");
};

TEST_F(ClipOnScreen, FramesReachTheViewsRectangleAtTheClipsRateAndTheChosenRate) {
    ProbeBackend backend;
    SDL_RendererInfo info{};
    ASSERT_EQ(SDL_GetRendererInfo(backend.Target(), &info), 0) << SDL_GetError();
    ASSERT_STREQ(info.name, "software");
    platform::Runtime rt(backend);
    ClipScreen screen(rt);
    screen.Show();
    rt.RunUntil(rt.Now() + 20);

    // A new question: the studio clip is set and stopped, so it waits at its first frame; the
    // other clip is only set and shows nothing.
    screen.WMPfade->SetFile(fadeClip_);
    screen.WMPfade->Stop();
    screen.WMPanim->SetFile(animClip_);
    screen.WMPanim->SetRate(0.8);
    rt.RunUntil(rt.Now() + 60);
    ASSERT_EQ(backend.FailedReads(), 0) << SDL_GetError();
    ASSERT_FALSE(backend.Fade().empty());
    EXPECT_EQ(backend.Fade().back().frame, 0);
    EXPECT_EQ(backend.Anim().back().frame, kNoFrame);
    EXPECT_EQ(backend.CountMisplacedPixels(0, kNoFrame), 0);

    const Millis start = rt.Now();
    screen.WMPfade->Play();
    screen.WMPanim->Play();
    // Somewhere in the middle, the whole picture: each clip inside its rectangle and nowhere else.
    const Millis middle = start + 500;
    rt.RunUntil(middle);
    const Seen fadeNow = backend.Fade().back();
    const Seen animNow = backend.Anim().back();
    EXPECT_GE(fadeNow.frame, 0);
    EXPECT_GE(animNow.frame, 0);
    EXPECT_EQ(backend.CountMisplacedPixels(fadeNow.frame, animNow.frame), 0);

    const double slow = 1.0 / 0.8;
    const Millis animEnd = start + static_cast<Millis>((kFrames - 1) * 1000.0 / kFps * slow);
    while (rt.Now() < animEnd + 400 && backend.Anim().back().frame != kFrames - 1) rt.RunUntil(rt.Now() + 20);
    CheckRun(backend.Fade(), start, 1.0, "WMPfade");
    CheckRun(backend.Anim(), start, 0.8, "WMPanim");
    // At 0.8 the clip takes 1/0.8 as long (each frame was checked against its time above); the
    // measured lengths go to the test's record.
    const auto fadeChanges = Changes(backend.Fade(), start);
    const auto animChanges = Changes(backend.Anim(), start);
    ASSERT_FALSE(fadeChanges.empty());
    ASSERT_FALSE(animChanges.empty());
    const Millis fadeTook = fadeChanges.back().at - start;
    const Millis animTook = animChanges.back().at - start;
    RecordProperty("fade_ms", static_cast<int>(fadeTook));
    RecordProperty("anim_ms", static_cast<int>(animTook));
    EXPECT_GT(animTook, fadeTook) << "the slower clip ended first";

    // Both ended: the last frames stay, and the loop stops redrawing.
    const std::size_t presentsAtEnd = backend.Fade().size();
    rt.RunUntil(rt.Now() + 200);
    EXPECT_LE(backend.Fade().size() - presentsAtEnd, 1u) << "redrawing with nothing new to show";
    rt.MarkDirty();
    rt.RunUntil(rt.Now() + 10);
    EXPECT_EQ(backend.CountMisplacedPixels(kFrames - 1, kFrames - 1), 0);

    // Stopped after its end, the studio clip goes back to its first frame, like a stopped player.
    screen.WMPfade->Stop();
    rt.RunUntil(rt.Now() + 30);
    EXPECT_EQ(backend.CountMisplacedPixels(0, kFrames - 1), 0);
    EXPECT_EQ(backend.FailedReads(), 0);
}

}  // namespace
}  // namespace tolarka
