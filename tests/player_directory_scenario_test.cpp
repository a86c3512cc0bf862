// A game whose program folder cannot take files (as an installed one): the recent-question
// lists and the saves go to the player's own directory, and own questions replace a level.
#include <gtest/gtest.h>

#include "game/recent_questions.h"
#include "save_world.h"

using namespace tolarka;
using namespace tolarka::testing;
namespace fs = std::filesystem;

namespace {

struct PlayerWorld : SaveWorld {
    // The resolution as main() does it, with a program folder that holds the data but does
    // not accept files (root ignores permissions, so that is what the probe says here).
    explicit PlayerWorld(const fs::path& xdgDataHome)
        : SaveWorld([xdgDataHome](const fs::path& program) {
              return ResolveGamePaths(
                  {program, "../share/games/tolarka",
                   PlayerDirectory(xdgDataHome.string(), "/nonexistent-home")},
                  [program](const fs::path& p) { return p == program; },
                  [](const fs::path&) { return false; });
          }) {}
};

}  // namespace

TEST(PlayerDirectory, AReadOnlyProgramFolderSavesAndLoadsFromThePlayersDirectory) {
    ScratchDir home;
    // A user folder and a player named with diacritics: every name reaches the system whole.
    const fs::path xdg = home.path() / fs::path(u8"Uživatel") / "data";
    PlayerWorld w(xdg);
    const fs::path own = xdg / "tolarka";
    ASSERT_EQ(w.app.WritablePath(), own.string());
    ASSERT_EQ(w.app.DataPath(), w.dir.path().string());
    // Saves made in the program folder before it stopped taking files are still the player's:
    // listed beside the new ones; a slot saved anew is the new save.
    ASSERT_TRUE(WriteSlot(w.dir.path(), 2, MakeSave("Petr", 7)));
    ASSERT_TRUE(WriteSlot(w.dir.path(), 5, MakeSave("Older", 4)));
    ASSERT_TRUE(WriteSlot(own, 5, MakeSave("Eva", 3)));

    w.StartGame("Žofie");
    w.AnswerAndSave('B');
    w.ClickRow(0);
    w.RunFor(3100);
    ASSERT_EQ(w.Screens(), "Menu*");
    EXPECT_TRUE(SlotFilled(own, 1) && !SlotFilled(w.dir.path(), 1) && !fs::exists(w.Path("logs")));
    EXPECT_EQ(ReadRecentList(RecentListPath(own, 1))[0], "001");

    w.Continue();
    EXPECT_EQ(w.RowTexts(false), "Žofie    2.000 Kč|Petr    40.000 Kč|||Eva    3.000 Kč|||||");
    w.ClickRow(0);
    w.WaitFor([&] { return w.Main().Visible(); });
    ASSERT_EQ(w.Screens(), "Main*");
    EXPECT_EQ(w.Main().State.Level, 2);
    EXPECT_FALSE(SlotFilled(own, 1));  // used up
}

TEST(PlayerDirectory, AnUnusablePlayerDirectoryIsReportedOnceAndTheGameGoesOn) {
    ScratchDir xdg;
    WriteFile(xdg.path() / "tolarka", {'x'});  // a file where the player's directory belongs
    PlayerWorld w(xdg.path());
    std::vector<std::string> warnings;
    w.app.PrintWarning = [&](const std::string& line) { warnings.push_back(line); };
    w.StartGame();
    w.WaitForInput();
    EXPECT_EQ(w.Main().State.QuestionFile, w.Path("qst/01-001.qst").string());
    w.ClimbTo(3);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("otázky se proto mohou opakovat"), std::string::npos) << warnings[0];
}

TEST(PlayerDirectory, AnOwnQuestionFileTakesItsLevelOver) {
    ScratchDir xdg;
    const QuestionRecord q = GameWorld::MakeQuestion("Vlastní otázka učitelky");
    // At least two files, so that the start-up count of the level does not warn.
    for (const char* name : {"02-001.qst", "02-002.qst", "02-003.qst"})
        WriteFile(xdg.path() / "tolarka" / "qst" / name, EncodeQuestionRecord(q));
    PlayerWorld fresh(xdg.path());
    fresh.StartGame();
    fresh.WaitForInput();
    EXPECT_EQ(fresh.Main().State.QuestionFile, fresh.Path("qst/01-001.qst").string());
    fresh.ClimbTo(2);
    fresh.WaitForInput();
    EXPECT_EQ(fresh.Main().State.QuestionFile, (xdg.path() / "tolarka" / "qst" / "02-001.qst").string());
    EXPECT_EQ(Trimmed(fresh.Main().State.Question.Text), "Vlastní otázka učitelky");
    // The own ones only.
    EXPECT_EQ(std::pair(fresh.app.StartUp().QuestionCounts[2], fresh.app.StartUp().QuestionCounts[3]),
              std::pair(3, 2));
}
