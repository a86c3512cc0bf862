#include "game/game_state.h"

#include "game/prize_ladder.h"

namespace tolarka {

void StartNewGame(GameState& s) {
    s.FiftyFiftyAvailable = true;
    s.PhoneAvailable = true;
    s.AudienceAvailable = true;
    s.Level = 0;
    s.OutOfCompetition = false;
}

void ResetForNextQuestion(GameState& s) {
    s.OutOfCompetition = false;
    s.AnswerCorrect = false;
    s.FiftyFiftyApplied = false;
    s.AudienceAsked = false;
}

void ApplyCorrectAnswer(GameState& s) {
    if (!s.OutOfCompetition) s.WonLevel = s.Level;
}

void ApplyWrongAnswer(GameState& s) {
    if (!s.OutOfCompetition) s.WonLevel = WonLevelAfterWrongAnswer(s.Level);
    s.OutOfCompetition = true;
}

void WalkAway(GameState& s) {
    s.WonLevel = s.Level > 0 ? s.Level - 1 : 0;
    s.OutOfCompetition = true;
}

void EndAfterRevealAtTopLevel(GameState& s) {
    if (s.Level >= kTopLevel) s.OutOfCompetition = true;
}

}  // namespace tolarka
