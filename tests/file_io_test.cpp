// Replacing files safely: saves and recent lists are written through a temporary file that
// nothing planted in the directory can redirect, and that never outlives its writer.
#include "io/file_io.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "io/file_io_system.h"
#include "scratch_dir.h"
#include "tests/support/system.h"

using namespace tolarka;
namespace fs = std::filesystem;

namespace {

std::vector<unsigned char> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

std::set<std::string> Entries(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    return names;
}

}  // namespace

TEST(ReplaceFile, LinksPlantedAtTemporaryNamesAreNeverFollowed) {
    TOLARKA_SKIP_WITHOUT(Feature::SymbolicLinks);
    ScratchDir dir;
    const fs::path victim = dir.path() / "victim.txt";
    std::ofstream(victim) << "keep me";
    const fs::path save = dir.path() / "save" / "01.sav";
    fs::create_directories(save.parent_path());
    // The name older versions wrote through, and a dangling link beside it.
    fs::create_symlink(victim, save.string() + ".tmp");
    fs::create_symlink(dir.path() / "nowhere", save.string() + ".tmp.1.0");

    ASSERT_TRUE(ReplaceFile(save, Bytes("new record")));
    EXPECT_EQ(ReadFile(victim), "keep me");
    EXPECT_EQ(ReadFile(save), "new record");
    EXPECT_FALSE(fs::is_symlink(save));
    EXPECT_FALSE(fs::exists(dir.path() / "nowhere"));

    // A link at the file's own name is replaced, its target left alone.
    const fs::path linked = dir.path() / "save" / "02.sav";
    fs::create_symlink(victim, linked);
    ASSERT_TRUE(ReplaceFile(linked, Bytes("second")));
    EXPECT_FALSE(fs::is_symlink(linked));
    EXPECT_EQ(ReadFile(linked), "second");
    EXPECT_EQ(ReadFile(victim), "keep me");
}

TEST(ReplaceFile, LeavesNoTemporaryWhetherItSucceedsOrFails) {
    ScratchDir dir;
    const fs::path file = dir.path() / fs::path(u8"Uživatel") / "05.log";
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(ReplaceFile(file, Bytes("round " + std::to_string(i))));
    EXPECT_EQ(ReadFile(file), "round 19");
    EXPECT_EQ(Entries(file.parent_path()), (std::set<std::string>{"05.log"}));

    // A file marked read-only is replaced whole as any other, by an ordinary file again.
    const auto writeBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(file, writeBits, fs::perm_options::remove);
    ASSERT_TRUE(ReplaceFile(file, Bytes("new record")));
    EXPECT_EQ(ReadFile(file), "new record");
    EXPECT_NE(fs::status(file).permissions() & fs::perms::owner_write, fs::perms::none);

    // The rename cannot replace a directory holding a file: the write fails, the old content
    // (here the directory) stays and no temporary is left.
    const fs::path blocked = file.parent_path() / "06.log";
    fs::create_directories(blocked / "inside");
    EXPECT_FALSE(ReplaceFile(blocked, Bytes("x")));
    EXPECT_TRUE(fs::is_directory(blocked / "inside"));
    EXPECT_EQ(Entries(file.parent_path()), (std::set<std::string>{"05.log", "06.log"}));
}

// Before the next write of the same file, and at start-up for every file (a slot that is never
// saved again would keep its leftovers for ever).
TEST(ReplaceFile, RemovesWhatKilledWritersLeftButNotWhatLiveOnesWrite) {
    TOLARKA_SKIP_WITHOUT(Feature::ChildProcesses);
    for (const bool atStartUp : {false, true}) {
        SCOPED_TRACE(atStartUp ? "at start-up" : "before a write");
        ScratchDir dir;
        const fs::path file = dir.path() / "save" / "03.sav";
        fs::create_directories(file.parent_path());
        std::ofstream(file.string() + ".tmp") << "left by an older version";

        const auto createTemporary = [&file] {
            fs::path temp;
            return CreateTemporaryBeside(file, temp).Get() >= 0;
        };
        {  // A writer that ends between creating its temporary and renaming it.
            tolarka::testing::HeldChild gone(createTemporary);
            ASSERT_TRUE(gone.Result());
        }

        // A writer still at work, which holds on until told to go.
        tolarka::testing::HeldChild live(createTemporary);
        ASSERT_TRUE(live.Result());
        EXPECT_EQ(Entries(file.parent_path()).size(), 3u)
            << "the older leftover, the killed and the live writer's";

        if (atStartUp) {
            RemoveStaleTemporariesIn(file.parent_path());
        } else {
            ASSERT_TRUE(ReplaceFile(file, Bytes("saved")));
        }
        const auto left = Entries(file.parent_path());
        EXPECT_EQ(left.size(), atStartUp ? 1u : 2u) << "the live writer's stays";
        EXPECT_EQ(left.count("03.sav"), atStartUp ? 0u : 1u);
        EXPECT_FALSE(left.count("03.sav.tmp"));

        live.Release();
        EXPECT_EQ(ReadFile(file), atStartUp ? "" : "saved");
    }
}

TEST(ReadLeadingBytes, ReadsOnlyOrdinaryFilesAndNeverWaitsOnAPipe) {
    ScratchDir dir;
    const fs::path file = dir.path() / "a.qst";
    std::ofstream(file, std::ios::binary) << "abcdef";
    EXPECT_EQ(ReadLeadingBytes(file, 4), Bytes("abcd"));
    EXPECT_EQ(ReadLeadingBytes(file, 100), Bytes("abcdef"));
    EXPECT_FALSE(ReadLeadingBytes(dir.path() / "missing", 4));
    EXPECT_FALSE(ReadLeadingBytes(dir.path(), 4));
    const int open = tolarka::testing::OpenDescriptorCount();  // (-1 where they cannot be counted)
    for (int i = 0; i < 3; ++i) ReadLeadingBytes(file, 4);
    EXPECT_EQ(tolarka::testing::OpenDescriptorCount(), open) << "a read left its file open";
    if (tolarka::testing::Missing(tolarka::testing::Feature::NamedPipes)) return;
    const fs::path fifo = dir.path() / "b.qst";
    ASSERT_TRUE(tolarka::testing::MakeFifo(fifo));
    EXPECT_FALSE(ReadLeadingBytes(fifo, 4));  // returns at once: no writer ever comes
}

TEST(ReplaceFile, ATakenTemporaryNameIsSkippedAndFailedCallsReturn) {
    ScratchDir dir;
    const fs::path file = dir.path() / "01.sav";
    fs::path first, second;
    ASSERT_GE(CreateTemporaryBeside(file, first).Get(), 0);
    // A leftover at the next name (from an earlier process with the same id): the one after.
    const std::string stem = first.string().substr(0, first.string().rfind('.') + 1);
    const int serial = std::stoi(first.string().substr(stem.size()));
    std::ofstream(stem + std::to_string(serial + 1)) << "left over";
    ASSERT_GE(CreateTemporaryBeside(file, second).Get(), 0);
    EXPECT_EQ(second.string(), stem + std::to_string(serial + 2));
#ifndef _WIN32  // (the C runtime there stops the program on a bad descriptor)
    // A call that fails for good is not repeated like an interrupted one.
    char c = 0;
    EXPECT_LT(file_system::ReadSome(-1, &c, 1), 0);
    EXPECT_LT(file_system::WriteSome(-1, &c, 1), 0);
#endif
}
