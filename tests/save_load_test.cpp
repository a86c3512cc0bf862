// The load screen on the headless backend: listing from the menu, choosing a slot, the start
// clip, and the game screen taking the game over from the file.
#include <gtest/gtest.h>

#include "save_world.h"
#include "tests/support/system.h"

using namespace tolarka;
using namespace tolarka::testing;
using platform::keys::kEscape;

TEST(LoadScreen, ListsTheSlotsAndAChosenOneFlashesThenTheStartClipAndTheGameResumesAtItsLevel) {
    SaveWorld w;
    ASSERT_TRUE(WriteSlot(w.dir.path(), 2, MakeSave("Petr", 7)));
    ASSERT_TRUE(WriteSlot(w.dir.path(), 7, MakeSave("Řehoř Žák", 8, false)));
    w.Continue();
    ASSERT_EQ(w.Screens(), "Menu Load*");  // the menu still open beneath
    EXPECT_EQ(w.RowLooks(false) + w.RowTexts(false),
              "MMMMMMMMM|Petr    40.000 Kč|||||Řehoř Žák    80.000 Kč|||");
    for (int i : {0, 1, 6}) EXPECT_EQ(w.Load().lblLoad2(i).Caption(), i ? "4. prosince 2026  9:05" : "");
    // Empty rows highlight like filled ones, one at a time; a click on them does nothing, and
    // Escape goes back to the menu.
    w.PointAt(320, SaveWorld::RowY(3));
    w.PointAt(320, SaveWorld::RowY(0));
    EXPECT_EQ(w.RowLooks(false), "OMMMMMMMM");
    w.ClickRow(0);
    EXPECT_FALSE(w.Load().Busy() || w.Load().LoadRequested);
    EXPECT_EQ(w.Screens(), "Menu Load*");
    w.Key(kEscape);
    EXPECT_EQ(w.Screens(), "Menu*");

    w.Continue();
    const Millis click = w.rt.Now() + 10;
    w.backend.Click(click, 320, SaveWorld::RowY(6));
    w.backend.Click(click + 300, 320, SaveWorld::RowY(1));  // a second click during the flash
    // The click handler blocks through the flash: its steps are read from the log.
    w.rt.RunUntil(click);
    EXPECT_FALSE(w.Menu().Loaded());
    EXPECT_EQ(w.When("frmMenu.WMPintro stop", click), click);  // the menu closed at once
    EXPECT_TRUE(w.Load().LoadRequested && w.Load().LoadSlot == 7);
    EXPECT_EQ(w.Pictures("frmLoad.picLoad(6)", click),
              (Steps{{0, "FF-O"}, {0, "FF-Z"}, {500, "FF-O"}, {1000, "FF-Z"}}));
    EXPECT_EQ(w.When("frmAnim.WMPanim play", click), click + 2000);
    // The clip over the load screen; after 4.5 s it hands over to the game screen.
    const GameWorld::Samples timeline = {{2000, "Anim* Load"}, {6499, "Anim* Load"}, {6500, "Main*"}};
    EXPECT_EQ(w.SampleAt(click, timeline, [&] { return w.Screens(); }), timeline);
    EXPECT_EQ(w.Pictures("frmLoad.picLoad(1)", click), Steps{});
    EXPECT_EQ(w.Lines("frmAnim.WMPanim file", click).at(0), "frmAnim.WMPanim file " + w.Gfx("lights-st.avi"));
    const GameState& g = w.Main().State;
    EXPECT_EQ(std::tuple(g.Level, g.FiftyFiftyAvailable, g.AudienceAvailable, g.PhoneAvailable),
              std::tuple(8, false, true, true));
    EXPECT_EQ(w.Menu().CurrentPlayerName, "Řehoř Žák");
    EXPECT_FALSE(w.Load().LoadRequested);
    EXPECT_EQ(w.Lifelines() + " " + w.Main().imgStupnice().Picture(),
              "N-5050x(off) N-div(off) N-tel(off) S08");
    EXPECT_EQ(w.Main().lblZadani().Caption(), "Otázka 8/1 – která odpověď platí?");
    EXPECT_TRUE(w.When("frmMain.WMP1 file " + w.Sfx("bgm2.wav"), click).has_value());
    // A save is used once: its file is gone, the other slot stays, and both screens list the
    // row as empty.
    EXPECT_TRUE(!SlotFilled(w.dir.path(), 7) && SlotFilled(w.dir.path(), 2));
    w.Load().Show();
    EXPECT_EQ(w.RowTexts(false), "|Petr    40.000 Kč||||||||");
    w.Load().Close();
}

TEST(LoadScreen, AGameSavedAtAnEarlyLevelStartsTheFirstTrackAtOnce) {
    SaveWorld w;
    ASSERT_TRUE(WriteSlot(w.dir.path(), 1, MakeSave("Eva", 4, true, false)));
    w.Continue();
    // A double click: the second click is handled while the first lets events run.
    const Millis click = w.rt.Now() + 10;
    w.backend.Click(click, 320, SaveWorld::RowY(0));
    w.backend.Click(click, 320, SaveWorld::RowY(0));
    w.WaitFor([&] { return w.Main().Visible(); });
    EXPECT_EQ(w.Lines("frmLoad.picLoad(0) picture FF-Z").size(), 2u);  // one flash
    EXPECT_EQ(w.Lines("frmAnim.WMPanim play").size(), 1u);
    ASSERT_EQ(w.Screens(), "Main*");
    EXPECT_EQ(w.Main().State.Level, 4);
    EXPECT_EQ(w.Main().imgNDiv().Picture(), "N-divx");
    EXPECT_TRUE(w.When("frmMain.WMP1 file " + w.Sfx("bgm1.wav"), click).has_value());
    // The next question at level 5 keeps the track going.
    const size_t tracks = w.Lines("frmMain.WMP1 file").size();
    w.ClimbTo(5);
    EXPECT_EQ(w.Lines("frmMain.WMP1 file").size(), tracks);
}

TEST(LoadScreen, ADamagedSaveIsListedButNotRestored) {
    SaveWorld w;
    // No saves at all (removed behind the menu's back): a notice, and Escape back to the menu.
    w.backend.AnswerNextBoxes({platform::kAnswerOk});
    w.Load().Show();
    EXPECT_EQ(w.LastBox() + " " + w.Screens(), "žádné uložené Menu Load*");
    w.Key(kEscape);
    EXPECT_EQ(w.Screens(), "Menu*");
    // A short file: name "Jan", nothing after it, so level 0.
    WriteFile(w.Path("save/04.sav"), {'J', 'a', 'n'});
    ASSERT_TRUE(WriteSlot(w.dir.path(), 5, MakeSave("Ota", 2)));
    w.Continue();
    EXPECT_EQ(w.Load().lblLoad1(3).Caption() + "|" + w.Load().lblLoad2(3).Caption(),
              "Jan    |" + std::string(17, ' '));
    w.backend.AnswerNextBoxes({platform::kAnswerOk});
    w.ClickRow(3);
    EXPECT_EQ(w.LastBox(), "Hru uloženou na této pozici nelze obnovit, soubor je poškozen.");
    EXPECT_EQ(w.Screens() + (w.Load().Busy() ? " busy" : ""), "Menu Load*");
    EXPECT_TRUE(SlotFilled(w.dir.path(), 4));

    // A save that disappears while the start clip plays: a message and back to the menu.
    w.ClickRow(4);
    std::filesystem::remove(w.Path("save/05.sav"));
    w.backend.AnswerNextBoxes({platform::kAnswerOk});
    w.RunFor(7000);
    EXPECT_EQ(w.LastBox(), "Uloženou hru se nepodařilo obnovit.\r\nHra se vrátí do hlavního menu.");
    EXPECT_EQ(w.Screens(), "Menu*");
    EXPECT_FALSE(w.Load().LoadRequested);
}

// A read-only save folder: its saves are listed and played, and stay; one that cannot be read
// says so rather than calling itself damaged.
TEST(LoadScreen, SavesInAReadOnlyFolderAreRestoredAndKept) {
    TOLARKA_SKIP_WITHOUT(Feature::Permissions);
    SaveWorld w;
    ASSERT_TRUE(WriteSlot(w.dir.path(), 3, MakeSave("Ota", 6, true, false)));
    ASSERT_TRUE(WriteSlot(w.dir.path(), 4, MakeSave("Iva", 9)));
    RunUnprivileged(w.dir.path(), [&] {
        std::filesystem::permissions(SlotPath(w.dir.path(), 4), std::filesystem::perms::none,
                                     std::filesystem::perm_options::replace);
        using std::filesystem::perms;
        std::filesystem::permissions(
            w.Path("save"), perms::all ^ perms::owner_write ^ perms::group_write ^ perms::others_write);
        w.Continue();
        EXPECT_EQ(w.Load().lblLoad1(2).Caption().rfind("Ota ", 0), 0u) << w.Load().lblLoad1(2).Caption();
        const size_t boxes = w.backend.Boxes().size();
        w.backend.AnswerNextBoxes({platform::kAnswerOk});
        w.ClickRow(3);
        ASSERT_EQ(w.backend.Boxes().size(), boxes + 1);
        EXPECT_EQ(w.LastBox(), "Hru uloženou na této pozici nelze obnovit, soubor nejde přečíst.");
        w.ClickRow(2);
        w.WaitFor([&] { return w.Main().Visible(); });
        EXPECT_EQ(w.Screens(), "Main*");
        EXPECT_EQ(std::pair(w.Main().State.Level, w.Main().State.AudienceAvailable), std::pair(6, false));
        EXPECT_EQ(w.Menu().CurrentPlayerName, "Ota");
        EXPECT_EQ(w.backend.Boxes().size(), boxes + 1) << w.LastBox();
        EXPECT_TRUE(SlotFilled(w.dir.path(), 3));
    });
}
