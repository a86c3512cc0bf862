// The runtime's timing rules on the virtual clock: timers, pauses, pending events, modal boxes.
#include "platform/runtime.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/screen.h"
#include "platform/timer.h"

using namespace tolarka::platform;

namespace {

struct TestScreen : Screen {
    explicit TestScreen(Runtime& rt) : Screen(rt, "test") {}
    void Design() override {}
    bool OnKeyUp(int key) override {
        keys.push_back(key);
        return true;
    }
    std::vector<int> keys;
};

// A headless backend with one clip: a frame every 40 ms from `start` until `end`, each counted
// when a repaint first shows it, as the real backend's players report their frames.
struct ClipBackend : headless::HeadlessBackend {
    static constexpr Millis kFrame = 40;
    Millis start = -1, end = -1, shown = -1;
    std::vector<Millis> frameShownAt;

    Millis Latest(Millis now) const { return start + (now - start) / kFrame * kFrame; }
    bool VideoWantsRedraw() override {
        return start >= 0 && Now() >= start && Now() < end && Latest(Now()) > shown;
    }
    std::optional<Millis> NextVideoFrame() override {
        const Millis next = Now() < start ? start : Latest(Now()) + kFrame;
        return start >= 0 && next < end ? std::optional(next) : std::nullopt;
    }
    void Present(const std::vector<const Screen*>& screens) override {
        HeadlessBackend::Present(screens);
        if (VideoWantsRedraw()) {
            shown = Latest(Now());
            frameShownAt.push_back(Now());
        }
    }
};

template <typename Backend = headless::HeadlessBackend>
struct World {
    Backend backend;
    Runtime rt{backend};
    TestScreen screen{rt};
    Timer& timer = screen.AddTimer("t");
    std::vector<Millis> ticks;
    World() {
        screen.Show();
        timer.onTick = [this] { ticks.push_back(rt.Now()); };
    }
    // Runs `block` inside a timer tick at `at` ms.
    void InTick(std::function<void()> block, Millis at = 50) {
        timer.SetInterval(at);
        timer.onTick = [this, block] {
            timer.Stop();
            block();
        };
        timer.Start();
    }
};

}  // namespace

// A timer ticks every interval from when it was enabled; a handler may stop or reprogram its own
// timer.
TEST(RuntimeTimers, TicksEveryIntervalFromEnablingAndRestartsOnChange) {
    World<> w;
    Timer& t = w.timer;
    w.backend.At(100, [&] {
        t.SetInterval(300);
        t.Start();
    });
    w.backend.At(1100, [&] { t.SetInterval(500); });  // a new interval counts from now
    w.backend.At(2200, [&] {                          // so does stopping and starting again
        t.Stop();
        t.Start();
    });
    w.backend.At(2500, [&] { t.Start(); });         // starting a running timer does not
    w.backend.At(2800, [&] { t.SetInterval(0); });  // an interval of 0 never ticks
    Timer& self = w.screen.AddTimer("self");
    std::vector<Millis> selfTicks;
    self.onTick = [&] {
        selfTicks.push_back(w.rt.Now());
        self.Interval() == 1000 ? self.SetInterval(2500) : self.Stop();
    };
    self.SetInterval(1000);
    self.Start();
    w.rt.RunUntil(5000);
    EXPECT_EQ(w.ticks, (std::vector<Millis>{400, 700, 1000, 1600, 2100, 2700}));
    EXPECT_EQ(selfTicks, (std::vector<Millis>{1000, 3500}));
}

TEST(RuntimeTimers, APauseBlocksTicksAndInputWhichComeAfterIt) {
    World<> w;
    Timer& other = w.screen.AddTimer("other");
    std::vector<std::string> order;
    w.timer.SetInterval(100);
    w.timer.onTick = [&] {
        order.push_back("pause@" + std::to_string(w.rt.Now()));
        w.timer.Stop();
        w.rt.Pause(1000);
    };
    other.SetInterval(350);
    other.onTick = [&] {
        order.push_back("other@" + std::to_string(w.rt.Now()));
        other.Stop();
    };
    w.backend.KeyPress(500, 'X');
    w.timer.Start();
    other.Start();
    w.rt.RunUntil(2000);
    // The tick missed during the pause comes once, right after it; the key waited too.
    EXPECT_EQ(order, (std::vector<std::string>{"pause@100", "other@1100"}));
    EXPECT_EQ(w.screen.keys, (std::vector<int>{'X'}));
}

TEST(RuntimeTimers, TicksDueTogetherRunInCreationOrderAndDoEventsRunsDueOnes) {
    World<> w;
    Timer& second = w.screen.AddTimer("second");
    std::vector<std::string> order;
    w.timer.onTick = [&] { order.push_back("first"); };
    second.onTick = [&] { order.push_back("second"); };
    second.SetInterval(200);
    w.timer.SetInterval(200);
    second.Start();
    w.timer.Start();
    w.backend.Sleep(250);  // time passes without the loop
    w.rt.DoEvents();
    EXPECT_EQ(order, (std::vector<std::string>{"first", "second"}));
}

TEST(RuntimeModal, BoxesAreAnsweredByKeysAndBlockTheScreenBeneath) {
    World<> w;
    w.backend.DrawMessageBoxes(true);
    w.backend.MouseMove(70, 320, 240);       // over the first box, which goes before the next comes
    w.backend.KeyPress(100, keys::kEscape);  // closes the OK box
    w.backend.KeyPress(200, keys::kEscape);  // a Yes/No box has no cancel: nothing happens
    w.backend.KeyPress(250, 'Q');            // ignored by the box
    w.backend.KeyPress(300, 'N');
    w.backend.KeyPress(400, 'A');
    std::vector<std::pair<int, Millis>> answers;
    w.InTick([&] {
        for (const auto buttons : {MessageButtons::Ok, MessageButtons::YesNo, MessageButtons::YesNo}) {
            const int answer = w.rt.MessageBox("Opravdu?", buttons, MessageIcon::Exclamation, "chyba");
            answers.emplace_back(answer, w.rt.Now());
        }
    });
    w.rt.RunUntil(1000);
    EXPECT_EQ(answers,
              (std::vector<std::pair<int, Millis>>{{kAnswerOk, 100}, {kAnswerNo, 300}, {kAnswerYes, 400}}));
    // Keys pressed while a box is up stay with it; only the release of the last answering key,
    // after the boxes have gone, reaches the screen beneath.
    EXPECT_EQ(w.screen.keys, (std::vector<int>{'A'}));
    // A box that nothing will answer ends the run rather than wait for ever.
    EXPECT_THROW(w.rt.MessageBox("Nikdo neodpoví", MessageButtons::Ok, MessageIcon::Information, "info"),
                 std::runtime_error);
}

TEST(RuntimeMedia, ClipFramesKeepComingDuringAPauseAndAMessageBox) {
    for (const bool box : {false, true}) {
        SCOPED_TRACE(box ? "message box" : "pause");
        World<ClipBackend> w;
        w.backend.DrawMessageBoxes(true);
        w.backend.KeyPress(2000, keys::kReturn);
        Millis back = 0;
        // At 100 ms the clip starts for 2.5 s, and in the same tick a box or a pause.
        w.InTick(
            [&] {
                w.backend.start = w.rt.Now();
                w.backend.end = w.rt.Now() + 2500;
                if (box)
                    w.rt.MessageBox("Pozor.", MessageButtons::Ok, MessageIcon::Information, "info");
                else
                    w.rt.Pause(2500);
                back = w.rt.Now();
            },
            100);
        w.rt.RunUntil(3000);
        EXPECT_EQ(back, box ? 2000 : 2600);
        // Every frame on time, from the clip's start to its end.
        std::vector<Millis> frames;
        for (Millis f = 100; f < 2600; f += ClipBackend::kFrame) frames.push_back(f);
        EXPECT_EQ(w.backend.frameShownAt, frames);
    }
}
