#pragma once
// A soak of the whole game on the headless backend in virtual time: a random player starts
// games, answers, uses lifelines and the in-game menu, saves, loads and walks away, while the
// game's rules are checked after every step.
#include <cstdint>
#include <string>
#include <vector>

namespace tolarka::soak {

struct SoakOptions {
    std::uint64_t seed = 1;
    int games = 100;         // stop after this many games have ended
    long long maxSteps = 0;  // a safety bound on the player's actions; 0: 2000 per game
};

struct SoakReport {
    int games = 0;        // game screens opened on a game (new or restored) and closed again
    int programs = 0;     // runs of the program (the player may quit through the credits)
    long long steps = 0;  // the player's actions, each followed by the checks
    long long virtualMs = 0;
    int topPrizes = 0, wrongAnswers = 0, walkAways = 0;
    int lifelines = 0, savesWritten = 0, restores = 0, messageBoxes = 0;
    int highestLevel = 0;
    std::vector<std::string> findings;  // broken rules, each with the virtual time and seed
};

SoakReport RunSoak(const SoakOptions& options);

}  // namespace tolarka::soak
