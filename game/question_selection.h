#pragma once
#include <bitset>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "game/random_source.h"
#include "game/recent_questions.h"

namespace tolarka {

constexpr int kMaxQuestionNumber = 999;

// "07-042.qst" for level 7, number 42.
std::string QuestionFileName(int level, int number);
// "042".
std::string QuestionNumberText(int number);

struct SelectedQuestion {
    std::filesystem::path File;
    int Number = 0;
    std::string NumberText;  // three digits, as the recent-question list stores it
    bool Remembered = true;  // the recent-question list was written
};

// Tells whether a file exists, given its path as text (built once per selection and patched
// in place for each draw).
using FileExists = std::function<bool(const std::string&)>;

// True for an existing ordinary file that may be read: a file the game may not read counts as
// missing, so the draw goes on instead of asking a blank question.
bool OrdinaryFileExists(const std::string& path);

// The numbers of a level's files as the start-up count found them (bit n: number n).
using ListedNumbers = std::bitset<kMaxQuestionNumber + 1>;

// Refuses a number that is not in `listed` without asking the file system; takes a listed
// number whose file is still there and may be read. `listed` must outlive the result.
FileExists ListedFileExists(const ListedNumbers& listed);

// Draws a question file of `level` in `qstDir`: N = int(r * 999) + 1 until the file exists and
// its number is not among the first `excludeCount` entries of `recent`. After a long run of
// misses it checks every number once: with no file at all it returns nothing; when every
// existing file is excluded (files removed since the start-up count) it drops the exclusion.
// The draw count is bounded, so a degenerate source cannot hang it either; past the bound the
// lowest acceptable number is taken.
std::optional<SelectedQuestion> SelectQuestion(const std::filesystem::path& qstDir, int level,
                                               const RecentList& recent, int excludeCount,
                                               const FileExists& exists, const UniformSource& uniform);

// The selection step of loading a question: reads the level's recent list from `writableDir`
// into `recent`, sets `excludeCount` from the level's start-up count, draws a file of `qstDir`
// with `uniform` (the game's own source) and rewrites the list with the new number first;
// `recent` keeps the list as it was read. With `listed`, a number the start-up count did not
// find is refused without asking the file system, and only a listed number's file is looked
// at. Returns nothing (and leaves the list file alone) when the level has no question file.
std::optional<SelectedQuestion> SelectAndRememberQuestion(const std::filesystem::path& qstDir,
                                                          const std::filesystem::path& writableDir, int level,
                                                          int questionCount, RecentList& recent,
                                                          int& excludeCount, const UniformSource& uniform,
                                                          const ListedNumbers* listed = nullptr);

}  // namespace tolarka
