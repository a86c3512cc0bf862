#include "game/show_director.h"

namespace tolarka {

using platform::Millis;

ShowDirector::ShowDirector(GameState& game, ShowStage& stage, platform::Timer& timer)
    : game_(game), stage_(stage), timer_(timer) {
    timer_.onTick = [this] { OnTick(); };
}

std::vector<ShowDirector::Step> ShowDirector::BuildUpScript() {
    return {{0, Cue::ShowQuestion},           {kBuildUpStep, Cue::Wait},
            {kBuildUpStep, Cue::ShowAnswerA}, {kBuildUpStep, Cue::ShowAnswerB},
            {kBuildUpStep, Cue::ShowAnswerC}, {kBuildUpStep, Cue::ShowLastAnswer}};
}

std::vector<ShowDirector::Step> ShowDirector::PauseScript() const {
    return {{game_.OutOfCompetition ? kOutOfCompetitionPause : CuesOf(game_.Level).pause, Cue::Reveal}};
}

std::vector<ShowDirector::Step> ShowDirector::AfterRevealScript() const {
    if (!game_.AnswerCorrect) return {{CuesOf(game_.Level).wrongHandOver, Cue::HandOver}};
    return {{0, Cue::Green},
            {kBlinkStep, Cue::Orange},
            {kBlinkStep, Cue::Green},
            {kRightHandOver, Cue::HandOver}};
}

void ShowDirector::StartLevel(bool resumed) {
    const LevelCues& cues = CuesOf(game_.Level);
    if (cues.startsMusic || resumed) stage_.PlayMusic(cues.music);
    stage_.SetStudioClip(cues.studioClip);
}

void ShowDirector::BuildUp() { Run(BuildUpScript()); }

void ShowDirector::Pick(const std::string& letter) {
    game_.ChosenLetter = letter;
    if (CuesOf(game_.Level).pickSound && !game_.OutOfCompetition) {
        stage_.PlaySound(kPickSound);
        stage_.StopMusic();
    }
    stage_.MarkAnswer(letter[0] - 'A', 'O');
    stage_.CloseInput();
    game_.AnswerCorrect = game_.Question.CorrectLetter == game_.ChosenLetter;
    Run(PauseScript());
}

void ShowDirector::WalkAway() {
    game_.OutOfCompetition = true;
    stage_.PlayStudioClip();
    tolarka::WalkAway(game_);
}

void ShowDirector::Stop() {
    ++generation_;
    timer_.Stop();
    script_.clear();
    next_ = 0;
}

void ShowDirector::Run(std::vector<Step> script) {
    Stop();
    script_ = std::move(script);
    Continue();
}

// Performs the steps due now, then waits for the next one. Steps a fixed time apart keep the
// timer's own rhythm, so a late tick does not push the later ones back.
void ShowDirector::Continue() {
    const unsigned generation = generation_;
    while (next_ < script_.size() && script_[next_].after == 0) {
        Perform(script_[next_++].cue);
        if (generation != generation_) return;
    }
    if (next_ >= script_.size()) {
        timer_.Stop();
        return;
    }
    const int after = static_cast<int>(script_[next_].after);
    if (timer_.Enabled() && timer_.Interval() == after) return;
    timer_.Stop();
    timer_.SetInterval(after);
    timer_.Start();
}

void ShowDirector::OnTick() {
    if (next_ >= script_.size()) {
        timer_.Stop();
        return;
    }
    const unsigned generation = generation_;
    Perform(script_[next_++].cue);
    if (generation == generation_) Continue();
}

int ShowDirector::CorrectIndex() const {
    const std::string& letter = game_.Question.CorrectLetter;
    return letter.size() == 1 && letter[0] >= 'A' && letter[0] <= 'D' ? letter[0] - 'A' : -1;
}

void ShowDirector::Perform(Cue cue) {
    switch (cue) {
        case Cue::ShowQuestion: stage_.ShowQuestionText(); break;
        case Cue::Wait: break;
        case Cue::ShowAnswerA: stage_.ShowAnswerText(0); break;
        case Cue::ShowAnswerB: stage_.ShowAnswerText(1); break;
        case Cue::ShowAnswerC: stage_.ShowAnswerText(2); break;
        case Cue::ShowLastAnswer:
            stage_.ShowAnswerText(3);
            stage_.OpenInput();
            break;
        case Cue::Reveal: Reveal(); break;
        case Cue::Green:
        case Cue::Orange:
            if (CorrectIndex() >= 0) stage_.MarkAnswer(CorrectIndex(), cue == Cue::Green ? 'Z' : 'O');
            break;
        case Cue::HandOver: HandOver(); break;
    }
}

void ShowDirector::Reveal() {
    const LevelCues& cues = CuesOf(game_.Level);
    if (!game_.OutOfCompetition) {
        stage_.PlaySound(game_.AnswerCorrect ? cues.rightSound : cues.wrongSound);
        if (!(game_.AnswerCorrect && cues.musicThroughReveal)) stage_.StopMusic();
        stage_.PlayStudioClip();
    }
    if (game_.AnswerCorrect) {
        if (!game_.OutOfCompetition) ApplyCorrectAnswer(game_);
    } else {
        if (CorrectIndex() >= 0) stage_.MarkAnswer(CorrectIndex(), 'Z');
        if (!game_.OutOfCompetition) ApplyWrongAnswer(game_);
        game_.OutOfCompetition = true;
    }
    Run(AfterRevealScript());
}

void ShowDirector::HandOver() {
    stage_.HideQuestion();
    if (game_.OutOfCompetition) {
        stage_.PlayClip(ExitClip(game_), [this] {
            stage_.ShowMenu();
            AfterClip();
        });
    } else if (CuesOf(game_.Level).clip == RightClip::TopPrize) {
        stage_.PlayClip(RightAnswerClip(game_), [this] {
            stage_.ShowMenu();
            AfterClip();
        });
    } else {
        stage_.PlayClip(RightAnswerClip(game_), [this] { AfterClip(); });
    }
    EndAfterRevealAtTopLevel(game_);
    stage_.HideAudienceGraph();
}

void ShowDirector::AfterClip() {
    if (game_.SaveAfterAnswer && game_.AnswerCorrect && !game_.OutOfCompetition) {
        stage_.PlaySystemSound(kSaveHorn);
        stage_.StopMusic();
        stage_.OpenSaveScreen();
    } else if (!game_.OutOfCompetition) {
        stage_.NextQuestion();
    } else {
        stage_.LeaveForMenu();
    }
}

}  // namespace tolarka
