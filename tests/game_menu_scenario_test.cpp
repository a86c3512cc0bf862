// The in-game menu: sliding panel, save request banner, walking away.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "playing_world.h"

using namespace tolarka;
using namespace tolarka::testing;

namespace {

// The panel's items at the top: "MENU", "ULOŽIT HRU", "UKONČIT HRU".
constexpr int kMenuX = 40, kSaveX = 140, kEndX = 300, kMenuY = 17, kSaveY = 17, kEndY = 17;
constexpr int kBannerX = 320, kBannerY = 380;  // the save banner

// The value `read` gives at each repaint that differs from the one before, with its time.
template <typename T>
std::shared_ptr<std::vector<std::pair<Millis, T>>> Watch(GameWorld& w, std::function<T()> read) {
    auto changes = std::make_shared<std::vector<std::pair<Millis, T>>>();
    w.backend.onPresent = [changes, read](Millis t) {
        if (const T v = read(); changes->empty() || changes->back().second != v) changes->emplace_back(t, v);
    };
    return changes;
}

// Opens the panel and waits until it is fully open; returns the time after.
Millis OpenMenu(PlayingWorld& w, Millis at) {
    w.backend.Click(at, kMenuX, kMenuY);
    w.rt.RunUntil(at + 600);
    return at + 600;
}

}  // namespace

TEST(GameMenu, SlidesInStepsOfFortyFiveOnlyWhileInputIsOpenAndAnAnswerStopsIt) {
    PlayingWorld w;
    frmMain& m = w.Main();
    const Millis t0 = *w.When("frmMain.imgStupnice picture S01");
    w.backend.Click(t0 + 500, kMenuX, kMenuY);  // still building up: input locked
    w.rt.RunUntil(t0 + 600);
    EXPECT_EQ(m.picMenu(0).Width(), 1035);

    const Millis ready = w.WaitForInput();
    const auto width = Watch<int>(w, [&m] { return m.picMenu(0).Width(); });
    w.backend.Click(ready + 10, kMenuX, kMenuY);
    w.backend.Click(ready + 100, kMenuX, kMenuY);  // during the slide: ignored
    w.rt.RunUntil(ready + 1000);
    EXPECT_EQ(m.picMenu(0).Width(), 5220);
    const auto& steps = *width;
    ASSERT_EQ(steps.size(), 93u);
    for (size_t i = 1; i < steps.size(); ++i) EXPECT_EQ(steps[i].second - steps[i - 1].second, 45);
    EXPECT_GT(steps.back().first, ready + 100);  // the second click came while it moved

    w.backend.Click(ready + 1100, kMenuX, kMenuY);
    w.rt.RunUntil(ready + 2000);
    EXPECT_EQ(m.picMenu(0).Width(), 1035);

    // An answer during the slide stops it part open.
    w.backend.Click(ready + 2010, kMenuX, kMenuY);
    w.backend.KeyPress(ready + 2150, 'A');
    w.rt.RunUntil(ready + 3000);
    const int part = m.picMenu(0).Width();
    EXPECT_EQ(m.State.ChosenLetter, "A");
    EXPECT_TRUE(part > 1035 && part < 5220 && (part - 1035) % 45 == 0) << part;
}

TEST(GameMenu, SaveBannerBlinksThenClosesOnAClickOrByItself) {
    PlayingWorld w;
    frmMain& m = w.Main();
    const Millis s = OpenMenu(w, w.WaitForInput());
    const auto colour = Watch<platform::Colour>(w, [&m] { return m.picUlozeni().BackColour(); });
    w.backend.Click(s, kSaveX, kSaveY);
    w.backend.Click(s + 300, kBannerX, kBannerY);   // still waiting to blink: no effect
    w.backend.Click(s + 1200, kBannerX, kBannerY);  // closes it
    w.backend.Click(s + 2000, kSaveX, kSaveY);      // asked again and left alone: closes by itself
    // The request, locked input, the banner, its dark band, the menu's items taking clicks.
    const auto state = [&] {
        return GameWorld::Flags({m.State.SaveAfterAnswer, m.State.InputLocked, m.picUlozeni().Visible(),
                                 m.Shape1().Visible(), m.picMenu(2).Enabled()});
    };
    const GameWorld::Samples timeline = {{400, "11110"},  {1199, "11110"}, {1200, "10001"},
                                         {2000, "11110"}, {5496, "11110"}, {5497, "10001"}};
    EXPECT_EQ(w.SampleAt(s, timeline, state), timeline);
    const std::vector<std::pair<Millis, platform::Colour>> blink = {
        {s, 0x0000C0},       {s + 500, 0x0000FF}, {s + 599, 0x0000C0}, {s + 699, 0x0000FF},
        {s + 798, 0x0000C0}, {s + 898, 0x0000FF}, {s + 997, 0x0000C0}};
    colour->resize(blink.size());
    EXPECT_EQ(*colour, blink);
}

// Walking away keeps the amount of the level before (nothing at level 1); its banner comes back
// until an answer, which wins nothing and plays no reveal sound; the right box still blinks and
// the end clip follows.
TEST(GameMenu, WalkingAwayKeepsTheLastAmountAndTheBannerReturnsUntilAnAnswer) {
    for (const int level : {1, 6}) {
        SCOPED_TRACE(level);
        PlayingWorld w;
        w.ClimbTo(level);
        frmMain& m = w.Main();
        const Millis s = OpenMenu(w, w.WaitForInput());
        const auto banner = Watch<bool>(w, [&m] { return m.picMimoS().Visible(); });
        bool shadeBetween = true;  // the dark band behind the banner goes with it
        w.backend.At(s + 5000, [&] { shadeBetween = m.Shape1().Visible(); });
        w.backend.Click(s, kEndX, kEndY);
        w.rt.RunUntil(s + 20000);
        // The band gone between the banners, out of the competition, the panel shut, the music
        // stopped, the studio clip playing; the amount kept.
        EXPECT_TRUE(!shadeBetween && m.State.OutOfCompetition && m.picMenu(0).Width() == 1035 &&
                    w.When("frmMain.WMP1 stop", s) && w.When("WMPfade play", s));
        EXPECT_EQ(m.State.WonLevel, level - 1);

        // Shown once the panel has slid shut, for 500 + 497 + 1500 ms, then again 15 s later.
        auto shows = *banner;
        ASSERT_GE(shows.size(), 2u);
        EXPECT_LE(shows[1].first - s, 400);
        const Millis first = shows[1].first;
        for (auto& [t, shown] : shows) t -= first;
        EXPECT_EQ(shows,
                  (std::vector<std::pair<Millis, bool>>{
                      {shows[0].first, false}, {0, true}, {2497, false}, {15000, true}, {17497, false}}));

        // The menu no longer opens.
        w.backend.Click(s + 20000, kMenuX, kMenuY);
        w.rt.RunUntil(s + 20500);
        EXPECT_EQ(m.picMenu(0).Width(), 1035);

        const Millis answer = s + 20500;
        w.backend.KeyPress(answer, 'B');
        w.rt.RunUntil(answer + 100);
        const size_t showsAtAnswer = banner->size();
        w.rt.RunUntil(answer + 3500 + 700 + 1500);
        EXPECT_EQ(w.Lines("frmMain.imgB picture B-Z", answer).size(), 2u);
        EXPECT_FALSE(w.When("frmMain.WMP2 file", answer));
        EXPECT_EQ(w.Anim().Playing().file, "/gfx/ex.avi");
        w.rt.RunUntil(answer + 3500 + 2000 + 15000);
        EXPECT_EQ(m.State.WonLevel, level - 1);
        EXPECT_EQ(w.Screens(), "Menu*");
        EXPECT_EQ(banner->size(), showsAtAnswer);
    }
}

TEST(GameMenu, ClosingTheWindowAsksOnlyWhileAGameIsUndecided) {
    const auto closeWindow = [](GameWorld& w) {
        w.backend.Inject(w.rt.Now() + 10, platform::InputEvent{platform::InputKind::Quit, 0, {}, 0, 0});
        w.RunFor(20);
        return w.backend.Ended();
    };
    {
        PlayingWorld w;
        w.backend.AnswerNextBoxes({platform::kAnswerNo});
        EXPECT_FALSE(closeWindow(w));
        EXPECT_TRUE(w.Main().Visible());
        EXPECT_EQ(w.backend.Boxes().back().request.buttons, platform::MessageButtons::YesNo);
        EXPECT_EQ(w.LastBox(), "Rozehraná hra skončí a nebude uložena.\r\nOpravdu chcete hru ukončit?");
        w.backend.AnswerNextBoxes({platform::kAnswerYes});
        EXPECT_TRUE(closeWindow(w));
    }
    // A wrong answer decides the game, and in the menu there is none: the window closes at once
    // (an unexpected box would fail the run).
    PlayingWorld decided;
    decided.Answer('A');
    decided.RunFor(5000);
    ASSERT_TRUE(decided.Main().Visible());
    EXPECT_TRUE(closeWindow(decided));
    PlayingWorld menu("B", false);
    menu.StartToMenu();
    EXPECT_TRUE(closeWindow(menu));
}
