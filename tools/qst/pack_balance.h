#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "game/question_record.h"
#include "tools/qst/pack_check.h"
#include "tools/qst/problem.h"

namespace tolarka::qst {

// Answer 0..3 (A..D) of a record.
const std::string& AnswerOf(const QuestionRecord& record, int index);
// The right answer's index 0..3, or -1 when the letter is not A..D.
int CorrectIndex(const QuestionRecord& record);
// The single number of an answer ("1 234 km", "asi 1,5 m", "1918"), if its remaining words are few
// (a unit, "asi", "let").
std::optional<double> SingleNumber(const std::string& answer);

// The numbers of four answers such as "1 234 km", "1,5 m" or "1918", when every answer holds
// exactly one number and they run in one direction: such options are ordered by value, so the
// place of the right one can tell.
std::optional<std::array<double, 4>> OrderedNumbers(const QuestionRecord& record);

// How a level gives its answers away by position or by form.
struct Balance {
    int Questions = 0;
    std::array<int, 4> Letters{};         // right answers A..D, all questions
    int Ordered = 0;                      // questions with ordered numeric options
    std::array<int, 4> OrderedLetters{};  // right answers A..D among them
    int OrderedExtreme = 0;               // ... the lowest or the highest value
    std::array<int, 4> OtherLetters{};    // right answers A..D among the rest
    int LongestCorrect = 0;               // the right answer is strictly the longest option

    int Others() const { return Questions - Ordered; }
};

Balance MeasureBalance(const SetContent& set);

// Warnings where a level's figures fall outside sensible bounds (levels of 40 questions or more;
// fastest-finger sets are orderings, not guesses, and are left out).
ProblemList BalanceWarnings(const SetContent& set, const Balance& balance);

// Warnings about likely repeats over all sets: one right answer used by more than two
// questions, and pairs of questions whose texts and right answers share rare words.
ProblemList RepeatWarnings(const std::vector<SetContent>& sets);

}  // namespace tolarka::qst
