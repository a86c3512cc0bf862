// The runtime's timing rules on the virtual clock: timers, pauses, pending events, modal boxes.
#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/runtime.h"
#include "platform/screen.h"
#include "platform/timer.h"

using namespace tolarka::platform;

namespace {

struct TestScreen : Screen {
    explicit TestScreen(Runtime& rt) : Screen(rt, "test") {}
    void Design() override {
        button = &Form().Add<PictureBox>("button");
        button->Move(0, 0, 1500, 1500);  // 100 x 100 pixels at the top left
        button->onClick = [this] { ++clicks; };
    }
    bool OnKeyUp(int key) override {
        keys.push_back(key);
        return true;
    }
    PictureBox* button = nullptr;
    int clicks = 0;
    std::vector<int> keys;
};

struct World {
    headless::HeadlessBackend backend;
    Runtime rt{backend};
    TestScreen screen{rt};
    Timer& timer = screen.AddTimer("t");
    std::vector<Millis> ticks;
    World() {
        screen.Show();
        timer.onTick = [this] { ticks.push_back(rt.Now()); };
    }
};

}  // namespace

TEST(RuntimeTimers, TicksEveryIntervalFromEnablingAndRestartsOnChange) {
    World w;
    w.rt.RunUntil(100);
    w.timer.SetInterval(300);
    w.timer.Start();
    w.rt.RunUntil(1000);
    EXPECT_EQ(w.ticks, (std::vector<Millis>{400, 700, 1000}));
    // Changing the interval of a running timer restarts the count from now.
    w.rt.RunUntil(1100);
    w.timer.SetInterval(500);
    w.rt.RunUntil(2100);
    EXPECT_EQ(w.ticks.back(), 2100);
    EXPECT_EQ(w.ticks[w.ticks.size() - 2], 1600);
    // Disabling and re-enabling restarts it too; enabling an enabled timer does not.
    w.ticks.clear();
    w.rt.RunUntil(2200);
    w.timer.Stop();
    w.timer.Start();
    w.rt.RunUntil(2500);
    w.timer.Start();
    w.rt.RunUntil(2700);
    EXPECT_EQ(w.ticks, (std::vector<Millis>{2700}));
    // An interval of 0 never ticks.
    w.timer.SetInterval(0);
    w.rt.RunUntil(5000);
    EXPECT_EQ(w.ticks.size(), 1u);
}

TEST(RuntimeTimers, AHandlerMayStopOrReprogramItself) {
    World w;
    w.timer.onTick = [&] {
        w.ticks.push_back(w.rt.Now());
        if (w.timer.Interval() == 1000) w.timer.SetInterval(2500);
        else w.timer.Stop();
    };
    w.timer.SetInterval(1000);
    w.timer.Start();
    w.rt.RunUntil(10000);
    EXPECT_EQ(w.ticks, (std::vector<Millis>{1000, 3500}));
}

TEST(RuntimeTimers, APauseBlocksTicksAndInputWhichComeAfterIt) {
    World w;
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
    w.screen.keys.clear();
    w.timer.Start();
    other.Start();
    w.rt.RunUntil(2000);
    // The tick missed during the pause comes once, right after it; the key waited too.
    EXPECT_EQ(order, (std::vector<std::string>{"pause@100", "other@1100"}));
    EXPECT_EQ(w.screen.keys, (std::vector<int>{'X'}));
}

TEST(RuntimeTimers, TicksDueTogetherRunInCreationOrderAndDoEventsRunsDueOnes) {
    World w;
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

TEST(RuntimeInput, ClicksReachTheTopmostEnabledWidgetOnly) {
    World w;
    w.backend.Click(10, 50, 50);
    w.backend.Click(20, 150, 150);  // outside the button
    w.rt.RunUntil(30);
    EXPECT_EQ(w.screen.clicks, 1);
    w.screen.button->SetEnabled(false);
    w.backend.Click(40, 50, 50);
    w.rt.RunUntil(50);
    EXPECT_EQ(w.screen.clicks, 1);
}

TEST(RuntimeModal, MessageBoxIsAnsweredByKeysAndBlocksTheScreenBeneath) {
    World w;
    w.backend.DrawMessageBoxes(true);
    w.backend.KeyPress(100, 'Q');  // ignored by the box
    w.backend.KeyPress(200, 'N');
    int answer = 0;
    w.timer.SetInterval(50);
    w.timer.onTick = [&] {
        w.timer.Stop();
        answer = w.rt.MessageBox("Opravdu?", MessageButtons::YesNo, MessageIcon::Exclamation, "chyba");
    };
    w.timer.Start();
    w.rt.RunUntil(1000);
    EXPECT_EQ(answer, kAnswerNo);
    // Keys pressed while the box is up stay with it; only the release of the answering key,
    // after the box has gone, reaches the screen beneath.
    EXPECT_EQ(w.screen.keys, (std::vector<int>{'N'}));
    EXPECT_THROW(
        {
            World stuck;
            stuck.backend.DrawMessageBoxes(true);
            stuck.rt.MessageBox("Nikdo neodpoví", MessageButtons::Ok, MessageIcon::Information, "info");
        },
        std::runtime_error);
}
