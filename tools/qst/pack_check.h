#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "platform/text_metrics.h"
#include "tools/qst/problem.h"
#include "tools/qst/question_set.h"
#include "tools/qst/source_format.h"

namespace tolarka::qst {

// Screen limits of the question and answer labels, in Liberation Sans 18 px.
constexpr int kQuestionLineWidth = 520;
constexpr int kQuestionMaxLines = 2;
constexpr int kAnswerWidth = 233;
const platform::Font kQuestionFont{"MS Sans Serif", 13.5, false};

// The questions of one level or fastest-finger set, from one source file or from the question
// files of a directory.
struct SetContent {
    QuestionSet Set;
    std::vector<SourceQuestion> Questions;
    // Where each question came from: the source file, or the question file per question.
    std::string SourceFile;                  // empty for question files
    std::vector<std::string> QuestionFiles;  // parallel to Questions when SourceFile is empty

    std::string FileOf(size_t i) const { return SourceFile.empty() ? QuestionFiles[i] : SourceFile; }
};

// Checks the questions of one set: code page, field widths in bytes, the correct letter, the
// fastest-finger ordering, duplicate texts and the screen fit.
ProblemList CheckSet(const SetContent& content, platform::TextMetrics& metrics);

// What a directory (or a list of files) holds, read for checking: sources (NN.txt, FN.txt)
// are parsed, question files (.qst) decoded. ProblemList of reading (unknown names, short
// records, syntax) are added to `problems`. Throws std::runtime_error when a path cannot be
// read at all.
std::vector<SetContent> LoadSources(const std::vector<std::filesystem::path>& files, ProblemList& problems);
std::vector<SetContent> LoadQuestionFiles(const std::vector<std::filesystem::path>& files,
                                          ProblemList& problems);

struct CheckOptions {
    // The tells of single questions and near repeats across levels (pack_tells.h).
    bool Tells = true;
};

// The whole `check` command over directories or files; every problem found, in file order.
// Warnings (tells by position or length, likely repeats, a source question without `téma`) go to
// `warnings` when given.
ProblemList CheckPaths(const std::vector<std::filesystem::path>& paths, platform::TextMetrics& metrics,
                       int* questionsChecked = nullptr, ProblemList* warnings = nullptr,
                       const CheckOptions& options = {});

// The .txt and .qst files of a directory (sorted by name), or the path itself when it is a
// file. Throws std::runtime_error when it does not exist.
std::vector<std::filesystem::path> ExpandPath(const std::filesystem::path& path);

}  // namespace tolarka::qst
