#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tolarka::qst {

// A level (1..15) or a fastest-finger set (F1..F5): one source file, one group of question
// files.
struct QuestionSet {
    bool FastestFinger = false;
    int Index = 0;  // level 1..15 or set 1..5

    // "07" or "F3": the source file's stem and the question files' prefix.
    std::string Name() const;
    std::string SourceFileName() const { return Name() + ".txt"; }
    // "07-042.qst" / "F3-001.qst".
    std::string QuestionFileName(int number) const;
    // Sort order: levels 1..15, then F1..F5.
    int Order() const { return FastestFinger ? 15 + Index : Index; }

    friend bool operator==(const QuestionSet&, const QuestionSet&) = default;
};

// "07.txt" -> level 7, "F3.txt" -> set F3; nothing for any other name (16.txt, 7.txt, f3.txt).
std::optional<QuestionSet> SetFromSourceName(std::string_view fileName);

struct QuestionFileId {
    QuestionSet Set;
    int Number = 0;
};
// "07-042.qst" -> level 7, number 42; nothing unless the name is a level 01..15 or F1..F5 file
// with a number 001..999.
std::optional<QuestionFileId> IdFromQuestionFileName(std::string_view fileName);

}  // namespace tolarka::qst
