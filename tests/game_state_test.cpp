#include "game/game_state.h"

#include <gtest/gtest.h>

#include <utility>

using namespace tolarka;

// The amounts, the fall to the last safe level and walking away at levels 1 and 6: the game
// scenarios (game_scenario_test.cpp, game_menu_scenario_test.cpp).
TEST(WonLevel, WalkingAwayKeepsTheLastAnsweredAmountAndFreezesIt) {
    GameState s;
    StartNewGame(s);
    s.Level = 15;
    WalkAway(s);
    EXPECT_TRUE(s.WonLevel == 14 && s.OutOfCompetition);

    // An answer after walking away wins and loses nothing.
    s.Level = 8;
    s.OutOfCompetition = false;
    WalkAway(s);
    ApplyCorrectAnswer(s);
    EXPECT_EQ(s.WonLevel, 7);
    ApplyWrongAnswer(s);
    EXPECT_EQ(s.WonLevel, 7);
    EXPECT_TRUE(s.FiftyFiftyAvailable && s.PhoneAvailable && s.AudienceAvailable);
}

TEST(GameStateLifecycle, NewGameRestoresLifelinesAndPerQuestionResetClearsFlags) {
    GameState s;
    s.FiftyFiftyAvailable = s.PhoneAvailable = s.AudienceAvailable = false;
    s.Level = 9;
    s.WonLevel = 5;  // left for the rules to set
    s.OutOfCompetition = true;
    StartNewGame(s);
    EXPECT_TRUE(s.FiftyFiftyAvailable && s.PhoneAvailable && s.AudienceAvailable && !s.OutOfCompetition);
    EXPECT_EQ(std::pair(s.Level, s.WonLevel), std::pair(0, 5));

    // The save request is cleared by the loader after the music step.
    s.OutOfCompetition = s.AnswerCorrect = s.FiftyFiftyApplied = s.AudienceAsked = s.SaveAfterAnswer = true;
    ResetForNextQuestion(s);
    EXPECT_FALSE(s.OutOfCompetition || s.AnswerCorrect || s.FiftyFiftyApplied || s.AudienceAsked);
    EXPECT_TRUE(s.SaveAfterAnswer);
}
