#pragma once
#include <array>
#include <optional>
#include <string>

#include "game/question_record.h"

namespace tolarka {

// Number of entries in a level's recent-question list.
constexpr int kRecentListSize = 50;

// The variables of the game screen that make up one game. Flags are plain bools here; the save
// file stores them as 16-bit -1 / 0.
struct GameState {
    bool FiftyFiftyAvailable = true;
    bool PhoneAvailable = true;
    bool AudienceAvailable = true;
    int Level = 0;     // level of the question on screen; 0 before the first question
    int WonLevel = 0;  // level whose amount is won so far; 0 = nothing
    std::string QuestionFile;
    QuestionRecord Question;
    std::string ChosenLetter;
    bool InputLocked = false;
    bool AnswerCorrect = false;
    bool OutOfCompetition = false;
    bool SaveAfterAnswer = false;
    bool FiftyFiftyApplied = false;
    bool AudienceAsked = false;
    std::array<std::string, kRecentListSize> RecentNumbers;
    int ExcludeCount = 0;
};

// A saved game taken up again: who played, the lifelines left and the level it goes on with.
struct ResumedGame {
    std::string PlayerName;
    bool FiftyFiftyAvailable = true;
    bool AudienceAvailable = true;
    bool PhoneAvailable = true;
    int ResumeLevel = 1;
};
// The saved game, or the player's message why it cannot be taken up.
struct ResumeAttempt {
    std::optional<ResumedGame> Game;
    std::string Failure;
};

// A game started from the menu: all three lifelines, level 0, not decided. WonLevel is left as
// it is; every reader of it comes after one of the rules below has set it.
void StartNewGame(GameState& s);

// Clears the per-question flags and counters before the next question is loaded (the level is
// raised separately, after the music step).
void ResetForNextQuestion(GameState& s);

// Won-level rules. The two answer rules change WonLevel only while the game is not decided.
void ApplyCorrectAnswer(GameState& s);  // WonLevel = Level
void ApplyWrongAnswer(GameState& s);    // WonLevel = last safe level passed; decided
void WalkAway(GameState& s);            // WonLevel = Level - 1; decided
// After the reveal at the top level, right or wrong, the game is over.
void EndAfterRevealAtTopLevel(GameState& s);

}  // namespace tolarka
