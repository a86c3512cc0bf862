#include "game/question_selection.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <random>
#include <set>

#include "scratch_dir.h"

using namespace tolarka;
namespace fs = std::filesystem;

namespace {

// A reproducible uniform source.
UniformSource Seeded(unsigned seed) {
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine] { return std::uniform_real_distribution<double>(0.0, 1.0)(*engine); };
}

FileExists Existing(int level, const std::set<int>& numbers) {
    std::set<std::string> paths;
    for (int n : numbers) paths.insert((fs::path("qst") / QuestionFileName(level, n)).string());
    return [paths](const std::string& p) { return paths.count(p) > 0; };
}

}  // namespace

TEST(QuestionSelection, DrawsUniformlyOverTheExistingFiles) {
    const std::set<int> numbers = {1, 2, 17, 100, 333, 500, 501, 777, 998, 999};
    const auto exists = Existing(4, numbers);
    const auto uniform = Seeded(12345);
    std::map<int, int> hits;
    const int runs = 10000;
    for (int i = 0; i < runs; ++i) {
        const auto pick = SelectQuestion("qst", 4, RecentList{}, 0, exists, uniform);
        ASSERT_TRUE(pick);
        ASSERT_TRUE(numbers.count(pick->Number));
        ++hits[pick->Number];
    }
    // Chi-square with 9 degrees of freedom; 27.9 is the 0.1 % tail. (Taking the first
    // acceptable number, or drawing over the file list's positions with a bias, fails this.)
    const double expected = static_cast<double>(runs) / static_cast<double>(numbers.size());
    double chi2 = 0;
    for (int n : numbers) chi2 += (hits[n] - expected) * (hits[n] - expected) / expected;
    EXPECT_LT(chi2, 27.9);
}

// Only the newest `exclude` entries are avoided, and only entries that are exactly a number's
// three digits ("020 " and "20" exclude nothing).
TEST(QuestionSelection, AvoidsOnlyTheNewestExcludeCountEntries) {
    std::set<int> numbers;
    for (int n = 1; n <= 10; ++n) numbers.insert(n * 10);
    const RecentList recent = {"010", "020 ", "030", "20", "040", "050", "060"};
    const auto uniform = Seeded(7);
    std::set<int> seen;
    for (int i = 0; i < 3000; ++i) {
        const auto pick = SelectQuestion("qst", 3, recent, 5, Existing(3, numbers), uniform);
        ASSERT_TRUE(pick);
        EXPECT_EQ(pick->File, fs::path("qst") / QuestionFileName(3, pick->Number));
        seen.insert(pick->Number);
    }
    EXPECT_EQ(seen, (std::set<int>{20, 50, 60, 70, 80, 90, 100}));

    // With one file the exclusion count is 0 and the same file comes every time.
    const auto one = SelectQuestion("qst", 3, {"001"}, ExcludeCount(1), Existing(3, {1}), uniform);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->NumberText, "001");
}

TEST(QuestionSelection, NeverHangs) {
    // No file at all: nothing to choose, and no draw happens for ever.
    int draws = 0;
    const UniformSource counting = [&draws] {
        ++draws;
        return 0.5;
    };
    EXPECT_FALSE(SelectQuestion("qst", 9, RecentList{}, 0, Existing(9, {}), counting));
    EXPECT_LE(draws, 10000);

    // Every existing file excluded (files removed since start-up): one is taken anyway.
    const auto pick = SelectQuestion("qst", 9, {"004", "008"}, 5, Existing(9, {4, 8}), Seeded(3));
    ASSERT_TRUE(pick);
    EXPECT_TRUE(pick->Number == 4 || pick->Number == 8);

    // A source stuck on a number without a file gives up after its bound.
    const auto stuck = SelectQuestion("qst", 9, RecentList{}, 0, Existing(9, {900, 950}), [] { return 0.0; });
    ASSERT_TRUE(stuck);
    EXPECT_EQ(stuck->Number, 900);
}

TEST(QuestionSelection, SelectAndRememberRotatesTheLevelListOnDisk) {
    ScratchDir scratch;
    // Named with diacritics, as a Windows user's folder often is: the drawn file must be found.
    const fs::path app = scratch.path() / fs::path(u8"Žofie");
    fs::create_directories(app / "qst");
    for (int n = 1; n <= 9; ++n) std::ofstream(app / "qst" / QuestionFileName(3, n)) << "x";
    fs::create_directory(app / "qst" / QuestionFileName(3, 10));  // no file: never drawn
    std::ofstream(app / "qst" / "04-001.qst") << "other level";

    const auto uniform = Seeded(99);
    RecentList recent = {"left over from another level"};
    int exclude = -1;
    std::vector<std::string> asked;  // newest first, as the list on disk
    for (int i = 0; i < 40; ++i) {
        const auto pick = SelectAndRememberQuestion(app / "qst", app, 3, 10, recent, exclude, uniform);
        ASSERT_TRUE(pick);
        EXPECT_NE(pick->Number, 10);
        EXPECT_EQ(exclude, 5);
        EXPECT_EQ(pick->File, app / "qst" / QuestionFileName(3, pick->Number));
        // `recent` holds the list as it was read, before this question; none of the five asked
        // last comes again.
        EXPECT_EQ(recent[0], asked.empty() ? "" : asked.front());
        const auto lastFive = asked.begin() + std::min<std::ptrdiff_t>(5, std::ssize(asked));
        EXPECT_EQ(std::find(asked.begin(), lastFive, pick->NumberText), lastFive);
        asked.insert(asked.begin(), pick->NumberText);
    }
    const RecentList onDisk = ReadRecentList(app / "logs" / "03.log");
    asked.resize(onDisk.size());
    EXPECT_EQ(std::vector<std::string>(onDisk.begin(), onDisk.end()), asked);

    EXPECT_FALSE(SelectAndRememberQuestion(app / "qst", app, 12, 0, recent, exclude, uniform));
    EXPECT_FALSE(fs::exists(app / "logs" / "12.log"));

    // Only numbers the start-up count listed are drawn: 002 of those, 011 having gone since; the
    // files that came after the count are not.
    ListedNumbers listed;
    listed.set(2);
    listed.set(11);
    for (int i = 0; i < 20; ++i) {
        const auto pick =
            SelectAndRememberQuestion(app / "qst", app, 3, 2, recent, exclude, uniform, &listed);
        EXPECT_TRUE(pick && pick->Number == 2);
    }
    listed.reset(2);
    EXPECT_FALSE(SelectAndRememberQuestion(app / "qst", app, 3, 2, recent, exclude, uniform, &listed));
}
