// The main menu on the headless backend: name entry, modes, notices, the start of a game.
#include <gtest/gtest.h>

#include "game_world.h"
#include "platform/text_metrics.h"
#include "platform/widget_dump.h"

using namespace tolarka;
using namespace tolarka::testing;
using platform::keys::kEscape;
using platform::keys::kReturn;

namespace {

struct MenuWorld : GameWorld {
    MenuWorld() {
        AddQuestionSet(2);
        AddMedia();
        FixRandom(0.5);
        StartToMenu();
    }
    void OpenNewGame() { Click(319, 165); }
    bool StartClipRequested() const { return !Lines("frmAnim.WMPanim file").empty(); }
};

}  // namespace

TEST(Menu, OpensWithItsMusicAndIgnoresABlankNameAndEscape) {
    MenuWorld w;
    EXPECT_TRUE(w.Menu().picMenu().Visible());
    EXPECT_FALSE(w.Menu().picSetNew().Visible());
    EXPECT_EQ(w.Lines("frmMenu.WMPintro file").at(0), "frmMenu.WMPintro file " + w.Sfx("menu.wav"));
    // Hover makes an item bold; the panel outside the items makes all regular again.
    w.backend.MouseMove(w.rt.Now() + 10, 319, 215);
    w.RunFor(20);
    EXPECT_TRUE(w.Menu().Item(1).GetFont().bold);
    w.backend.MouseMove(w.rt.Now() + 10, 180, 130);
    w.RunFor(20);
    EXPECT_FALSE(w.Menu().Item(1).GetFont().bold);

    // A blank name is ignored; Escape returns without changing the name.
    w.Key(kReturn);  // panel hidden: nothing
    EXPECT_FALSE(w.StartClipRequested());
    w.OpenNewGame();
    EXPECT_TRUE(w.Menu().picSetNew().Visible());
    EXPECT_NE(platform::DumpWidgets(w.Menu()).find("\"Zadejte jméno"), std::string::npos);  // the prompt
    EXPECT_EQ(w.Menu().txtJmeno().Text(), "");
    EXPECT_TRUE(w.Menu().Line2(0).Visible());  // straight to the game is chosen
    EXPECT_FALSE(w.Menu().Line1(0).Visible());
    w.Type("   ");
    w.Key(kReturn);
    EXPECT_FALSE(w.StartClipRequested());
    EXPECT_TRUE(w.Menu().CurrentPlayerName.empty());
    w.Type("Petr");
    w.Key(kEscape);
    EXPECT_TRUE(w.Menu().picMenu().Visible());
    EXPECT_FALSE(w.Menu().picSetNew().Visible());
    EXPECT_TRUE(w.Menu().CurrentPlayerName.empty());
    w.Key(kEscape);  // Escape on the items does nothing
    EXPECT_TRUE(w.Menu().picMenu().Visible());
}

TEST(Menu, ReopenedPanelShowsTheWholeConfirmedNameAfterAShorterOneWasTyped) {
    MenuWorld w;
    w.OpenNewGame();
    w.Type("Alexandr");
    w.Click(180, 264);  // the qualifier: Enter confirms, panel stays
    w.backend.AnswerNextBoxes({platform::kAnswerOk});
    w.Key(kReturn);
    ASSERT_EQ(w.Menu().CurrentPlayerName, "Alexandr");
    for (int i = 0; i < 6; ++i) w.Key(platform::keys::kBack);
    ASSERT_EQ(w.Menu().txtJmeno().Text(), "Al");
    w.Key(kEscape);
    w.OpenNewGame();
    EXPECT_EQ(w.Menu().txtJmeno().Text(), "Alexandr");
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
    EXPECT_GE(width, 2760);    // the last letter took it past the limit...
    EXPECT_LT(shorter, 2760);  // ...and before it there was room
    EXPECT_LT(full.size(), 60u);
    w.Key(platform::keys::kBack);
    w.Type("i");
    EXPECT_EQ(w.Menu().txtJmeno().Text(), full.substr(0, full.size() - 1) + "i");
}

TEST(Menu, QualifierIsRefusedWithANoticeAndTheNextEnterStarts) {
    MenuWorld w;
    w.OpenNewGame();
    w.Type("  Eva  ");
    w.Click(180, 264);  // the first option's box
    EXPECT_FALSE(w.Menu().DirectToGame);
    EXPECT_TRUE(w.Menu().Line1(1).Visible());
    w.backend.AnswerNextBoxes({platform::kAnswerOk});
    w.Key(kReturn);
    ASSERT_EQ(w.backend.Boxes().size(), 2u);
    EXPECT_EQ(w.backend.Boxes()[1].request.title, "rozstřel");
    EXPECT_EQ(w.backend.Boxes()[1].request.text, "V odlehčené verzi se není možné zúčastnit rozstřelu!");
    EXPECT_TRUE(w.Menu().DirectToGame);
    EXPECT_EQ(w.Menu().CurrentPlayerName, "Eva");
    EXPECT_FALSE(w.StartClipRequested());
    const platform::Millis enter = w.rt.Now() + 10;
    w.backend.KeyPress(enter, kReturn);
    w.rt.RunUntil(enter + 4499);
    EXPECT_TRUE(w.Anim().Visible());
    EXPECT_EQ(w.Anim().Playing().file, "/gfx/lights-st.avi");
    EXPECT_FALSE(w.Main().Loaded());
    EXPECT_EQ(w.Lines("frmAnim.WMPanim rate").back(), "frmAnim.WMPanim rate 0.8");
    EXPECT_TRUE(w.When("frmMenu.WMPintro stop", enter));
    w.rt.RunUntil(enter + 4500);
    EXPECT_TRUE(w.Main().Visible());
    EXPECT_FALSE(w.Menu().Loaded());
    EXPECT_FALSE(w.Anim().Visible());
}

TEST(Menu, TheKeyThatClosesTheQualifierNoticeIsNotTypedIntoTheName) {
    for (int key : {int{platform::keys::kSpace}, int{'O'}}) {
        MenuWorld w;
        w.OpenNewGame();
        w.Type("Eva");
        w.Click(180, 264);  // the qualifier
        w.backend.DrawMessageBoxes(true);
        const platform::Millis enter = w.rt.Now() + 10;
        w.backend.KeyPress(enter, kReturn);
        w.backend.KeyPress(enter + 500, key);
        bool noticeUp = false;
        w.backend.At(enter + 400, [&] { noticeUp = w.rt.ActiveScreen()->IsDialog(); });
        w.rt.RunUntil(enter + 600);
        EXPECT_TRUE(noticeUp) << key;
        EXPECT_EQ(w.rt.ActiveScreen(), &w.Menu()) << key;
        EXPECT_EQ(w.Menu().txtJmeno().Text(), "Eva") << key;
        w.Type("n");  // the name box takes typing again
        EXPECT_EQ(w.Menu().txtJmeno().Text(), "Evan") << key;
    }
}

TEST(Menu, NoSavedGamesNoticeIgnoresEarlyClicksAndClosesItself) {
    for (const Millis clickAfter : {500, 1500}) {
        SCOPED_TRACE(clickAfter);
        MenuWorld w;
        const Millis shown = w.rt.Now() + 10;
        w.backend.Click(shown, 319, 215);  // "Pokračovat ve hře"
        w.backend.Click(shown + clickAfter, 319, 240);
        w.rt.RunUntil(shown + 1500);
        if (clickAfter > 1000) {
            EXPECT_FALSE(w.Menu().picNoSaved().Visible());
            EXPECT_FALSE(w.Menu().tmrNoSaved.Enabled());
            continue;
        }
        EXPECT_FALSE(w.Menu().picMenu().Enabled());
        w.rt.RunUntil(shown + 3499);
        EXPECT_TRUE(w.Menu().picNoSaved().Visible());
        w.rt.RunUntil(shown + 3500);
        EXPECT_FALSE(w.Menu().picNoSaved().Visible());
        EXPECT_TRUE(w.Menu().picMenu().Enabled());
    }
}
