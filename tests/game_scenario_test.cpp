// A game on the headless backend: build-up, pauses, reveal, blink, hand-over, clips, music.
#include <gtest/gtest.h>

#include "playing_world.h"
#include "tests/support/system.h"

using namespace tolarka;
using namespace tolarka::testing;
using platform::keys::kF10;

// Keys during the build-up do nothing, except F10, which shows the question's file and author.
TEST(Game, QuestionBuildsUpLineByLineThenOpensInput) {
    PlayingWorld w;
    frmMain& m = w.Main();
    const Millis t0 = *w.When("frmMain.imgStupnice picture S01");
    EXPECT_EQ(m.lblZadani().Caption() + (m.lblZadani().Visible() ? "" : " (hidden)"),
              "Otázka 1/1 – která odpověď platí?");
    w.backend.KeyPress(t0 + 1000, 'B');
    w.backend.AnswerNextBoxes({platform::kAnswerOk});
    w.backend.KeyPress(t0 + 2500, kF10);
    // The answers shown (see PlayingWorld::Answers), and "L" while input is locked: an answer a
    // second from 2 s on, then input.
    const auto state = [&] { return w.Answers() + (m.State.InputLocked ? "L" : ""); };
    const GameWorld::Samples timeline = {{1999, "----L"}, {2000, "a---L"}, {2999, "a---L"}, {3000, "ab--L"},
                                         {3999, "ab--L"}, {4000, "abc-L"}, {4999, "abc-L"}, {5000, "ABCD"}};
    EXPECT_EQ(w.SampleAt(t0, timeline, state), timeline);
    EXPECT_TRUE(m.State.ChosenLetter.empty());
    EXPECT_EQ(w.Boxes().back(), "= info o otázce =: " + w.Path("qst/01-001.qst").string() +
                                    "\r\n\r\nautor: Tým Tolarka" + std::string(30 - 11, ' ') +
                                    "\r\nkorekce provedena");
    EXPECT_EQ(m.lblAnswer(1).Caption(), "druhá");
    // One line of text: the label is laid out 7800 twips wide at top 4955, centred on the frame.
    EXPECT_EQ(std::tuple(m.lblZadani().Top(), m.lblZadani().Width(), m.lblZadani().Left()),
              std::tuple(4955, 7800, 900));
}

// The show's timeline at every level, for a game answered right to the top prize: the band's
// music and studio clip at the question, the pause from the pick to the reveal, the reveal
// sound, the blink, the clip 2.2 s after the reveal, and how long the clip stays.
TEST(Game, EveryLevelFollowsTheShowsTimelineToTheTopPrize) {
    struct Row {
        Millis pause;
        const char* reveal;
        const char* music;  // started with this level's question; "" when the track goes on
        const char* studio;
        const char* clip;
        Millis clipLength;
        const char* second;  // the clip that follows on the animation screen, "" for none
        Millis secondAt;
    };
    const Row rows[16] = {
        {},
        {2000, "r1.wav", "bgm1.wav", "fade1.avi", "r1.avi", 4000, "", 0},
        {3000, "r1.wav", "", "fade1.avi", "r1.avi", 4000, "", 0},
        {4000, "r1.wav", "", "fade1.avi", "r1.avi", 4000, "", 0},
        {5000, "r1.wav", "", "fade1.avi", "r1.avi", 4000, "", 0},
        {6500, "zb.wav", "", "fade1.avi", "r23.avi", 9550, "lights-st.avi", 4500},
        {7000, "r2.wav", "bgm2.wav", "fade2.avi", "r23.avi", 6600, "lights-r2.avi", 3000},
        {8000, "r2.wav", "bgm2.wav", "fade2.avi", "r23.avi", 6600, "lights-r2.avi", 3000},
        {9500, "r2.wav", "bgm2.wav", "fade2.avi", "r23.avi", 6600, "lights-r2.avi", 3000},
        {11000, "r2.wav", "bgm2.wav", "fade2.avi", "r23.avi", 6600, "lights-r2.avi", 3000},
        {13000, "zb.wav", "bgm2.wav", "fade2.avi", "r23.avi", 9550, "lights-st.avi", 4500},
        {14500, "r3.wav", "bgm3.wav", "fade3.avi", "r23.avi", 6600, "lights-r3.avi", 3000},
        {16000, "r3.wav", "bgm3.wav", "fade3.avi", "r23.avi", 6600, "lights-r3.avi", 3000},
        {17500, "r3.wav", "bgm3.wav", "fade3.avi", "r23.avi", 6600, "lights-r3.avi", 3000},
        {19000, "r3.wav", "bgm3.wav", "fade3.avi", "r23.avi", 6600, "lights-r3.avi", 3000},
        {20000, "r4.wav", "bgm4.wav", "fade3.avi", "r4.avi", 19800, "", 0},
    };
    // A file as the screens name it, "" for none.
    const auto sfx = [](const char* f) { return *f ? "/sfx/" + std::string(f) : ""; };
    const auto gfx = [](const char* f) { return *f ? "/gfx/" + std::string(f) : ""; };
    PlayingWorld w;
    for (int level = 1; level <= 15; ++level) {
        const Row& row = rows[level];
        SCOPED_TRACE("level " + std::to_string(level));
        ASSERT_EQ(w.Main().State.Level, level);
        const Millis load = *w.LastWhen("frmMain.imgStupnice picture S");
        EXPECT_EQ(w.Files("frmMain.WMP1", load) + "|" + w.Files("frmMain.WMPfade", load),
                  sfx(row.music) + "|" + gfx(row.studio));

        const Millis pick = w.Answer('B');
        const Millis reveal = w.RunUntilLogged("frmMain.WMP2 play", pick + 1).value_or(-1);
        EXPECT_EQ(reveal - pick, row.pause);
        // From level 6 the pick itself plays sel.wav and stops the music; levels 1-4 keep the
        // track through the reveal.
        EXPECT_EQ(w.Files("frmMain.WMP2", pick), (level >= 6 ? "/sfx/sel.wav " : "") + sfx(row.reveal));
        EXPECT_EQ(w.When("frmMain.WMP1 stop", pick).has_value(), level >= 5);
        // Blink: green at once, orange after 350 ms, green after 700 ms; the clip 1500 ms later,
        // for as long as it lasts; then the next question, or the menu after the top prize.
        const Millis shown = reveal + 2200, end = shown + row.clipLength;
        const GameWorld::Samples clip = {{shown - 1, "Main*"},
                                         {shown, "Main Anim*"},
                                         {end - 1, "Main Anim*"},
                                         {end, level < 15 ? "Main*" : "Menu*"}};
        EXPECT_EQ(w.SampleAt(0, clip, [&] { return w.Screens(); }), clip);
        EXPECT_EQ(w.When("frmAnim.WMPanim play", pick), shown);
        EXPECT_EQ(w.LastWhen("frmMain.imgStupnice picture S"), level < 15 ? end : load);
        EXPECT_EQ(w.Lines("frmMain.WMPfade play", pick).size(), 1u);
        // The box back at rest with the next question.
        Steps blink{{row.pause - 1, "B-Z"},
                    {row.pause + 349, "B-O"},
                    {row.pause + 699, "B-Z"},
                    {end - pick - 1, "B-M"}};
        if (level == 15) blink.pop_back();
        EXPECT_EQ(w.Pictures("frmMain.imgB", pick + 1), blink);
        EXPECT_EQ(w.Files("frmAnim.WMPanim", pick) + "|" + w.Files("frmAnim.WMPanim2", pick),
                  gfx(row.clip) + "|" + gfx(row.second));
        EXPECT_EQ(w.When("frmAnim.WMPanim2 play", pick).value_or(shown) - shown, row.secondAt);
        EXPECT_EQ(w.Main().State.WonLevel, level);
    }
    // The lights after a right answer come with their sound (never at levels 5 and 10).
    EXPECT_EQ(w.Lines("frmAnim.WMPanimSND file " + w.Sfx("lights2.wav")).size(), 8u);
    EXPECT_EQ(w.Main().State.WonLevel, 15);
}

// A wrong answer at every level: its sound, the right answer green beside the pick, the fall to
// the last safe level, and the end clip with the amount after 3.3 s (6.9 s at the top level),
// then the menu 7.2 s later.
TEST(Game, AWrongAnswerFallsToTheLastSafeLevelAndEndsInTheMenu) {
    struct Row {
        int level;
        const char* sound;
        int wonLevel;
        Millis handOver;
    };
    const Row rows[] = {{1, "w1.wav", 0, 3300},    {2, "w1.wav", 0, 3300},    {3, "w1.wav", 0, 3300},
                        {4, "w1.wav", 0, 3300},    {5, "w1.wav", 0, 3300},    {6, "w1.wav", 5, 3300},
                        {7, "w23.wav", 5, 3300},   {8, "w23.wav", 5, 3300},   {9, "w23.wav", 5, 3300},
                        {10, "w23.wav", 5, 3300},  {11, "w23.wav", 10, 3300}, {12, "w23.wav", 10, 3300},
                        {13, "w23.wav", 10, 3300}, {14, "w23.wav", 10, 3300}, {15, "w4.wav", 10, 6900}};
    for (const Row& row : rows) {
        SCOPED_TRACE("level " + std::to_string(row.level));
        PlayingWorld w;
        w.ClimbTo(row.level);
        const Millis pick = w.Answer('C');
        const Millis reveal = w.RunUntilLogged("frmMain.WMP2 play", pick + 1).value_or(-1);
        EXPECT_EQ(w.Lines("frmMain.WMP2 file", pick).back(), "frmMain.WMP2 file " + w.Sfx(row.sound));
        EXPECT_EQ(w.When("frmMain.imgB picture B-Z", pick), reveal);
        EXPECT_EQ(w.Main().imgAnswer(2).Picture(), "C-O");
        EXPECT_TRUE(w.Main().State.WonLevel == row.wonLevel && w.Main().State.OutOfCompetition);
        // The screens, "p" while the pointer shows, and the end clip with the amount.
        const auto state = [&] {
            return w.Screens() + (w.backend.PointerVisible() ? " p" : "") +
                   (w.Anim().Visible() ? " " + w.Anim().Playing().file + " " + w.Anim().pic().Picture() : "");
        };
        const std::string clip =
            (row.wonLevel < 10 ? " /gfx/ex.avi c0" : " /gfx/ex.avi c") + std::to_string(row.wonLevel);
        const GameWorld::Samples timeline = {{row.handOver - 1, "Main* p"},
                                             {row.handOver, "Main Anim*" + clip},
                                             {row.handOver + 7199, "Main Anim*" + clip},
                                             {row.handOver + 7200, "Menu* p"}};
        EXPECT_EQ(w.SampleAt(reveal, timeline, state), timeline);
    }
}

TEST(Game, ALevelWithoutQuestionFilesReturnsToTheMenuWithAMessage) {
    PlayingWorld w("B", false);
    for (const char* file : {"qst/01-001.qst", "qst/01-002.qst"}) std::filesystem::remove(w.Path(file));
    w.StartToMenu({platform::kAnswerOk, platform::kAnswerYes});
    w.backend.AnswerNextBoxes({platform::kAnswerOk});
    w.StartGame();
    // The third box, after the notice and the missing files' question.
    EXPECT_EQ(
        std::to_string(w.Boxes().size()) + " " + w.Boxes().back() + " " + w.Screens(),
        "3 chyba: Pro 1. otázku nebyl nalezen žádný soubor otázek.\r\nHra se vrátí do hlavního menu. Menu*");
}

TEST(Game, AQuestionFileThatCannotBeReadCountsAsMissing) {
    TOLARKA_SKIP_WITHOUT(Feature::Permissions);
    PlayingWorld w("B", false);
    RunUnprivileged(w.dir.path(), [&] {
        std::filesystem::permissions(w.Path("qst/01-001.qst"), std::filesystem::perms::none);
        w.StartToMenu();
        w.StartGame();
        ASSERT_TRUE(w.Main().Visible());
        EXPECT_EQ(Trimmed(w.Main().State.Question.Text), "Otázka 1/2 – která odpověď platí?");
        EXPECT_EQ(w.Main().State.Question.CorrectLetter, "B");
    });
}
