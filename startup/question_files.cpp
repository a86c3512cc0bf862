#include "startup/question_files.h"

#include <numeric>

#include "io/file_io_system.h"

namespace tolarka {

namespace fs = std::filesystem;

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// '#' = one decimal digit, any other character matches itself.
bool MatchesPattern(std::string_view name, std::string_view pattern) {
    if (name.size() != pattern.size()) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        if (pattern[i] == '#' ? !IsDigit(name[i]) : name[i] != pattern[i]) return false;
    }
    return true;
}

}  // namespace

bool MatchesLevelFilePattern(std::string_view name) { return MatchesPattern(name, "##-###.qst"); }

bool MatchesFastestFingerPattern(std::string_view name) { return MatchesPattern(name, "F#-###.qst"); }

int QuestionCounterFor(std::string_view name) {
    if (MatchesLevelFilePattern(name)) {
        const int n = (name[0] - '0') * 10 + (name[1] - '0');
        return n >= 1 && n <= kQuestionCounterCount ? n : 0;
    }
    if (MatchesFastestFingerPattern(name)) {
        const int set = name[1] - '0';
        return set >= 1 && set <= 5 ? 15 + set : 0;
    }
    return 0;
}

QuestionCounts CountQuestionFiles(const std::vector<std::string>& names) {
    QuestionCounts counts{};
    for (const auto& name : names) {
        const int counter = QuestionCounterFor(name);
        if (counter > 0) ++counts[static_cast<size_t>(counter)];
    }
    return counts;
}

QuestionSources ChooseQuestionSources(const QuestionCounts& shipped, const QuestionCounts& own) {
    QuestionSources sources;
    for (size_t i = 1; i < shipped.size(); ++i) {
        sources.Own[i] = own[i] > 0;
        sources.Counts[i] = sources.Own[i] ? own[i] : shipped[i];
    }
    return sources;
}

QuestionSources ChooseQuestionSources(const std::vector<std::string>& shippedNames,
                                      const std::vector<std::string>& ownNames) {
    return ChooseQuestionSources(CountQuestionFiles(shippedNames), CountQuestionFiles(ownNames));
}

QuestionCounts CountQuestionDirectory(const fs::path& dir, ListedQuestions* listed) {
    QuestionCounts counts{};
    file_system::ForEachOrdinaryFile(
        dir, [](std::string_view name) { return QuestionCounterFor(name) != 0; },
        [&](std::string_view name) {
            const int counter = QuestionCounterFor(name);
            ++counts[static_cast<size_t>(counter)];
            if (listed && name[0] != 'F')
                (*listed)[static_cast<size_t>(counter)].set(
                    static_cast<size_t>((name[3] - '0') * 100 + (name[4] - '0') * 10 + (name[5] - '0')));
        });
    return counts;
}

std::string QuestionTotalsText(const QuestionCounts& counts) {
    const int levels = std::accumulate(counts.begin() + 1, counts.begin() + 16, 0);
    const int fastest = std::accumulate(counts.begin() + 16, counts.end(), 0);
    return std::to_string(levels) + " + " + std::to_string(fastest);
}

bool EveryCounterReaches(const QuestionCounts& counts, int threshold) {
    for (int i = 1; i <= kQuestionCounterCount; ++i) {
        if (counts[static_cast<size_t>(i)] < threshold) return false;
    }
    return true;
}

}  // namespace tolarka
