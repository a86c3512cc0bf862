#include "game/recent_questions.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <future>

#include "scratch_dir.h"
#include "tests/support/system.h"

using namespace tolarka;

TEST(RecentQuestions, NewNumberGoesFirstAndTheFiftiethDropsOut) {
    ScratchDir dir;
    const auto file = RecentListPath(dir.path(), 7);
    EXPECT_EQ(file, dir.path() / "logs" / "07.log");

    // First question at the level: no file, no logs directory yet.
    EXPECT_EQ(ReadRecentList(file), RecentList{});
    ASSERT_TRUE(WriteRecentList(file, PushRecent(RecentList{}, "042")));
    std::string expected = "042";
    for (int i = 0; i < 50; ++i) expected += "\r\n";
    EXPECT_EQ(ReadFile(file), expected);

    for (int n = 1; n <= 60; ++n)
        ASSERT_TRUE(
            WriteRecentList(file, PushRecent(ReadRecentList(file), std::to_string(1000 + n).substr(1))));
    const RecentList list = ReadRecentList(file);
    EXPECT_EQ(list[0] + list[1] + list[49], "060059011");
    const std::string text = ReadFile(file);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n') + std::count(text.begin(), text.end(), '\r'), 100);
    EXPECT_FALSE(std::filesystem::exists(file.string() + ".tmp"));
    // Where no logs directory can be made (a file in its place), the write fails cleanly.
    std::ofstream(dir.path() / "other") << "a file where the directory should be";
    EXPECT_FALSE(WriteRecentList(dir.path() / "other" / "01.log", RecentList{}));

    // At most fifty lines are read; what the file lacks is cleared.
    {
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < 70; ++i) out << "n" << i << "\r\n";
    }
    EXPECT_EQ(ReadRecentList(file)[0] + ReadRecentList(file)[49], "n0n49");
    std::ofstream(file, std::ios::binary | std::ios::trunc) << "005\n007";  // LF endings, no last line end
    EXPECT_EQ(ReadRecentList(file), (RecentList{"005", "007"}));
}

TEST(RecentQuestions, ExcludeCountIsHalfTheCountCappedAtFifty) {
    for (const auto& [count, excluded] : {std::pair{0, 0}, {1, 0}, {10, 5}, {11, 5}, {100, 50}, {150, 50}})
        EXPECT_EQ(ExcludeCount(count), excluded) << count;
}

// A log that is not a short text file must neither hang the game nor swamp it.
TEST(RecentQuestions, HostileLogFilesReadQuicklyAndSmall) {
    ScratchDir dir;
    if (!tolarka::testing::Missing(tolarka::testing::Feature::NamedPipes)) {
        const auto fifo = dir.path() / "01.log";
        ASSERT_TRUE(tolarka::testing::MakeFifo(fifo));
        auto reading = std::async(std::launch::async, [&] { return ReadRecentList(fifo); });
        if (reading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            ADD_FAILURE() << "reading a named pipe blocks";
            // A writer that comes and goes lets the blocked reader finish.
            tolarka::testing::KnockOnFifo(fifo);
        }
        EXPECT_EQ(reading.get(), RecentList{});
    }

    // A single 64 MB line (sparse: no disk is used) and a list of long lines.
    const auto huge = dir.path() / "02.log";
    std::ofstream(huge, std::ios::binary) << "123";
    std::filesystem::resize_file(huge, 64u << 20);
    RecentList list = ReadRecentList(huge);
    EXPECT_EQ(list[0].substr(0, 3), "123");
    for (const auto& e : list) EXPECT_LE(e.size(), kRecentLineLimit);

    const auto wide = dir.path() / "03.log";
    {
        std::ofstream out(wide, std::ios::binary);
        for (int i = 0; i < 60; ++i) out << std::string(1000, 'x') << i << "\r\n";
    }
    list = ReadRecentList(wide);
    for (const auto& e : list) EXPECT_LE(e.size(), kRecentLineLimit);
    // Writing it back keeps the file small.
    ASSERT_TRUE(WriteRecentList(wide, PushRecent(list, "042")));
    EXPECT_LE(std::filesystem::file_size(wide), 50 * (kRecentLineLimit + 2));
    EXPECT_EQ(ReadRecentList(wide)[0], "042");

    // A directory of the list's name reads as a missing list.
    std::filesystem::create_directory(dir.path() / "04.log");
    EXPECT_EQ(ReadRecentList(dir.path() / "04.log"), RecentList{});
}
