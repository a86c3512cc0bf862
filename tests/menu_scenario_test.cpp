// The main menu on the headless backend: name entry, modes, notices, the start of a game.
#include <gtest/gtest.h>

#include "platform/text_metrics.h"
#include "platform/widget_dump.h"
#include "playing_world.h"

using namespace tolarka;
using namespace tolarka::testing;
using namespace tolarka::platform::keys;

namespace {

struct MenuWorld : PlayingWorld {
    MenuWorld() : PlayingWorld("B", false) { StartToMenu(); }
    void OpenNewGame() { Click(319, 165); }
    bool StartClipRequested() const { return !Lines("frmAnim.WMPanim file").empty(); }
};

}  // namespace

TEST(Menu, OpensWithItsMusicAndIgnoresABlankNameAndEscape) {
    MenuWorld w;
    // The items, the name panel, and the player's name.
    const auto state = [&] {
        return GameWorld::Flags({w.Menu().picMenu().Visible(), w.Menu().picSetNew().Visible()}) +
               w.Menu().CurrentPlayerName;
    };
    EXPECT_EQ(state(), "10");
    EXPECT_EQ(w.Lines("frmMenu.WMPintro file").at(0), "frmMenu.WMPintro file " + w.Sfx("menu.wav"));
    // Hover makes an item bold; the panel outside the items makes all regular again.
    w.PointAt(319, 215);
    EXPECT_TRUE(w.Menu().Item(1).GetFont().bold);
    w.PointAt(180, 130);
    EXPECT_FALSE(w.Menu().Item(1).GetFont().bold);

    // A blank name is ignored; Escape returns without changing the name, and on the items does
    // nothing. Straight to the game is chosen when the panel opens.
    w.Key(kReturn);  // panel hidden: nothing
    w.OpenNewGame();
    EXPECT_EQ(state(), "01");
    EXPECT_NE(platform::DumpWidgets(w.Menu()).find("\"Zadejte jméno"), std::string::npos);  // the prompt
    EXPECT_EQ(GameWorld::Flags({w.Menu().Line2(0).Visible(), w.Menu().Line1(0).Visible()}) +
                  w.Menu().txtJmeno().Text(),
              "10");
    w.Type("   ");
    w.Key(kReturn);
    EXPECT_EQ(state(), "01");
    w.Type("Petr");
    w.Key(kEscape);
    EXPECT_EQ(state(), "10");
    w.Key(kEscape);
    EXPECT_EQ(state(), "10");
    EXPECT_FALSE(w.StartClipRequested());
}

TEST(Menu, NameStopsGrowingAtTheRenderedWidthLimit) {
    MenuWorld w;
    w.OpenNewGame();
    for (int i = 0; i < 60; ++i) w.Type("W");
    const std::string full = w.Menu().txtJmeno().Text();
    platform::TextMetrics metrics;
    const platform::Font check{"MS Sans Serif", 12, false};
    const int width = platform::PixelsToTwips(metrics.Width(check, full));
    const int shorter = platform::PixelsToTwips(metrics.Width(check, full.substr(0, full.size() - 1)));
    // The last letter took it past the limit, and before it there was room.
    EXPECT_TRUE(width >= 2760 && shorter < 2760 && full.size() < 60u) << width << " " << shorter;
    w.Key(kBack);
    w.Type("i");
    EXPECT_EQ(w.Menu().txtJmeno().Text(), full.substr(0, full.size() - 1) + "i");
}

// The qualifier is refused with a notice, but the name is confirmed: the key that closes the
// notice is not typed into the name, a panel opened again shows the name whole after a shorter
// one was typed, and the next Enter starts.
TEST(Menu, QualifierIsRefusedWithANoticeAndTheNextEnterStarts) {
    for (int key : {int{kSpace}, int{'O'}}) {
        SCOPED_TRACE(key);
        MenuWorld w;
        w.OpenNewGame();
        w.Type("  Alexandr  ");
        w.Click(180, 264);  // the first option's box
        EXPECT_FALSE(w.Menu().DirectToGame);
        EXPECT_TRUE(w.Menu().Line1(1).Visible());
        w.backend.DrawMessageBoxes(true);
        const platform::Millis notice = w.rt.Now() + 10;
        w.backend.KeyPress(notice, kReturn);
        w.backend.KeyPress(notice + 500, key);
        std::string shown;  // the box up in between, as the screenshot tool dumps it
        w.backend.At(notice + 400, [&] {
            if (w.rt.ActiveScreen()->IsDialog()) shown = platform::DumpWidgets(*w.rt.ActiveScreen());
        });
        w.rt.RunUntil(notice + 600);
        EXPECT_NE(shown.find("V odlehčené verzi se není možné zúčastnit rozstřelu!"), std::string::npos)
            << shown;
        EXPECT_TRUE(w.Menu().DirectToGame && w.rt.ActiveScreen() == &w.Menu() && !w.StartClipRequested());
        EXPECT_EQ(w.Menu().CurrentPlayerName, "Alexandr");
        for (int i = 0; i < 8; ++i) w.Key(kBack);
        w.Type("n");  // the name box takes typing again
        ASSERT_EQ(w.Menu().txtJmeno().Text(), "  Aln");
        w.Key(kEscape);
        w.OpenNewGame();
        EXPECT_EQ(w.Menu().txtJmeno().Text(), "Alexandr");
        const platform::Millis enter = w.rt.Now() + 10;
        w.backend.KeyPress(enter, kReturn);
        // The start clip, slowed, until the game screen takes over 4.5 s after the Enter.
        const auto state = [&] {
            return w.Screens() + (w.Anim().Visible() ? " " + w.Anim().Playing().file : "");
        };
        const GameWorld::Samples timeline = {{4499, "Menu Anim* /gfx/lights-st.avi"}, {4500, "Main*"}};
        EXPECT_EQ(w.SampleAt(enter, timeline, state), timeline);
        EXPECT_EQ(w.Lines("frmAnim.WMPanim rate").back(), "frmAnim.WMPanim rate 0.8");
        EXPECT_TRUE(w.When("frmMenu.WMPintro stop", enter));
    }
}

// The notice takes no click in its first second; a later click closes it, else it closes itself
// after 3.5 s.
TEST(Menu, NoSavedGamesNoticeIgnoresEarlyClicksAndClosesItself) {
    for (const Millis clickAfter : {500, 1500}) {
        SCOPED_TRACE(clickAfter);
        MenuWorld w;
        const Millis shown = w.rt.Now() + 10;
        w.backend.Click(shown, 319, 215);  // "Pokračovat ve hře"
        w.backend.Click(shown + clickAfter, 319, 240);
        // The notice, the menu's items taking clicks, the notice's timer.
        const auto state = [&] {
            return GameWorld::Flags({w.Menu().picNoSaved().Visible(), w.Menu().picMenu().Enabled(),
                                     w.Menu().tmrNoSaved.Enabled()});
        };
        const GameWorld::Samples timeline =
            clickAfter > 1000 ? GameWorld::Samples{{1499, "101"}, {1500, "010"}}
                              : GameWorld::Samples{{1500, "101"}, {3499, "101"}, {3500, "010"}};
        EXPECT_EQ(w.SampleAt(shown, timeline, state), timeline);
    }
}
