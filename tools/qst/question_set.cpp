#include "tools/qst/question_set.h"

#include <cstdio>

#include "startup/question_files.h"

namespace tolarka::qst {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<QuestionSet> SetFromPrefix(std::string_view prefix) {
    if (prefix.size() != 2) return std::nullopt;
    if (prefix[0] == 'F' && prefix[1] >= '1' && prefix[1] <= '5') return QuestionSet{true, prefix[1] - '0'};
    if (!IsDigit(prefix[0]) || !IsDigit(prefix[1])) return std::nullopt;
    const int level = (prefix[0] - '0') * 10 + (prefix[1] - '0');
    if (level < 1 || level > 15) return std::nullopt;
    return QuestionSet{false, level};
}

}  // namespace

std::string QuestionSet::Name() const {
    char name[8];
    std::snprintf(name, sizeof name, FastestFinger ? "F%d" : "%02d", Index);
    return name;
}

std::string QuestionSet::QuestionFileName(int number) const {
    char name[16];
    std::snprintf(name, sizeof name, "-%03d.qst", number);
    return Name() + name;
}

std::optional<QuestionSet> SetFromSourceName(std::string_view fileName) {
    if (fileName.size() != 6 || fileName.substr(2) != ".txt") return std::nullopt;
    return SetFromPrefix(fileName.substr(0, 2));
}

std::optional<QuestionFileId> IdFromQuestionFileName(std::string_view fileName) {
    if (!MatchesLevelFilePattern(fileName) && !MatchesFastestFingerPattern(fileName)) return std::nullopt;
    const auto set = SetFromPrefix(fileName.substr(0, 2));
    if (!set) return std::nullopt;
    const int number = (fileName[3] - '0') * 100 + (fileName[4] - '0') * 10 + (fileName[5] - '0');
    if (number < 1) return std::nullopt;
    return QuestionFileId{*set, number};
}

}  // namespace tolarka::qst
