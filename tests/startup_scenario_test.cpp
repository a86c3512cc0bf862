// The start-up screen through the headless backend: notice, counts, media checks, questions.
#include <gtest/gtest.h>

#include <map>

#include "game_world.h"
#include "platform/widget_dump.h"

using namespace tolarka;
using namespace tolarka::testing;

// Every start-up case: what is missing, the answers given, the boxes shown (title and text), the
// question counts and the media check as the screen shows them, and whether the game goes on.
TEST(StartUp, MissingFilesAreAskedAboutInOrderAndNoEndsAtOnce) {
    // The boxes by their first letter: the notice, missing pictures, sounds, questions.
    const std::map<char, std::string> box = {
        {'N',
         "info: Toto je odlehčená verze hry!\r\n\r\n- neobsahuje téměř žádné animace\r\n- neobsahuje "
         "rozstřel\r\n- nízká kvalita ozvučení"},
        {'G', "chyba: Chybějící soubor(y) grafiky!\r\nChcete hru přesto spustit?"},
        {'S', "chyba: Chybějící soubor(y) zvuků!\r\nChcete hru přesto spustit?"},
        {'Q', "chyba: Chybějící soubory otázek!\r\nChcete hru přesto spustit?"}};
    struct Row {
        bool empty;                       // no question or media file at all
        std::vector<std::string> remove;  // else these of a full set ("gfx/r23.avi" becomes a folder)
        std::string answers;              // O for OK, Y for yes, N for no
        std::string boxes, counts, check;
        bool ends;
    };
    // A name in capitals is not counted (the names: question_files_test.cpp).
    const Row rows[] = {{true, {}, "OYYY", "NGSQ", "0 + 0", "chyba", false},
                        {false, {"sfx/tel-end.wav", "gfx/r23.avi"}, "OYY", "NGS", "30 + 10", "chyba", false},
                        {false, {"sfx/tel-end.wav", "gfx/r23.avi"}, "ON", "NG", "30 + 10", "chyba", true},
                        {false, {"qst/05-001.QST"}, "O", "N", "30 + 10", "OK", false},
                        {false, {"qst/F5-002.qst"}, "OY", "NQ", "30 + 9", "chyba", false}};
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
        for (char a : row.answers)
            w.backend.AnswerNextBoxes({a == 'O'   ? platform::kAnswerOk
                                       : a == 'Y' ? platform::kAnswerYes
                                                  : platform::kAnswerNo});
        w.StartToMenu({});
        std::vector<std::string> boxes;
        for (char b : row.boxes) boxes.push_back(box.at(b));
        EXPECT_EQ(w.Boxes(), boxes);
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
