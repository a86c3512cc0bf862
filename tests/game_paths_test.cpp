#include "app/game_paths.h"

#include <gtest/gtest.h>

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

// The game run from `program`, installed or not, for a player with this XDG_DATA_HOME and home.
PathEnvironment From(fs::path program, fs::path xdg = "", std::string home = "/home/eva") {
    return {program, "../share/games/tolarka", PlayerDirectory(xdg.string(), home)};
}

}  // namespace

// Own questions are the player's, wherever the game runs from; installed data is found relative
// to the program and never written, even where it is writable (root).
TEST(GamePaths, DataSavesAndOwnQuestionsByWhereTheGameRunsFrom) {
    const fs::path build = "/src/build", opt = "/opt/tolarka", moved = "/home/eva/hry/share/games/tolarka";
    const fs::path inst = "/usr/share/games/tolarka", own = "/home/eva/.local/share/tolarka";
    const fs::path ownQ = own / "qst", root = "/root/.local/share/tolarka";
    const fs::path xdgHome = tolarka::testing::AbsolutePath("/data/eva"), xdg = xdgHome / "tolarka";
    struct Case {
        const char* what;
        Disk disk;
        PathEnvironment env;
        fs::path data, writable, ownQuestions;
    };
    const Case cases[] = {
        {"build folder", {{build}, {build}}, From(build), build, build, ownQ},
        {"read-only program folder", {{opt}, {}}, From(opt), opt, own, ownQ},
        {"installed", {{inst}, {inst, "/usr/games"}}, From("/usr/games"), inst, own, ownQ},
        {"moved tree", {{moved}, {}}, From("/home/eva/hry/games"), moved, own, ownQ},
        {"absolute XDG_DATA_HOME", {{inst}, {}}, From("/usr/games", xdgHome), inst, xdg, xdg / "qst"},
        {"relative XDG_DATA_HOME, ignored", {{inst}, {}}, From("/usr/games", "data"), inst, own, ownQ},
        {"root's home", {{inst}, {}}, From("/usr/games", "", "/root"), inst, root, root / "qst"},
        // Saves are tried beside the data and fail there with a message.
        {"no directory of the player's own", {{inst}, {}}, From("/usr/games", "", ""), inst, inst, {}},
        // The start-up screen names the missing files in the program's folder.
        {"no data anywhere", {{}, {build}}, From(build), build, build, ownQ},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const GamePaths p = c.disk.Resolve(c.env);
        EXPECT_EQ(p.Data, c.data);
        EXPECT_EQ(p.Writable, c.writable);
        EXPECT_EQ(p.OwnQuestions, c.ownQuestions);
    }
}

TEST(GamePaths, RealDirectoriesAreProbed) {
    ScratchDir dir;
    EXPECT_FALSE(HoldsGameData(dir.path()));
    WriteFile(dir.path() / "sfx" / "menu.wav", {1});
    EXPECT_TRUE(HoldsGameData(dir.path()));

    EXPECT_TRUE(AcceptsGameFiles(dir.path()));
    EXPECT_FALSE(AcceptsGameFiles(dir.path() / "missing"));
    // A logs or save entry that is no directory cannot take the game's files, whoever runs it.
    WriteFile(dir.path() / "logs", {1});
    EXPECT_FALSE(AcceptsGameFiles(dir.path()));
    fs::remove(dir.path() / "logs");
    fs::create_directory(dir.path() / "save");
    EXPECT_TRUE(AcceptsGameFiles(dir.path()));
    // Nor can a read-only directory (permissions do not bind root).
    if (tolarka::testing::Missing(tolarka::testing::Feature::Permissions) || tolarka::testing::RunsAsRoot())
        return;
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
