#include "game/game_state.h"

#include <gtest/gtest.h>

#include "game/prize_ladder.h"

using namespace tolarka;

// Bands and safe levels, and the climb to the top prize: the walk in game_scenario_test.cpp.
TEST(PrizeLadder, AmountTexts) {
    EXPECT_EQ(AmountText(1), "1.000 Kč");
    EXPECT_EQ(AmountText(4), "5.000 Kč");
    EXPECT_EQ(AmountText(11), "640.000 Kč");
    EXPECT_EQ(AmountText(12), "1,250.000 Kč");
    EXPECT_EQ(AmountText(15), "10,000.000 Kč");
    EXPECT_EQ(AmountText(0), "");
    EXPECT_EQ(AmountText(-1), "");
    EXPECT_EQ(AmountText(16), "");
    EXPECT_EQ(AmountText(8), "80.000 Kč");
}

TEST(WonLevel, WrongAnswerFallsBackToTheLastSafeLevel) {
    const std::pair<int, int> cases[] = {{1, 0}, {5, 0}, {6, 5}, {10, 5}, {11, 10}, {15, 10}};
    for (auto [level, won] : cases) {
        GameState s;
        StartNewGame(s);
        s.Level = level;
        s.WonLevel = level - 1;
        ApplyWrongAnswer(s);
        EXPECT_EQ(s.WonLevel, won) << "level " << level;
        EXPECT_TRUE(s.OutOfCompetition);
    }
}

TEST(WonLevel, WalkingAwayKeepsTheLastAnsweredAmountAndFreezesIt) {
    GameState s;
    StartNewGame(s);
    s.Level = 1;
    WalkAway(s);
    EXPECT_EQ(s.WonLevel, 0);
    EXPECT_TRUE(s.OutOfCompetition);

    s.Level = 15;
    s.OutOfCompetition = false;
    WalkAway(s);
    EXPECT_EQ(s.WonLevel, 14);

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
    s.WonLevel = 5;
    s.OutOfCompetition = true;
    StartNewGame(s);
    EXPECT_TRUE(s.FiftyFiftyAvailable && s.PhoneAvailable && s.AudienceAvailable);
    EXPECT_EQ(s.Level, 0);
    EXPECT_FALSE(s.OutOfCompetition);
    EXPECT_EQ(s.WonLevel, 5);  // left for the rules to set

    s.OutOfCompetition = s.AnswerCorrect = s.FiftyFiftyApplied = s.AudienceAsked = true;
    s.SaveAfterAnswer = true;
    ResetForNextQuestion(s);
    EXPECT_FALSE(s.OutOfCompetition || s.AnswerCorrect || s.FiftyFiftyApplied || s.AudienceAsked);
    EXPECT_TRUE(s.SaveAfterAnswer);  // cleared by the loader after the music step
}
