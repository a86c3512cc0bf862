// A short soak: random games in virtual time with the game's rules checked after every step
// (tools/soak; the long run is `tolarka-soak`).
#include "tools/soak/soak.h"

#include <gtest/gtest.h>

TEST(Soak, RandomGamesKeepTheRulesOfTheGame) {
    for (std::uint64_t seed : {11u, 12u}) {
        tolarka::soak::SoakOptions options;
        options.seed = seed;
        options.games = 15;
        const auto report = tolarka::soak::RunSoak(options);
        for (const auto& finding : report.findings) ADD_FAILURE() << finding;
        EXPECT_GE(report.games, 15);
        // The player reached the parts of the game the rules are about.
        EXPECT_GT(report.lifelines, 0);
        EXPECT_GT(report.savesWritten, 0);
        EXPECT_GT(report.highestLevel, 5);
    }
}
