// Clips on a screen, end to end: the runtime's loop on the player's SDL backend (an offscreen
// window with the software renderer) plays generated clips in the MediaViews of a screen, and
// every picture it presents is read back to see which frame each view shows and where. When
// each frame is due is pinned on a hand-driven clock (ClipPlayback); here the real clock runs.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/runtime.h"
#include "platform/screen.h"
#include "platform/sdl/sdl_backend.h"
#include "tests/media_test_support.h"

namespace tolarka {
namespace {

using media_test::FrameIndexOf;
using platform::Millis;

constexpr int kFrames = 20;   // the test colours tell 20 frames apart
constexpr int kNoFrame = -3;  // the form shows (FrameIndexOf: -1 for black, -2 for no frame's colour)
constexpr std::uint32_t kBackground = 0x2040A0;

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

// The player's backend, reading back every picture it presents.
class ProbeBackend final : public platform::sdl::SdlBackend {
public:
    ProbeBackend() : SdlBackend(false, platform::sdl::LinkedClips()), pixels_(640 * 480) {}

    void Present(const std::vector<const platform::Screen*>& screens) override {
        SdlBackend::Present(screens);
        // The software renderer keeps the presented picture in the window surface.
        failedReads +=
            SDL_RenderReadPixels(Target(), nullptr, SDL_PIXELFORMAT_ARGB8888, pixels_.data(), 640 * 4) != 0;
        fade.push_back(Classify(kFadeRect.x + kFadeRect.w / 2, kFadeRect.y + kFadeRect.h / 2));
        anim.push_back(Classify(kAnimRect.x + kAnimRect.w / 2, kAnimRect.y + kAnimRect.h / 2));
    }

    // Pixels of the last picture that break "each view's rectangle shows its frame whole (or,
    // for the second view, nothing), and everything else is the form": 0 for a perfect picture.
    int CountMisplacedPixels(int fadeFrame, int animFrame) const {
        int wrong = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                const SDL_Point p{x, y};
                const int anim = SDL_PointInRect(&p, &kAnimRect) ? animFrame : kNoFrame;
                wrong += Classify(x, y) != (SDL_PointInRect(&p, &kFadeRect) ? fadeFrame : anim);
            }
        return wrong;
    }

    std::vector<int> fade, anim;  // the frame each view showed in every picture presented
    int failedReads = 0;

private:
    // The frame a pixel shows, kNoFrame for the form.
    int Classify(int x, int y) const {
        const std::uint32_t p = pixels_[static_cast<std::size_t>(y * 640 + x)] & 0xFFFFFF;
        if (p == kBackground) return kNoFrame;
        return FrameIndexOf(
            {static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF), static_cast<int>(p & 0xFF)});
    }
    std::vector<std::uint32_t> pixels_;
};

TEST(ClipOnScreen, ViewsShowTheirClipsFramesInOrderInTheirRectanglesOnly) {
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    ScratchDir dir;
    const std::string fadeClip = dir.File("fade.avi"), animClip = dir.File("anim.avi");
    ASSERT_TRUE(media_test::WriteSolidClip(fadeClip, {kFadeRect.w, kFadeRect.h, 25, kFrames, {}}));
    ASSERT_TRUE(media_test::WriteSolidClip(animClip, {kAnimRect.w, kAnimRect.h, 25, kFrames, {}}));
    ProbeBackend backend;
    SDL_RendererInfo info{};
    ASSERT_EQ(SDL_GetRendererInfo(backend.Target(), &info), 0) << SDL_GetError();
    ASSERT_STREQ(info.name, "software");
    platform::Runtime rt(backend);
    ClipScreen screen(rt);
    screen.Show();
    rt.RunUntil(rt.Now() + 20);
    // The frames come from the decoders' threads: waited for (at most 5 s), as a loaded machine
    // may take longer than a frame's time to deliver one.
    const auto waitFor = [&](const std::function<bool()>& done) {
        for (const Millis cap = rt.Now() + 5000; rt.Now() < cap && !done();) rt.RunUntil(rt.Now() + 20);
    };

    // A new question: the studio clip is set and stopped, so it waits at its first frame; the
    // other clip is only set and shows nothing.
    screen.WMPfade->SetFile(fadeClip);
    screen.WMPfade->Stop();
    screen.WMPanim->SetFile(animClip);
    screen.WMPanim->SetRate(0.8);
    waitFor([&] { return !backend.fade.empty() && backend.fade.back() == 0; });
    ASSERT_EQ(backend.failedReads, 0) << SDL_GetError();
    EXPECT_EQ(backend.CountMisplacedPixels(0, kNoFrame), 0);

    const std::size_t start = backend.fade.size();
    screen.WMPfade->Play();
    screen.WMPanim->Play();
    // Somewhere in the middle, the whole picture: each clip inside its rectangle and nowhere else.
    waitFor([&] { return backend.fade.back() >= 1 && backend.anim.back() >= 1; });
    EXPECT_TRUE(backend.fade.back() >= 1 && backend.anim.back() >= 1);
    EXPECT_EQ(backend.CountMisplacedPixels(backend.fade.back(), backend.anim.back()), 0);

    // Both run to their ends (the slower one in 1/0.8 of its time), frames only forwards.
    waitFor([&] { return backend.anim.back() == kFrames - 1; });
    for (const auto* seen : {&backend.fade, &backend.anim}) {
        EXPECT_TRUE(std::is_sorted(seen->begin() + static_cast<std::ptrdiff_t>(start), seen->end()));
        EXPECT_EQ(seen->back(), kFrames - 1);
    }
    // Ended: the last frames stay, and the loop stops redrawing.
    const std::size_t presentsAtEnd = backend.fade.size();
    rt.RunUntil(rt.Now() + 200);
    EXPECT_LE(backend.fade.size() - presentsAtEnd, 1u) << "redrawing with nothing new to show";
    rt.MarkDirty();
    rt.RunUntil(rt.Now() + 10);
    EXPECT_EQ(backend.CountMisplacedPixels(kFrames - 1, kFrames - 1), 0);

    // Stopped after its end, the studio clip goes back to its first frame, like a stopped player.
    screen.WMPfade->Stop();
    rt.RunUntil(rt.Now() + 30);
    EXPECT_EQ(backend.CountMisplacedPixels(0, kFrames - 1), 0);
    EXPECT_EQ(backend.failedReads, 0);
    SDL_ResetHint(SDL_HINT_RENDER_DRIVER);
}

}  // namespace
}  // namespace tolarka
