// The save screen on the headless backend: the request, the right answer, the nine slots,
// the overwrite question, Escape back into the game.
#include <gtest/gtest.h>

#include "save_world.h"
#include "tests/support/system.h"

using namespace tolarka;
using namespace tolarka::testing;
using platform::keys::kEscape;

namespace {
const SaveRecord kOldSave = MakeSave("Stará hra", 3, true, true, true, "01.01.2026", "10:00");
}  // namespace

TEST(SaveScreen, RightAnswerAfterARequestOpensItAndAFreeSlotIsWrittenAtOnce) {
    SaveWorld w;
    w.StartGame("Řehoř Žák");
    w.ClimbTo(7);
    w.Main().State.FiftyFiftyAvailable = false;
    const Millis asked = w.rt.Now();
    w.UseGameMenu(true);
    ASSERT_TRUE(w.Main().State.SaveAfterAnswer);
    ASSERT_FALSE(w.Main().State.InputLocked);
    w.AnswerAndSave('B');
    // Instead of the next question: the horn outside every channel, the music stopped.
    ASSERT_EQ(w.Screens() + std::to_string(w.Main().State.Level), "Main Save*7");
    EXPECT_EQ(w.Lines("system sound", asked),
              std::vector<std::string>{"system sound " + w.Sfx("klakson.wav")});
    const Millis shown = *w.When("system sound", asked);
    EXPECT_TRUE(w.When("frmMain.WMP1 stop", shown).has_value());
    // The clip after the right answer at level 7 was cut short to 3 s.
    EXPECT_EQ(w.Anim().Playing().file, "/gfx/r23.avi");
    EXPECT_EQ(shown - *w.When("frmAnim.WMPanim play", asked), 3000);

    // All rows at rest and empty; the first pointer move highlights that row alone.
    EXPECT_EQ(w.RowLooks(true) + w.RowTexts(true), "MMMMMMMMM|||||||||");
    w.PointAt(100, SaveWorld::RowY(4));
    w.PointAt(600, SaveWorld::RowY(4));  // the right label of the same row
    EXPECT_EQ(w.RowLooks(true) + std::to_string(w.Save().SlotIndex()), "MMMMOMMMM4");

    const Millis click = w.rt.Now() + 10;
    w.ClickRow(4);
    EXPECT_EQ(ReadSlot(w.dir.path(), 5), MakeSave("Řehoř Žák" + std::string(31, ' '), 8, false));

    // The row shows its new summary and flashes green, orange, green; the menu after 3 s.
    w.RunFor(3100);
    EXPECT_EQ(w.Pictures("frmSave.picSave(4)", click), (Steps{{0, "FF-Z"}, {500, "FF-O"}, {1000, "FF-Z"}}));
    EXPECT_EQ(w.Save().lblSave1(4).Caption() + " " + w.Save().lblSave2(4).Caption(),
              "Řehoř Žák    80.000 Kč 4. prosince 2026  9:05");
    EXPECT_EQ(w.Screens(), "Menu*");
    EXPECT_EQ(w.When("frmMenu.WMPintro play", click), click + 3000);
}

TEST(SaveScreen, ATakenSlotAsksFirstNoLeavesTheFileAloneAndYesOverwritesIt) {
    SaveWorld w;
    ASSERT_TRUE(WriteSlot(w.dir.path(), 3, kOldSave));
    const auto before = *ReadSlot(w.dir.path(), 3);
    w.StartGame("Petr");
    w.AnswerAndSave('B');
    ASSERT_EQ(w.Screens(), "Main Save*");
    EXPECT_EQ(w.Save().lblSave1(2).Caption() + " " + w.Save().lblSave2(2).Caption(),
              "Stará hra    3.000 Kč 1. ledna 2026  10:00");

    w.Key('A');  // no question on screen: nothing
    EXPECT_FALSE(w.Save().picBlock().Visible());
    w.ClickRow(2);
    ASSERT_TRUE(w.Save().picBlock().Visible());
    // The rows are off: pointing at another row changes nothing.
    w.PointAt(320, SaveWorld::RowY(6));
    EXPECT_EQ(w.RowLooks(true) + std::to_string(w.Save().SlotIndex()), "MMOMMMMMM2");
    // "ANO" and "NE" light up (white and bold) under the pointer; the panel around them dims both.
    std::string seen;
    for (const auto& [x, y] : {std::pair{275, 258}, {351, 258}, {120, 200}}) {
        w.PointAt(x, y);
        const platform::Label &yes = w.Save().lblANO(), &no = w.Save().lblNE();
        seen += GameWorld::Flags({yes.ForeColour() == 0xFFFFFFu, yes.GetFont().bold,
                                  no.ForeColour() == 0xFFFFFFu, no.GetFont().bold}) +
                " ";
    }
    EXPECT_EQ(seen, "1100 0011 0000 ");

    // The key N or a click on "NE" leave the file alone and the rows to choose again.
    for (const bool click : {false, true}) {
        if (click) w.ClickRow(2);
        click ? w.Click(351, 258) : w.Key('N');
        EXPECT_TRUE(!w.Save().picBlock().Visible() && w.Save().picSave(6).Enabled()) << click;
        EXPECT_EQ(*ReadSlot(w.dir.path(), 3), before);
    }
    EXPECT_EQ(w.Screens(), "Main Save*");

    // "ANO" (the key A) overwrites it; the flash shows the new summary, and keys during it
    // change nothing: the game is not taken up again.
    w.ClickRow(2);
    const Millis yes = w.rt.Now() + 10;
    w.Key('A');
    EXPECT_FALSE(w.Save().picBlock().Visible());
    EXPECT_EQ(w.Save().lblSave1(2).Caption(), "Petr    2.000 Kč");
    EXPECT_EQ(*ReadSlot(w.dir.path(), 3), MakeSave("Petr" + std::string(36, ' '), 2));
    w.backend.KeyPress(yes + 700, kEscape);
    w.RunFor(3100);
    EXPECT_EQ(w.When("frmSave.picSave(2) picture FF-Z", yes), yes);
    EXPECT_EQ(w.Screens(), "Menu*");
    EXPECT_TRUE(w.Lines("frmMain.imgStupnice picture S02").empty());
}

TEST(SaveScreen, EscapeEvenWithTheQuestionShownGoesOnWithTheNextQuestion) {
    SaveWorld w;
    ASSERT_TRUE(WriteSlot(w.dir.path(), 1, kOldSave));
    const auto before = *ReadSlot(w.dir.path(), 1);
    w.StartGame();
    w.ClimbTo(2);
    const size_t firstTrack = w.Lines("frmMain.WMP1 file " + w.Sfx("bgm1.wav")).size();
    w.AnswerAndSave('B');
    w.ClickRow(0);
    ASSERT_TRUE(w.Save().picBlock().Visible());
    const Millis escape = w.rt.Now() + 10;
    w.Key(kEscape);
    EXPECT_EQ(w.Screens() + std::to_string(w.Main().State.Level), "Main*3");
    EXPECT_FALSE(w.Main().State.SaveAfterAnswer);
    EXPECT_EQ(*ReadSlot(w.dir.path(), 1), before);
    for (int slot = 2; slot <= 9; ++slot) EXPECT_FALSE(SlotFilled(w.dir.path(), slot));
    // Back from the save screen the level 1 track starts again from the beginning.
    EXPECT_EQ(w.Lines("frmMain.WMP1 file " + w.Sfx("bgm1.wav")).size(), firstTrack + 1);
    EXPECT_TRUE(w.When("frmMain.WMP1 play", escape).has_value());
    // The game goes on as usual: the next right answer loads level 4 without a save screen.
    w.ClimbTo(4);
    EXPECT_EQ(w.Screens(), "Main*");
    EXPECT_EQ(w.Lines("system sound").size(), 1u);
}

TEST(SaveScreen, NoSaveAfterAWrongAnswerOrAfterWalkingAway) {
    for (const bool walkAway : {false, true}) {
        SCOPED_TRACE(walkAway ? "walked away" : "wrong answer");
        SaveWorld w;
        w.StartGame();
        w.ClimbTo(walkAway ? 2 : 3);
        if (walkAway) {
            w.UseGameMenu(true);
            w.UseGameMenu(false);  // the request stays but the game is decided
            ASSERT_TRUE(w.Main().State.OutOfCompetition);
        }
        w.AnswerAndSave(walkAway ? 'B' : 'C');
        w.WaitFor([&] { return w.Menu().Visible(); }, 200);
        EXPECT_EQ(w.Screens(), "Menu*");
        EXPECT_TRUE(w.Lines("system sound").empty() && !AnySlotFilled(w.dir.path()));
    }
}

TEST(SaveScreen, AFailedWriteSaysSoAndKeepsTheGame) {
    SaveWorld w;
    std::vector<std::string> warnings;
    w.app.PrintWarning = [&](const std::string& line) { warnings.push_back(line); };
    WriteFile(w.Path("save"), {'x'});  // a file where the save directory belongs
    w.StartGame();
    w.AnswerAndSave('B');
    w.backend.AnswerNextBoxes({platform::kAnswerOk});
    w.ClickRow(0);
    EXPECT_EQ(
        w.LastBox(),
        "Hru se nepodařilo uložit do pozice 1.\r\nZkuste jinou pozici, nebo klávesou Esc pokračujte ve hře.");
    EXPECT_EQ(w.Screens() + (w.Save().Busy() ? " busy" : ""), "Main Save*");
    EXPECT_EQ(warnings, std::vector<std::string>{"hru nelze uložit do " + w.Path("save/01.sav").string()});
    w.Key(kEscape);
    EXPECT_EQ(w.Main().State.Level, 2);
}

TEST(SaveScreen, AFailedOverwriteLeavesTheRowsToChooseAgain) {
    TOLARKA_SKIP_WITHOUT(Feature::Permissions);
    SaveWorld w;
    ASSERT_TRUE(WriteSlot(w.dir.path(), 1, kOldSave));
    w.StartGame();
    w.AnswerAndSave('B');
    ASSERT_TRUE(w.Save().Visible());
    RunUnprivileged(w.dir.path(), [&] {
        std::filesystem::permissions(w.Path("save"),
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        w.backend.AnswerNextBoxes({platform::kAnswerOk});
        w.ClickRow(0);
        w.Key('A');  // "ANO": the overwrite fails
        EXPECT_EQ(w.backend.Boxes().size(), 2u);
        EXPECT_TRUE(w.Save().picSave(4).Enabled());
    });
}
