#include "app/game_paths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "app/command_line.h"
#include "scratch_dir.h"
#include "tests/support/system.h"

using namespace tolarka;
namespace fs = std::filesystem;

namespace {

// A pretend file system for the resolution: which directories hold data, which accept files.
struct Disk {
    std::set<fs::path> withData;
    std::set<fs::path> writable;
    GamePaths Resolve(const PathEnvironment& env) const {
        return ResolveGamePaths(
            env, [this](const fs::path& p) { return withData.count(p) > 0; },
            [this](const fs::path& p) { return writable.count(p) > 0; });
    }
};

PathEnvironment Installed(std::string xdg = "", std::string home = "/home/eva") {
    return {"/usr/games", "../share/games/tolarka", PlayerDirectory(xdg, home)};
}

void Touch(const fs::path& p) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << "x";
}

}  // namespace

TEST(GamePaths, BuildFolderKeepsEverythingBesideTheProgram) {
    const Disk disk{{"/src/build"}, {"/src/build"}};
    const GamePaths p =
        disk.Resolve({"/src/build", "../share/games/tolarka", PlayerDirectory("", "/home/eva")});
    EXPECT_EQ(p.Data, "/src/build");
    EXPECT_EQ(p.Writable, "/src/build");
    // Own questions are the player's, wherever the game runs from.
    EXPECT_EQ(p.OwnQuestions, "/home/eva/.local/share/tolarka/qst");
}

TEST(GamePaths, ReadOnlyProgramFolderWritesToThePlayersDirectory) {
    const Disk disk{{"/opt/tolarka"}, {}};
    const GamePaths p =
        disk.Resolve({"/opt/tolarka", "../share/games/tolarka", PlayerDirectory("", "/home/eva")});
    EXPECT_EQ(p.Data, "/opt/tolarka");
    EXPECT_EQ(p.Writable, "/home/eva/.local/share/tolarka");
}

TEST(GamePaths, InstalledDataIsFoundRelativeToTheProgramAndNeverWritten) {
    // Even where the installed data directory is writable (root), the player's own is used.
    const Disk disk{{"/usr/share/games/tolarka"}, {"/usr/share/games/tolarka", "/usr/games"}};
    GamePaths p = disk.Resolve(Installed());
    EXPECT_EQ(p.Data, "/usr/share/games/tolarka");
    EXPECT_EQ(p.Writable, "/home/eva/.local/share/tolarka");

    // A moved tree keeps working: only the relative position counts.
    const Disk moved{{"/home/eva/hry/share/games/tolarka"}, {}};
    p = moved.Resolve({"/home/eva/hry/games", "../share/games/tolarka", PlayerDirectory("", "/home/eva")});
    EXPECT_EQ(p.Data, "/home/eva/hry/share/games/tolarka");
}

TEST(GamePaths, XdgDataHomeWhenAbsoluteElseHome) {
    const Disk disk{{"/usr/share/games/tolarka"}, {}};
    const fs::path data = tolarka::testing::AbsolutePath("/data/eva");
    EXPECT_EQ(disk.Resolve(Installed(data.string())).Writable, data / "tolarka");
    EXPECT_EQ(disk.Resolve(Installed(data.string())).OwnQuestions, data / "tolarka" / "qst");
    // A relative XDG_DATA_HOME is invalid and ignored.
    EXPECT_EQ(disk.Resolve(Installed("data")).Writable, "/home/eva/.local/share/tolarka");
    EXPECT_EQ(disk.Resolve(Installed("", "/root")).Writable, "/root/.local/share/tolarka");
    // Nowhere of the player's own: saves are tried beside the data and fail there with a message.
    const GamePaths none = disk.Resolve(Installed("", ""));
    EXPECT_EQ(none.Writable, "/usr/share/games/tolarka");
    EXPECT_TRUE(none.OwnQuestions.empty());
}

TEST(GamePaths, WithoutDataAnywhereTheProgramFolderIsReported) {
    const Disk disk{{}, {"/src/build"}};
    const GamePaths p =
        disk.Resolve({"/src/build", "../share/games/tolarka", PlayerDirectory("", "/home/eva")});
    EXPECT_EQ(p.Data, "/src/build");  // the start-up screen names the missing files there
    EXPECT_EQ(p.Writable, "/src/build");
}

TEST(GamePaths, RealDirectoriesAreProbed) {
    ScratchDir dir;
    EXPECT_FALSE(HoldsGameData(dir.path()));
    Touch(dir.path() / "sfx" / "menu.wav");
    EXPECT_TRUE(HoldsGameData(dir.path()));

    EXPECT_TRUE(AcceptsGameFiles(dir.path()));
    EXPECT_FALSE(AcceptsGameFiles(dir.path() / "missing"));
    // A logs or save entry that is no directory cannot take the game's files, whoever runs it.
    Touch(dir.path() / "logs");
    EXPECT_FALSE(AcceptsGameFiles(dir.path()));
    fs::remove(dir.path() / "logs");
    fs::create_directory(dir.path() / "save");
    EXPECT_TRUE(AcceptsGameFiles(dir.path()));
}

TEST(GamePaths, AReadOnlyDirectoryTakesNoFiles) {
    TOLARKA_SKIP_WITHOUT(Feature::Permissions);
    if (tolarka::testing::RunsAsRoot()) GTEST_SKIP() << "permissions do not bind root";
    ScratchDir dir;
    fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(AcceptsGameFiles(dir.path()));
    fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::add);
}

TEST(CommandLine, HelpAndVersionWinAndTheRestIsTheGamesOwn) {
    EXPECT_EQ(ReadCommandLine({}).Action, StartAction::Play);
    EXPECT_EQ(ReadCommandLine({"no_fullscreen"}).CommandLine, "no_fullscreen");
    EXPECT_EQ(ReadCommandLine({"no_fullscreen", "x"}).CommandLine, "no_fullscreen x");
    EXPECT_EQ(ReadCommandLine({"no_fullscreen", "--help"}).Action, StartAction::Help);
    EXPECT_EQ(ReadCommandLine({"-h"}).Action, StartAction::Help);
    EXPECT_EQ(ReadCommandLine({"--bogus", "--version"}).Action, StartAction::Version);
    // An unknown option is left out, and the rest still counts.
    const StartRequest odd = ReadCommandLine({"--fullscreen", "no_fullscreen"});
    EXPECT_EQ(odd.Action, StartAction::Play);
    EXPECT_EQ(odd.CommandLine, "no_fullscreen");
    EXPECT_EQ(odd.Ignored, std::vector<std::string>{"--fullscreen"});

    const fs::path own = "/home/eva/.local/share/tolarka";
    const std::string help = HelpText({"/usr/share/games/tolarka", own, {}, {}});
    EXPECT_NE(help.find((own / "save").string()), std::string::npos) << help;
    EXPECT_NE(help.find("no_fullscreen"), std::string::npos);
}
