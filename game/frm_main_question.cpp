// Loading the next question: selection, reading, and the start of its build-up.
#include <cstdio>
#include <filesystem>

#include "game/frm_main.h"
#include "game/question_selection.h"
#include "io/file_io_system.h"
#include "platform/runtime.h"

namespace tolarka {

using namespace platform;

void frmMain::NacistOtazku() {
    director_.Stop();
    ResetForNextQuestion(State);
    Shape1_->Hide();
    TypedChars = 0;
    txtNTelVypis_->SetText("");

    EnableInput();
    DisableInput();

    ++State.Level;

    director_.StartLevel(links_.loadRequested() || State.SaveAfterAnswer);
    links_.clearLoadRequest();
    State.SaveAfterAnswer = false;

    char ladder[8];
    std::snprintf(ladder, sizeof ladder, "S%02d", State.Level);
    imgStupnice_->SetPicture(ladder);

    if (!SelectAndReadQuestion()) return;
    lblZadani_->SetCaption(std::string(Trimmed(State.Question.Text)));
    const std::string* answers[4] = {&State.Question.AnswerA, &State.Question.AnswerB,
                                     &State.Question.AnswerC, &State.Question.AnswerD};
    for (size_t i = 0; i < 4; ++i) lbl_[i]->SetCaption(std::string(Trimmed(*answers[i])));

    LayoutQuestionText();
    HideAudienceGraph();
    ComputeAudienceVotes();

    HideQuestion();
    director_.BuildUp();
}

// Draws a question file of the level, avoiding the ones asked last, remembers it in the
// level's list and reads it. A file that cannot be read leaves the previous question's fields.
// A level without any question file cannot be played: the player is told so and the game
// returns to the main menu instead of drawing for ever.
bool frmMain::SelectAndReadQuestion() {
    const int level = State.Level;
    const LevelQuestions source = links_.questions(level);
    const auto chosen =
        SelectAndRememberQuestion(source.dir, file_system::Utf8Path(links_.writablePath), level, source.count,
                                  State.RecentNumbers, State.ExcludeCount, random_, source.listed);
    if (!chosen) {
        director_.Stop();
        Rt().MessageBox("Pro " + std::to_string(level) +
                            ". otázku nebyl nalezen žádný soubor otázek.\r\nHra se vrátí do hlavního menu.",
                        MessageButtons::Ok, MessageIcon::Exclamation, "chyba");
        LeaveForMenu();
        return false;
    }
    State.QuestionFile = chosen->File.string();
    if (!chosen->Remembered)
        links_.warnRecentListUnwritable(RecentListPath(file_system::Utf8Path(links_.writablePath), level));
    if (auto record = ReadQuestionFile(chosen->File)) State.Question = *record;
    return true;
}

// Takes over the game of the save slot that the load screen chose; false (and back to the
// menu) when the slot cannot be taken up.
bool frmMain::RestoreSavedGame() {
    const ResumeAttempt attempt = links_.takeSavedGame();
    if (!attempt.Game) {
        links_.clearLoadRequest();
        Rt().MessageBox(attempt.Failure, MessageButtons::Ok, MessageIcon::Exclamation, "Tolarka");
        LeaveForMenu();
        return false;
    }
    const ResumedGame& saved = *attempt.Game;
    links_.setPlayerName(saved.PlayerName);
    State.FiftyFiftyAvailable = saved.FiftyFiftyAvailable;
    State.AudienceAvailable = saved.AudienceAvailable;
    State.PhoneAvailable = saved.PhoneAvailable;
    State.Level = saved.ResumeLevel - 1;
    Rt().DoEvents();
    return true;
}

}  // namespace tolarka
