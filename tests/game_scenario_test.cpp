// A game on the headless backend: build-up, pauses, reveal, blink, hand-over, clips, music.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "playing_world.h"
#include "tests/support/system.h"

using namespace tolarka;
using namespace tolarka::testing;
using platform::keys::kF10;

TEST(Game, QuestionBuildsUpLineByLineThenOpensInput) {
    PlayingWorld w;
    frmMain& m = w.Main();
    ASSERT_TRUE(m.Visible());
    ASSERT_EQ(m.State.Level, 1);
    const Millis t0 = *w.When("frmMain.imgStupnice picture S01");
    EXPECT_EQ(m.lblZadani().Caption(), "Otázka 1/1 – která odpověď platí?");
    EXPECT_TRUE(m.lblZadani().Visible());
    EXPECT_FALSE(m.lblAnswer(0).Visible());
    const Millis steps[4] = {2000, 3000, 4000, 5000};
    for (int i = 0; i < 4; ++i) {
        w.rt.RunUntil(t0 + steps[i] - 1);
        EXPECT_FALSE(m.lblAnswer(i).Visible()) << i;
        EXPECT_TRUE(m.State.InputLocked);
        w.rt.RunUntil(t0 + steps[i]);
        EXPECT_TRUE(m.lblAnswer(i).Visible()) << i;
    }
    EXPECT_FALSE(m.State.InputLocked);
    EXPECT_TRUE(m.imgAnswer(0).Enabled());
    EXPECT_EQ(m.lblAnswer(1).Caption(), "druhá");
    // One line of text: the label is laid out 7800 twips wide at top 4955, centred on the frame.
    EXPECT_EQ(m.lblZadani().Top(), 4955);
    EXPECT_EQ(m.lblZadani().Width(), 7800);
    EXPECT_EQ(m.lblZadani().Left(), 900);
    // The level 1 track starts with the first question, repeating, and the studio clip waits.
    EXPECT_TRUE(w.When("frmMain.WMP1 file " + w.Path("sfx/bgm1.wav").string()));
    EXPECT_EQ(w.Lines("frmMain.WMPfade file").at(0),
              "frmMain.WMPfade file " + w.Path("gfx/fade1.avi").string());
}

TEST(Game, KeysBeforeInputOpensDoNothingAndF10ShowsTheQuestionInfo) {
    PlayingWorld w;
    const Millis t0 = *w.When("frmMain.imgStupnice picture S01");
    w.backend.KeyPress(t0 + 1000, 'B');
    w.rt.RunUntil(t0 + 1500);
    EXPECT_TRUE(w.Main().State.ChosenLetter.empty());
    w.backend.AnswerNextBoxes({platform::kAnswerOk});
    w.backend.KeyPress(t0 + 1600, kF10);
    w.rt.RunUntil(t0 + 1700);
    ASSERT_EQ(w.backend.Boxes().size(), 2u);
    const auto& info = w.backend.Boxes()[1].request;
    EXPECT_EQ(info.title, "= info o otázce =");
    EXPECT_EQ(info.text, w.Path("qst/01-001.qst").string() + "\r\n\r\nautor: Tým Tolarka" +
                             std::string(30 - 11, ' ') + "\r\nkorekce provedena");
}

TEST(Game, PauseBeforeTheRevealGrowsWithTheLevelAndATopPrizeEndsInTheMenu) {
    PlayingWorld w;
    const Millis expected[16] = {0,    2000,  3000,  4000,  5000,  6500,  7000,  8000,
                                 9500, 11000, 13000, 14500, 16000, 17500, 19000, 20000};
    const int clips[16] = {0, 0, 0, 0, 0, 10, 1, 1, 1, 1, 10, 1, 1, 1, 1, 2};
    for (int level = 1; level <= 15; ++level) {
        ASSERT_EQ(w.Main().State.Level, level);
        const Millis pick = w.Answer('B');
        const Millis reveal = w.RunUntilLogged("frmMain.WMP2 play", pick + 1).value_or(-1);
        EXPECT_EQ(reveal - pick, expected[level]) << "level " << level;
        // Blink: green at once, orange after 350 ms, green after 700 ms; the clip 1500 ms later.
        w.rt.RunUntil(reveal + 2199);
        EXPECT_FALSE(w.Anim().Visible()) << level;
        EXPECT_EQ(w.When("frmMain.imgB picture B-Z", pick + 1), reveal);
        EXPECT_EQ(w.When("frmMain.imgB picture B-O", reveal + 1), reveal + 350);
        EXPECT_EQ(w.When("frmMain.imgB picture B-Z", reveal + 1), reveal + 700);
        w.rt.RunUntil(reveal + 2200);
        EXPECT_TRUE(w.Anim().Visible()) << level;
        EXPECT_EQ(w.Anim().AnimClip, clips[level]) << level;
        EXPECT_EQ(w.Main().State.WonLevel, level);
        w.NextQuestion();
    }
    EXPECT_FALSE(w.Main().Loaded());
    EXPECT_TRUE(w.Menu().Visible());
    EXPECT_EQ(w.Main().State.WonLevel, 15);
}

TEST(Game, RevealSoundsAndMusicFollowTheLevelBands) {
    PlayingWorld w;
    auto sfx = [&](const char* f) { return w.Path(std::string("sfx/") + f).string(); };
    std::vector<std::string> reveal;
    for (int level = 1; level <= 6; ++level) {
        const Millis pick = w.Answer('B');
        w.RunUntilLogged("frmAnim.WMPanim play", pick);
        reveal.push_back(w.Lines("frmMain.WMP2 file", pick).back());
        const bool musicStopped = !w.Lines("frmMain.WMP1 stop", pick).empty();
        EXPECT_EQ(musicStopped, level >= 5) << level;  // levels 1-4 keep the track going
        w.NextQuestion();
    }
    EXPECT_EQ(reveal[0], "frmMain.WMP2 file " + sfx("r1.wav"));
    EXPECT_EQ(reveal[3], "frmMain.WMP2 file " + sfx("r1.wav"));
    EXPECT_EQ(reveal[4], "frmMain.WMP2 file " + sfx("zb.wav"));
    EXPECT_EQ(reveal[5], "frmMain.WMP2 file " + sfx("r2.wav"));
    // The level 1 track was set once for levels 1 to 5; level 6 and 7 restart the band track.
    EXPECT_EQ(w.Lines("frmMain.WMP1 file " + sfx("bgm1.wav")).size(), 1u);
    EXPECT_EQ(w.Lines("frmMain.WMP1 file " + sfx("bgm2.wav")).size(), 2u);
    // At level 6 the pick itself plays sel.wav and stops the music.
    const auto picks = w.Lines("frmMain.WMP2 file " + sfx("sel.wav"));
    EXPECT_EQ(picks.size(), 1u);
}

TEST(Game, WrongAnswerFallsBackToTheLastSafeLevelAndEndsWithClip3) {
    PlayingWorld w;
    for (int level = 1; level <= 6; ++level) {
        const Millis pick = w.Answer(level < 6 ? 'B' : 'C');
        if (level < 6) {
            w.NextQuestion();
            continue;
        }
        const Millis reveal = pick + 7000;
        w.rt.RunUntil(reveal);
        EXPECT_EQ(w.Lines("frmMain.WMP2 file", reveal).back(),
                  "frmMain.WMP2 file " + w.Path("sfx/w1.wav").string());
        EXPECT_EQ(w.When("frmMain.imgB picture B-Z", reveal), reveal);  // the right answer shows green
        EXPECT_EQ(w.Main().imgAnswer(2).Picture(), "C-O");
        EXPECT_EQ(w.Main().State.WonLevel, 5);
        EXPECT_TRUE(w.Main().State.OutOfCompetition);
        w.rt.RunUntil(reveal + 3299);
        EXPECT_FALSE(w.Anim().Visible());
        w.rt.RunUntil(reveal + 3300);
        EXPECT_TRUE(w.Anim().Visible());
        EXPECT_EQ(w.Anim().AnimClip, 3);
        EXPECT_EQ(w.Anim().pic().Picture(), "c05");
        EXPECT_FALSE(w.backend.PointerVisible());
        w.rt.RunUntil(reveal + 3300 + 7200);
        EXPECT_FALSE(w.Anim().Visible());
        EXPECT_TRUE(w.backend.PointerVisible());
        EXPECT_TRUE(w.Menu().Visible());
        EXPECT_FALSE(w.Main().Loaded());
    }
}

TEST(Game, RightAnswerClipsCallBackAtTheirTimes) {
    PlayingWorld w;
    auto clipEnd = [&](int expectedClip) {
        const Millis pick = w.Answer('B');
        const Millis shown = w.RunUntilLogged("frmAnim.WMPanim play", pick).value_or(-1);
        EXPECT_EQ(w.Anim().AnimClip, expectedClip);
        const Millis next = w.RunUntilLogged("frmMain.imgStupnice picture S", shown).value_or(-1);
        w.NextQuestion();
        return std::pair{shown, next - shown};
    };
    auto [shown0, after0] = clipEnd(0);
    EXPECT_EQ(after0, 4000);
    EXPECT_EQ(w.Lines("frmAnim.WMPanim file", shown0).at(0),
              "frmAnim.WMPanim file " + w.Path("gfx/r1.avi").string());
    for (int level = 2; level <= 4; ++level) clipEnd(0);
    auto [shown10, after10] = clipEnd(10);  // level 5: r23 at rate 0.8, the lights at 4.5 s
    EXPECT_EQ(after10, 9550);
    EXPECT_EQ(w.When("frmAnim.WMPanim2 play", shown10), shown10 + 4500);
    auto [shown1, after1] = clipEnd(1);  // level 6
    EXPECT_EQ(after1, 6600);
    EXPECT_EQ(w.When("frmAnim.WMPanimSND play", shown1), shown1 + 3000);
}

TEST(Game, ALevelWithoutQuestionFilesReturnsToTheMenuWithAMessage) {
    GameWorld w;
    w.AddQuestionSet(2);
    w.AddMedia();
    std::filesystem::remove(w.Path("qst/01-001.qst"));
    std::filesystem::remove(w.Path("qst/01-002.qst"));
    w.StartToMenu({platform::kAnswerOk, platform::kAnswerYes});
    w.backend.AnswerNextBoxes({platform::kAnswerOk});
    w.StartGame();
    ASSERT_EQ(w.backend.Boxes().size(), 3u);
    EXPECT_EQ(w.backend.Boxes()[2].request.title, "chyba");
    EXPECT_NE(w.backend.Boxes()[2].request.text.find("1. otázku"), std::string::npos);
    EXPECT_FALSE(w.Main().Loaded());
    EXPECT_TRUE(w.Menu().Visible());
}

TEST(Game, AQuestionFileThatCannotBeReadCountsAsMissing) {
    TOLARKA_SKIP_WITHOUT(Feature::Permissions);
    GameWorld w;
    w.AddQuestionSet(2);
    w.AddMedia();
    w.FixRandom(0.0);  // every draw asks for number 001
    RunUnprivileged(w.dir.path(), [&] {
        std::filesystem::permissions(w.Path("qst/01-001.qst"), std::filesystem::perms::none);
        w.StartToMenu();
        w.StartGame();
        ASSERT_TRUE(w.Main().Visible());
        EXPECT_EQ(Trimmed(w.Main().State.Question.Text), "Otázka 1/2 – která odpověď platí?");
        EXPECT_EQ(w.Main().State.Question.CorrectLetter, "B");
    });

    // With no readable file of the level left: the message of a level without questions.
    GameWorld none;
    none.AddQuestionSet(2);
    none.AddMedia();
    RunUnprivileged(none.dir.path(), [&] {
        for (const char* f : {"qst/01-001.qst", "qst/01-002.qst"})
            std::filesystem::permissions(none.Path(f), std::filesystem::perms::none);
        none.StartToMenu();
        none.backend.AnswerNextBoxes({platform::kAnswerOk});
        none.StartGame();
        ASSERT_FALSE(none.backend.Boxes().empty());
        EXPECT_EQ(none.backend.Boxes().back().request.title, "chyba");
        EXPECT_NE(none.backend.Boxes().back().request.text.find("1. otázku"), std::string::npos);
        EXPECT_FALSE(none.Main().Loaded());
        EXPECT_TRUE(none.Menu().Visible());
    });
}

TEST(Game, WrongAnswerAtTheTopLevelFallsToTheSecondSafeLevel) {
    PlayingWorld w;
    w.ClimbTo(15);
    ASSERT_EQ(w.Main().State.Level, 15);
    const Millis pick = w.Answer('A');
    const Millis reveal = w.RunUntilLogged("frmMain.WMP2 play", pick + 1).value_or(-1);
    EXPECT_EQ(reveal - pick, 20000);
    EXPECT_EQ(w.Lines("frmMain.WMP2 file", pick).back(),
              "frmMain.WMP2 file " + w.Path("sfx/w4.wav").string());
    EXPECT_EQ(w.Main().State.WonLevel, 10);
    w.rt.RunUntil(reveal + 6899);
    EXPECT_FALSE(w.Anim().Visible());
    w.rt.RunUntil(reveal + 6900);
    EXPECT_TRUE(w.Anim().Visible());
    EXPECT_EQ(w.Anim().AnimClip, 3);
}

TEST(Game, LightsAfterARightAnswerFollowTheBand) {
    PlayingWorld w;
    std::vector<std::string> lights;
    for (int level = 1; level <= 14; ++level) {
        const Millis pick = w.Answer('B');
        w.RunUntilLogged("frmAnim.WMPanim play", pick);
        const auto files = w.Lines("frmAnim.WMPanim2 file", pick);
        lights.push_back(files.empty() ? "" : files.back().substr(files.back().rfind('/') + 1));
        w.NextQuestion();
    }
    // Clip 1 plays at levels 6-9 and 11-14: the second lights up to level 9, the third after.
    for (int level : {6, 7, 8, 9})
        EXPECT_EQ(lights[static_cast<size_t>(level - 1)], "lights-r2.avi") << level;
    for (int level : {11, 12, 13, 14})
        EXPECT_EQ(lights[static_cast<size_t>(level - 1)], "lights-r3.avi") << level;
}

TEST(Game, EachQuestionAskedGoesOnTopOfItsLevelsListOnDisk) {
    PlayingWorld w;  // two files a level: the last question asked at a level is avoided
    auto engine = std::make_shared<std::mt19937>(2024);
    w.app.MakeRandom = [engine] {
        return [engine] { return std::uniform_real_distribution<double>(0.0, 1.0)(*engine); };
    };
    std::vector<std::string> asked;
    for (int game = 0; game < 4; ++game) {
        if (game > 0) w.StartGame();
        ASSERT_TRUE(w.Main().Visible());
        const std::string file = std::filesystem::path(w.Main().State.QuestionFile).filename().string();
        asked.push_back(file.substr(3, 3));
        std::ifstream in(w.Path("logs/01.log"), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::string expected;
        for (size_t i = 0; i < 50; ++i)
            expected += (i < asked.size() ? asked[asked.size() - 1 - i] : "") + "\r\n";
        EXPECT_EQ(bytes, expected) << game;
        w.Answer('A');  // wrong: back to the menu
        for (int i = 0; i < 200 && !w.Menu().Visible(); ++i) w.rt.RunUntil(w.rt.Now() + 250);
        ASSERT_TRUE(w.Menu().Visible());
    }
    EXPECT_EQ(asked, (std::vector<std::string>{"001", "002", "001", "002"}));
}

TEST(Game, EveryLevelTakesTheRevealSoundMusicAndStudioClipOfItsBand) {
    PlayingWorld w;
    auto sfx = [&](const std::string& f) { return w.Path("sfx/" + f).string(); };
    const char* reveal[16] = {"",       "r1.wav", "r1.wav", "r1.wav", "r1.wav", "zb.wav", "r2.wav", "r2.wav",
                              "r2.wav", "r2.wav", "zb.wav", "r3.wav", "r3.wav", "r3.wav", "r3.wav", "r4.wav"};
    Millis pick = 0;
    for (int level = 1; level <= 15; ++level) {
        ASSERT_EQ(w.Main().State.Level, level);
        char ladder[40];
        std::snprintf(ladder, sizeof ladder, "frmMain.imgStupnice picture S%02d", level);
        const Millis load = *w.LastWhen(ladder);
        const std::string track = level <= 5    ? "bgm1.wav"
                                  : level <= 10 ? "bgm2.wav"
                                  : level <= 14 ? "bgm3.wav"
                                                : "bgm4.wav";
        const std::string clip = level <= 5 ? "fade1.avi" : level <= 10 ? "fade2.avi" : "fade3.avi";
        // The band track starts at level 1 and at every question from level 6 on.
        const auto music = w.Lines("frmMain.WMP1 file", load);
        if (level == 1 || level >= 6)
            EXPECT_EQ(music, (std::vector<std::string>{"frmMain.WMP1 file " + sfx(track)})) << level;
        else
            EXPECT_TRUE(music.empty()) << level;
        EXPECT_EQ(w.Lines("frmMain.WMPfade file", load),
                  (std::vector<std::string>{"frmMain.WMPfade file " + w.Path("gfx/" + clip).string()}))
            << level;
        pick = w.Answer('B');
        ASSERT_TRUE(w.RunUntilLogged("frmAnim.WMPanim play", pick)) << level;
        EXPECT_EQ(w.Lines("frmMain.WMP2 file", pick).back(), "frmMain.WMP2 file " + sfx(reveal[level]))
            << level;
        EXPECT_EQ(w.Lines("frmMain.WMPfade play", pick).size(), 1u) << level;
        if (level < 15) w.NextQuestion();
    }
    // The top prize: clip 2 (r4.avi) hands back to the menu after 19.8 s.
    const Millis shown = *w.When("frmAnim.WMPanim play", pick);
    EXPECT_EQ(w.Anim().AnimClip, 2);
    EXPECT_EQ(w.Lines("frmAnim.WMPanim file", pick).at(0),
              "frmAnim.WMPanim file " + w.Path("gfx/r4.avi").string());
    w.rt.RunUntil(shown + 19799);
    EXPECT_TRUE(w.Anim().Visible());
    EXPECT_FALSE(w.Menu().Visible());
    w.rt.RunUntil(shown + 19800);
    EXPECT_FALSE(w.Anim().Visible());
    EXPECT_TRUE(w.Menu().Visible());
    EXPECT_FALSE(w.Main().Loaded());
}

TEST(Game, AWrongAnswerInTheThirdBandPlaysW23AndFallsToLevelTen) {
    PlayingWorld w;
    w.ClimbTo(11);
    const Millis pick = w.Answer('C');
    w.RunUntilLogged("frmMain.WMP2 play", pick + 1);
    EXPECT_EQ(w.Lines("frmMain.WMP2 file", pick).back(),
              "frmMain.WMP2 file " + w.Path("sfx/w23.wav").string());
    EXPECT_EQ(w.Main().State.WonLevel, 10);
}
