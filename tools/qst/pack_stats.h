#pragma once
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/qst/pack_balance.h"
#include "tools/qst/problem.h"
#include "tools/qst/question_set.h"
#include "tools/qst/source_format.h"

namespace tolarka::qst {

// The project's aims for a finished question pack.
constexpr int kTargetPerLevel = 100;
constexpr int kTargetPerFastestFingerSet = 11;
// From this level up, no question template or topic may dominate a level.
constexpr int kFirstSpreadLevel = 6;
constexpr int kMaxPersonTemplatePercent = 15;
constexpr int kMinSportPercent = 5;
constexpr int kMinLanguagePercent = 5;

struct SetStats {
    QuestionSet Set;
    int Count = 0;
    std::array<int, 4> CorrectLetters{};       // how many answers are A, B, C, D
    Balance Tells;                             // position and length figures of the questions read
    int Read = 0;                              // questions read from sources or files (Count may differ)
    int PersonTemplate = 0;                    // "Kdo napsal / složil / namaloval…"
    int Superlatives = 0;                      // "nejvyšší", "největší"…
    std::array<int, kTopics.size()> Topics{};  // questions per topic (sources only)
    int NoTopic = 0;                           // questions without a topic
    bool Own = false;                          // counted from the player's own directory

    int Target() const { return Set.FastestFinger ? kTargetPerFastestFingerSet : kTargetPerLevel; }
};

// All twenty sets (levels 1..15, F1..F5) of the sources or question files under `paths`.
// Question files are counted by the start-up rules, so the figures are what the game sees.
std::vector<SetStats> CollectStats(const std::vector<std::filesystem::path>& paths, ProblemList& problems);

// The sets as the game plays them with `own` as the player's own question directory: a set with
// at least one question file there is played from those alone (and marked own), every other set
// from `shipped`.
std::vector<SetStats> CollectPlayedStats(const std::filesystem::path& own,
                                         const std::filesystem::path& shipped, ProblemList& problems);

// A table with one row per set and the two totals as the start-up screen shows them, then the
// levels' balance figures (where ordered numbers put the right answer, which is the longest).
std::string FormatStats(const std::vector<SetStats>& stats);

// True when every set reaches its target (and thereby the start-up threshold).
bool MeetsTargets(const std::vector<SetStats>& stats);

// What a level or set lacks, one line each: too few questions or orderings, and from level 6 up
// too many person-template questions or too little sport or language.
std::vector<std::string> StatsFlags(const std::vector<SetStats>& stats);

}  // namespace tolarka::qst
