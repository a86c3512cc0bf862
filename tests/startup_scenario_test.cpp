// The start-up screen through the headless backend: notice, counts, media checks, questions.
#include <gtest/gtest.h>

#include "platform/widget_dump.h"
#include "playing_world.h"
#include "startup/frm_splash.h"

using namespace tolarka;
using namespace tolarka::testing;
using platform::kAnswerNo;
using platform::kAnswerOk;
using platform::kAnswerYes;

namespace {
std::vector<std::string> BoxTitlesAndFirstLines(const GameWorld& w) {
    std::vector<std::string> out;
    for (const auto& b : w.backend.Boxes())
        out.push_back(b.request.title + ": " + b.request.text.substr(0, b.request.text.find('\r')));
    return out;
}
}  // namespace

TEST(StartUp, EmptyQuestionDirectoryAndNoMediaAsksThreeQuestionsInOrder) {
    GameWorld w;
    w.StartToMenu({kAnswerOk, kAnswerYes, kAnswerYes, kAnswerYes});
    EXPECT_EQ(
        BoxTitlesAndFirstLines(w),
        (std::vector<std::string>{"info: Toto je odlehčená verze hry!", "chyba: Chybějící soubor(y) grafiky!",
                                  "chyba: Chybějící soubor(y) zvuků!", "chyba: Chybějící soubory otázek!"}));
    EXPECT_EQ(w.backend.Boxes()[1].request.text,
              "Chybějící soubor(y) grafiky!\r\nChcete hru přesto spustit?");
    EXPECT_EQ(
        w.backend.Boxes()[0].request.text,
        "Toto je odlehčená verze hry!\r\n\r\n- neobsahuje téměř žádné animace\r\n- neobsahuje rozstřel\r\n"
        "- nízká kvalita ozvučení");
    EXPECT_EQ(w.app.StartUp().Label1(1).Caption(), "0 + 0");
    EXPECT_EQ(w.app.StartUp().Label1(3).Caption(), "chyba");
    EXPECT_EQ(w.app.StartUp().Label1(4).Caption(), "spouštím hru...");
    EXPECT_EQ(w.app.StartUp().Label1(5).Caption(), "v. 1.1");
    EXPECT_FALSE(w.app.StartUp().Visible());
    EXPECT_TRUE(w.Menu().Visible());
}

TEST(StartUp, MissingClipAndSoundAskGraphicsFirstAndNoEndsAtOnce) {
    auto world = [] {
        auto w = std::make_unique<PlayingWorld>("B", false);
        std::filesystem::remove(w->Path("sfx/tel-end.wav"));
        std::filesystem::remove(w->Path("gfx/r23.avi"));
        std::filesystem::create_directory(w->Path("gfx/r23.avi"));  // not a clip either
        return w;
    };
    auto yes = world();
    yes->StartToMenu({kAnswerOk, kAnswerYes, kAnswerYes});
    EXPECT_EQ(BoxTitlesAndFirstLines(*yes), (std::vector<std::string>{"info: Toto je odlehčená verze hry!",
                                                                      "chyba: Chybějící soubor(y) grafiky!",
                                                                      "chyba: Chybějící soubor(y) zvuků!"}));
    EXPECT_TRUE(yes->Menu().Visible());
    EXPECT_FALSE(yes->backend.Ended());

    auto no = world();
    no->StartToMenu({kAnswerOk, kAnswerNo});
    EXPECT_EQ(no->backend.Boxes().size(), 2u);
    EXPECT_TRUE(no->backend.Ended());
    EXPECT_FALSE(no->Menu().Visible());
    EXPECT_EQ(no->app.StartUp().Label1(3).Caption(), "chyba");
}

TEST(StartUp, EscapeClosesTheNoticeButAnswersNoQuestion) {
    PlayingWorld w("B", false);
    std::filesystem::remove(w.Path("gfx/r23.avi"));
    w.backend.DrawMessageBoxes(true);
    w.backend.KeyPress(100, platform::keys::kEscape);   // the notice: OK
    w.backend.KeyPress(2000, platform::keys::kEscape);  // the graphics question: nothing
    w.backend.KeyPress(3000, 'A');
    bool questionUp = false;
    w.backend.At(2500, [&] { questionUp = w.rt.ActiveScreen()->IsDialog() && !w.backend.Ended(); });
    w.app.Start();
    w.rt.RunUntil(4000);
    EXPECT_TRUE(questionUp);
    EXPECT_EQ(w.app.StartUp().Label1(3).Caption(), "chyba");
    EXPECT_FALSE(w.backend.Ended());
    EXPECT_TRUE(w.app.Splash().Visible());
}

TEST(StartUp, TwoFilesInEveryCounterPassWithoutAQuestion) {
    PlayingWorld w("B", false);
    WriteFile(w.Path("qst/05-001.QST"), {});  // not counted (the names: question_files_test.cpp)
    w.StartToMenu();
    EXPECT_EQ(w.backend.Boxes().size(), 1u);
    EXPECT_EQ(w.app.StartUp().Label1(1).Caption(), "30 + 10");
    EXPECT_EQ(w.app.StartUp().Label1(3).Caption(), "OK");
    EXPECT_EQ(w.app.StartUp().QuestionCounts[18], 2);
    // The widget tree as the screenshot tool dumps it.
    const std::string tree = platform::DumpWidgets(w.app.StartUp());
    EXPECT_NE(tree.find("Label Label1(1) 2280,120 1935x255 \"30 + 10\""), std::string::npos) << tree;
    // The counting and checking pauses: 100 + 100 + 100 + 250 + 250 ms before the splash opens.
    EXPECT_EQ(w.When("frmSplash.Image1 picture"), 800);
}

TEST(StartUp, OneFileShortInTheLastFastestFingerSetRaisesTheQuestionBox) {
    PlayingWorld w("B", false);
    std::filesystem::remove(w.Path("qst/F5-002.qst"));
    w.StartToMenu({kAnswerOk, kAnswerYes});
    ASSERT_EQ(w.backend.Boxes().size(), 2u);
    EXPECT_EQ(w.backend.Boxes()[1].request.text, "Chybějící soubory otázek!\r\nChcete hru přesto spustit?");
    EXPECT_EQ(w.app.StartUp().Label1(1).Caption(), "30 + 9");
}
