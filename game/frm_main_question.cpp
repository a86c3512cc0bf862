// Loading the next question: selection, reading, and the start of its build-up.
#include <cstdio>
#include <filesystem>

#include "app/app.h"
#include "game/frm_main.h"
#include "game/question_selection.h"
#include "platform/runtime.h"
#include "saves/frm_load.h"
#include "startup/frm_startup.h"

namespace tolarka {

using namespace platform;

void frmMain::NacistOtazku() {
    for (Timer* t : {&tmrZvuk, &tmrBlik, &tmrCastka, &tmrZobrazeniOtazky}) t->Stop();
    ResetForNextQuestion(State);
    Shape1_->Hide();
    TypedChars = 0;
    txtNTelVypis_->SetText("");

    EnableInput();
    DisableInput();

    ++State.Level;

    StartLevelMusic();
    app_.Load().LoadRequested = false;
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

    lblZadani_->Hide();
    for (auto* l : lbl_) l->Hide();
    tmrZobrazeniOtazky_Timer();
    tmrZobrazeniOtazky.Start();
}

// Draws a question file of the level, avoiding the ones asked last, remembers it in the
// level's list and reads it. A file that cannot be read leaves the previous question's fields.
// A level without any question file cannot be played: the player is told so and the game
// returns to the main menu instead of drawing for ever.
bool frmMain::SelectAndReadQuestion() {
    const int level = State.Level;
    const int count =
        level >= 1 && level <= 20 ? app_.StartUp().QuestionCounts[static_cast<size_t>(level)] : 0;
    const ListedNumbers* listed =
        level >= 1 && level <= 20 ? &app_.StartUp().QuestionsListed[static_cast<size_t>(level)] : nullptr;
    const auto chosen =
        SelectAndRememberQuestion(app_.StartUp().QuestionDir(level), app_.WritablePath(), level, count,
                                  State.RecentNumbers, State.ExcludeCount, random_, listed);
    if (!chosen) {
        for (Timer* t : {&tmrZvuk, &tmrBlik, &tmrCastka, &tmrZobrazeniOtazky}) t->Stop();
        Rt().MessageBox("Pro " + std::to_string(level) +
                            ". otázku nebyl nalezen žádný soubor otázek.\r\nHra se vrátí do hlavního menu.",
                        MessageButtons::Ok, MessageIcon::Exclamation, "chyba");
        LeaveForMenu();
        return false;
    }
    State.QuestionFile = chosen->File.string();
    if (!chosen->Remembered) app_.WarnRecentListUnwritable(RecentListPath(app_.WritablePath(), level));
    if (auto record = ReadQuestionFile(chosen->File)) State.Question = *record;
    return true;
}

}  // namespace tolarka
