// The rules presentation and the credits on the headless backend, opened from the menu.
#include <gtest/gtest.h>

#include "game_world.h"
#include "startup/frm_credits.h"
#include "startup/frm_rules.h"
#include "startup/frm_splash.h"

using namespace tolarka;
using namespace tolarka::testing;
using platform::AppPointer;
using namespace tolarka::platform::keys;

namespace {

constexpr int kItemX = 319;
constexpr int kRulesY = 265;  // "Pravidla a ovládání"
constexpr int kQuitY = 315;   // "Ukončit hru"

struct RulesWorld : GameWorld {
    RulesWorld() {
        AddQuestionSet(2);
        AddMedia();
        StartToMenu();
    }
    frmRules& Rules() { return app.Rules(); }
    // Clicks a menu item at the next moment; returns that moment.
    Millis ClickItem(int y) {
        const Millis t = rt.Now() + 10;
        backend.Click(t, kItemX, y);
        return t;
    }
    int VisibleKeyRows() {
        int n = 0;
        for (int i = 0; i < 9; ++i) n += Rules().k(i).Visible() && Rules().l(i).Visible();
        return n;
    }
};

}  // namespace

TEST(Rules, PresentationFollowsItsTimingTable) {
    RulesWorld w;
    const Millis t = w.ClickItem(kRulesY);
    // The rule line, the first and the last key row, the hourglass, the screen, and how many key
    // rows are up: rows come one by one from the top and go from the bottom up.
    const std::map<Millis, std::string> rows = {
        {100, "000110"},   {1000, "000110"},  {3000, "000110"},  {4000, "000110"},  {6000, "000110"},
        {6300, "000110"},  {8000, "000110"},  {10000, "000110"}, {12000, "000110"}, {14600, "000110"},
        {15000, "000110"}, {19300, "000110"}, {20000, "000110"}, {21250, "110111"}, {22000, "110116"},
        {22500, "111119"}, {30500, "111119"}, {30575, "110118"}, {30960, "100110"}, {30999, "100110"}};
    std::map<Millis, std::string> text, seen;
    for (const auto& [at, _] : rows)
        w.backend.At(t + at, [&w, &text, &seen, at] {
            text[at] = w.Rules().lblPravidla().Caption();
            seen[at] = GameWorld::Flags({w.Rules().Line1().Visible(), w.Rules().k(0).Visible(),
                                         w.Rules().k(8).Visible(),
                                         w.backend.Pointer() == AppPointer::Hourglass, w.Rules().Visible()}) +
                       std::to_string(w.VisibleKeyRows());
        });
    // The presentation blocks: the run returns only once the rules have closed.
    w.rt.RunUntil(t + 10);
    EXPECT_EQ(w.rt.Now(), t + 31000);
    EXPECT_EQ(seen, rows);
    EXPECT_EQ(w.Screens(), "Menu*");
    EXPECT_EQ(w.backend.Pointer(), AppPointer::Custom);

    // The text of each block grows line by line and clears before the next block.
    for (Millis clear : {100, 6000, 14600, 19300}) EXPECT_EQ(text.at(clear), "") << "at " << clear;
    for (const auto& block :
         std::vector<std::vector<Millis>>{{1000, 3000, 4000}, {6300, 8000, 10000, 12000}, {15000}, {20000}}) {
        std::string before;
        for (Millis at : block) {
            EXPECT_GT(text.at(at).size(), before.size()) << "at " << at;
            EXPECT_EQ(text.at(at).substr(0, before.size()), before) << "at " << at;
            before = text.at(at);
        }
    }
    EXPECT_EQ(text.at(30960), text.at(20000));

    // The ladder climbs at 100 ms steps, then marks the safe levels.
    Steps ladder{{0, "S00"}};
    for (int i = 1; i <= 15; ++i)
        ladder.emplace_back(150 + 100 * i, (i < 10 ? "S0" : "S") + std::to_string(i));
    ladder.insert(ladder.end(), {{1750, "S00"}, {3450, "S05"}, {4450, "S10"}, {5950, "S00"}});
    EXPECT_EQ(w.Pictures("frmRules.picStup", t), ladder);

    // Run again with keys and clicks, which it ignores (Escape, Enter, the quit item, typing): it
    // starts from an empty text and climbs the same ladder; the music goes on.
    const Millis t2 = w.ClickItem(kRulesY);
    w.backend.KeyPress(t2 + 2000, kEscape);
    w.backend.KeyPress(t2 + 9000, kReturn);
    w.backend.Click(t2 + 12000, kItemX, kQuitY);
    w.backend.Type(t2 + 15000, "x");
    std::string atStart = "?";
    w.backend.At(t2 + 100, [&] { atStart = w.Rules().lblPravidla().Caption(); });
    w.rt.RunUntil(t2 + 31000);
    EXPECT_EQ(atStart, "");
    EXPECT_EQ(w.Pictures("frmRules.picStup", t2), ladder);
    EXPECT_EQ(w.Screens(), "Menu*");
    EXPECT_TRUE(w.Menu().picMenu().Visible() && !w.backend.Ended());
    EXPECT_TRUE(w.Lines("frmMenu.WMPintro stop").empty());
    w.Click(kItemX, 165);  // the menu takes input again
    EXPECT_TRUE(w.Menu().picSetNew().Visible());
}

TEST(Credits, ShowTheirPicturesSwitchBackAndEndTheProgram) {
    RulesWorld w;
    const Millis t = w.ClickItem(kQuitY);
    // Which of tit1, tit2, tit3 and the closing frame are up at each moment, "p" with the pointer,
    // "e" once the program has ended or gone back to the menu.
    const std::map<Millis, std::string> steps = {
        {100, "0000"},  {250, "1000"},  {1250, "0000"}, {1350, "0100"}, {2350, "0000"},
        {2450, "0010"}, {3450, "0000"}, {3550, "0001"}, {5350, "0000"}, {5599, "0000"}};
    std::map<Millis, std::string> seen;
    for (const auto& [at, expected] : steps)
        w.backend.At(t + at, [&w, &seen, at] {
            auto& c = w.app.Credits();
            seen[at] =
                GameWorld::Flags({c.tit(1).Visible(), c.tit(2).Visible(), c.tit(3).Visible(),
                                  c.Image1().Visible() && c.Label1().Visible() && c.Picture1().Visible()}) +
                (w.backend.PointerVisible() ? "p" : "") +
                (w.backend.Ended() || w.Menu().Visible() ? "e" : "");
        });
    w.backend.KeyPress(t + 1000, kEscape);  // cannot cut the credits short
    w.rt.RunUntil(t + 10000);
    EXPECT_EQ(seen, steps);
    EXPECT_EQ(w.When("frmMenu.WMPintro stop", t), t);
    // The program ends with the pointer back, switched back to the desktop's display (which
    // modes: splash_scenario_test.cpp).
    EXPECT_TRUE(w.backend.Ended() && w.backend.PointerVisible());
    EXPECT_EQ(w.rt.Now(), t + 5600);
    EXPECT_EQ(w.When("display mode 1024x768"), t + 5600);
}
