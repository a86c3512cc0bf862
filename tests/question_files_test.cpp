#include "startup/question_files.h"

#include <gtest/gtest.h>

#include <fstream>

#include "scratch_dir.h"
#include "tests/support/system.h"

using namespace tolarka;
namespace fs = std::filesystem;

TEST(QuestionFileNames, OnlyExactLowerCasePatternsCount) {
    // Level numbers 16..20 land on the fastest-finger counters as F1..F5 do; 00 and 21.. nowhere.
    const std::pair<const char*, int> cases[] = {
        {"05-001.qst", 5},  {"15-999.qst", 15}, {"05-001.QST", 0}, {"5-001.qst", 0},   {"05-01.qst", 0},
        {"05-0001.qst", 0}, {"05_001.qst", 0},  {"0a-001.qst", 0}, {"05-001.qstx", 0}, {"F3-120.qst", 18},
        {"F1-001.qst", 16}, {"F5-001.qst", 20}, {"F7-001.qst", 0}, {"F0-001.qst", 0},  {"f3-001.qst", 0},
        {"16-001.qst", 16}, {"20-001.qst", 20}, {"00-001.qst", 0}, {"21-001.qst", 0},  {"99-001.qst", 0}};
    for (const auto& [name, counter] : cases) EXPECT_EQ(QuestionCounterFor(name), counter) << name;
}

TEST(QuestionFileNames, DirectoryCountTakesOrdinaryFilesOnly) {
    ScratchDir dir;
    EXPECT_EQ(CountQuestionDirectory(dir.path() / "missing"), QuestionCounts{});
    for (const char* name :
         {"01-001.qst", "01-002.qst", "F2-001.qst", "17-001.qst", "01-003.QST", "1-004.qst"})
        std::ofstream(dir.path() / name) << "x";
    fs::create_directories(dir.path() / "02-001.qst");
    const bool links = !tolarka::testing::Missing(tolarka::testing::Feature::SymbolicLinks);
    if (links) {
        fs::create_symlink(dir.path() / "01-001.qst", dir.path() / "03-001.qst");
        fs::create_symlink(dir.path() / "gone.qst", dir.path() / "03-002.qst");
        fs::create_symlink(dir.path() / "02-001.qst", dir.path() / "04-001.qst");
    }
    QuestionCounts expected{};
    expected[1] = 2;
    expected[3] = links ? 1 : 0;  // a link to a file counts, a broken link and a link to a directory do not
    expected[17] = 2;             // F2 and level 17
    ListedQuestions listed{};
    EXPECT_EQ(CountQuestionDirectory(dir.path(), &listed), expected);
    // Level files are noted by number under their counter; fastest-finger files are not.
    EXPECT_EQ(listed[1], ListedNumbers("110"));
    EXPECT_EQ(listed[3], ListedNumbers(links ? "10" : "0"));
    EXPECT_EQ(listed[17], ListedNumbers("10"));
    EXPECT_TRUE(listed[4].none());
}

TEST(QuestionFileNames, OwnFilesTakeOverOnlyTheirLevels) {
    const std::vector<std::string> shipped = {"01-001.qst", "01-002.qst", "02-001.qst",
                                              "02-002.qst", "F1-001.qst", "16-001.qst"};
    const QuestionSources none = ChooseQuestionSources(shipped, {"notes.txt", "01-1.qst"});
    EXPECT_EQ(none.Counts, CountQuestionFiles(shipped));
    // Level 2 and F1 (counter 16) from the own files alone: the shipped ones are not added in.
    const QuestionSources own = ChooseQuestionSources(shipped, {"02-007.qst", "F1-003.qst"});
    QuestionCounts counts = none.Counts;
    counts[2] = counts[16] = 1;
    EXPECT_EQ(own.Counts, counts);
    for (int c = 0; c <= kQuestionCounterCount; ++c) {
        EXPECT_FALSE(none.Own[c]) << c;
        EXPECT_EQ(own.Own[c], c == 2 || c == 16) << c;
    }
}
