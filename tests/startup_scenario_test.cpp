// The start-up screen through the headless backend: notice, counts, media checks, questions.
#include <gtest/gtest.h>

#include "game_world.h"
#include "platform/widget_dump.h"

using namespace tolarka;
using namespace tolarka::testing;
using platform::kAnswerNo;
using platform::kAnswerOk;
using platform::kAnswerYes;

// Every start-up case: what is missing, the answers given, the boxes shown (title and text), the
// question counts and the media check as the screen shows them, and whether the game goes on.
TEST(StartUp, MissingFilesAreAskedAboutInOrderAndNoEndsAtOnce) {
    const std::string notice =
        "info: Toto je odlehčená verze hry!\r\n\r\n- neobsahuje téměř žádné animace\r\n- neobsahuje "
        "rozstřel\r\n"
        "- nízká kvalita ozvučení";
    const std::string gfx = "chyba: Chybějící soubor(y) grafiky!", sfx = "chyba: Chybějící soubor(y) zvuků!",
                      qst = "chyba: Chybějící soubory otázek!", ask = "\r\nChcete hru přesto spustit?";
    struct Row {
        bool empty;                       // no question or media file at all
        std::vector<std::string> remove;  // else these of a full set ("gfx/r23.avi" becomes a folder)
        std::vector<int> answers;
        std::vector<std::string> boxes;
        std::string counts, check;
        bool ends;
    };
    const Row rows[] = {
        {true,
         {},
         {kAnswerOk, kAnswerYes, kAnswerYes, kAnswerYes},
         {notice, gfx + ask, sfx + ask, qst + ask},
         "0 + 0",
         "chyba",
         false},
        {false,
         {"sfx/tel-end.wav", "gfx/r23.avi"},
         {kAnswerOk, kAnswerYes, kAnswerYes},
         {notice, gfx + ask, sfx + ask},
         "30 + 10",
         "chyba",
         false},
        {false,
         {"sfx/tel-end.wav", "gfx/r23.avi"},
         {kAnswerOk, kAnswerNo},
         {notice, gfx + ask},
         "30 + 10",
         "chyba",
         true},
        // A name in capitals is not counted (the names: question_files_test.cpp).
        {false, {"qst/05-001.QST"}, {kAnswerOk}, {notice}, "30 + 10", "OK", false},
        {false, {"qst/F5-002.qst"}, {kAnswerOk, kAnswerYes}, {notice, qst + ask}, "30 + 9", "chyba", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.counts + " " + std::to_string(row.answers.size()) + " answers");
        GameWorld w;
        if (!row.empty) {
            w.AddQuestionSet(2);
            w.AddMedia();
        }
        for (const auto& rel : row.remove) {
            // A name in capitals is added beside its set; removing it first would take the set's own
            // file on a file system that ignores case.
            if (rel.ends_with(".QST")) {
                WriteFile(w.Path(rel), {});
                continue;
            }
            std::filesystem::remove(w.Path(rel));
            if (rel == "gfx/r23.avi") std::filesystem::create_directory(w.Path(rel));  // not a clip either
        }
        for (int answer : row.answers) w.backend.AnswerNextBoxes({answer});
        w.StartToMenu({});
        EXPECT_EQ(w.Boxes(), row.boxes);
        // The counts and the check as the screenshot tool dumps them.
        const std::string tree = platform::DumpWidgets(w.app.StartUp());
        EXPECT_NE(tree.find("Label Label1(1) 2280,120 1935x255 \"" + row.counts + "\""), std::string::npos)
            << tree;
        EXPECT_EQ(w.app.StartUp().Label1(3).Caption(), row.check);
        EXPECT_EQ(w.backend.Ended(), row.ends);
        EXPECT_EQ(w.Screens(), row.ends ? "StartUp*" : "Menu*");
        // The counting and checking pauses: 100 + 100 + 100 + 250 + 250 ms before the splash opens.
        EXPECT_EQ(w.When("frmSplash.Image1 picture"), row.ends ? std::nullopt : std::optional<Millis>(800));
    }
}
