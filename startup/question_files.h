#pragma once
#include <array>
#include <bitset>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tolarka {

// Counters 1..20: levels 1..15, then the fastest-finger sets F1..F5. Index 0 is unused so
// the indexes read as the game writes them.
constexpr int kQuestionCounterCount = 20;
using QuestionCounts = std::array<int, kQuestionCounterCount + 1>;

// Exact, case-sensitive name patterns: "##-###.qst" and "F#-###.qst" ('#' a decimal digit).
bool MatchesLevelFilePattern(std::string_view name);
bool MatchesFastestFingerPattern(std::string_view name);

// The counter a file name adds to (1..20), or 0 when it counts nowhere. Level numbers 16..20
// count towards the counters of F1..F5; 00 and 21..99, F0 and F6..F9 count nowhere.
int QuestionCounterFor(std::string_view name);

// Counts the names of a question directory listing.
QuestionCounts CountQuestionFiles(const std::vector<std::string>& names);

// The player's own question directory takes over a counter (a level or a fastest-finger set)
// when it holds at least one file of it: that counter is then played from the own files only,
// every other counter from the shipped ones.
struct QuestionSources {
    QuestionCounts Counts{};
    std::array<bool, kQuestionCounterCount + 1> Own{};
};
QuestionSources ChooseQuestionSources(const QuestionCounts& shipped, const QuestionCounts& own);
QuestionSources ChooseQuestionSources(const std::vector<std::string>& shippedNames,
                                      const std::vector<std::string>& ownNames);

// Counts the question files of a directory in one pass over its entries, each name matched
// where the listing holds it. Only ordinary files count (a link counts as what it points to);
// a missing or unreadable directory counts nothing.
// With `listed`, also notes each level file's number under its counter (bit n for "LL-nnn.qst").
using ListedNumbers = std::bitset<1000>;
using ListedQuestions = std::array<ListedNumbers, kQuestionCounterCount + 1>;
QuestionCounts CountQuestionDirectory(const std::filesystem::path& dir, ListedQuestions* listed = nullptr);

// "1500 + 0": the sum of counters 1..15, " + ", the sum of counters 16..20.
std::string QuestionTotalsText(const QuestionCounts& counts);

// True when each of the 20 counters holds at least `threshold` (2 at start-up) files.
constexpr int kMinimumQuestionsPerCounter = 2;
bool EveryCounterReaches(const QuestionCounts& counts, int threshold = kMinimumQuestionsPerCounter);

}  // namespace tolarka
