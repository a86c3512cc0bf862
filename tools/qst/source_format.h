#pragma once
#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "game/question_record.h"
#include "tools/qst/problem.h"

namespace tolarka::qst {

// Field keys of the source format.
inline constexpr std::string_view kKeyText = "otázka";
inline constexpr std::string_view kKeyCorrect = "správně";
inline constexpr std::string_view kKeyAuthor = "autor";
inline constexpr std::string_view kKeyCorrected = "korekce";
inline constexpr std::string_view kKeyVotes = "hlasy";
inline constexpr std::string_view kKeyTopic = "téma";
inline constexpr std::string_view kDefaultAuthor = "Tým Tolarka";

// The topics a question can carry (`téma`, sources only: the question file has no room for it).
// `stats` counts them per level so that no level leans on a few.
inline constexpr std::array<std::string_view, 14> kTopics = {
    "zeměpis", "dějiny",         "příroda", "věda",  "technika",   "literatura",       "hudba",
    "umění",   "film a divadlo", "sport",   "jazyk", "společnost", "každodenní život", "jídlo"};

// The index of `topic` in kTopics, or -1.
int TopicIndex(std::string_view topic);

// One [NNN] block of a source file, with its values as written (trimmed UTF-8).
struct SourceQuestion {
    int Number = 0;
    int Line = 0;                           // line of the [NNN] header
    int EndLine = 0;                        // last line of the block (before the next header)
    std::map<std::string, int> FieldLines;  // key -> line, for messages
    bool HasVotes = false;
    std::string Topic;  // one of kTopics, or empty when the source gives none
    QuestionRecord Record;

    int LineOf(std::string_view key) const {
        const auto it = FieldLines.find(std::string(key));
        return it == FieldLines.end() ? Line : it->second;
    }
};

struct ParsedSource {
    std::vector<SourceQuestion> Questions;  // only complete, well-formed blocks
    ProblemList Problems;                   // what made a block or a line unusable
};

// Parses the text of one source file; `fileName` names it in messages. Blocks with a missing
// field, a bad header or a number already used are reported and left out.
ParsedSource ParseQuestionSource(std::string_view text, const std::string& fileName);

// Writes questions back in the source format (the form `dump` produces), LF line ends.
// Votes are written when any of them is non-zero.
std::string FormatQuestionSource(const std::vector<SourceQuestion>& questions);

// A source question from a decoded question file: trimmed texts, votes kept.
SourceQuestion FromRecord(int number, const QuestionRecord& record);

}  // namespace tolarka::qst
