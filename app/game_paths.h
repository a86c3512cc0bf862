#pragma once
#include <filesystem>
#include <functional>
#include <string>

namespace tolarka {

// Where the game reads its data and writes its files.
struct GamePaths {
    std::filesystem::path Data;          // qst/, sfx/, gfx/ (the shipped content)
    std::filesystem::path Writable;      // logs/ and save/
    std::filesystem::path OwnQuestions;  // the player's own question files; empty for none
    // The program's folder when the game keeps its files there no more (its save/ or logs/ is
    // read-only): saves made there before are still listed and loaded. Empty otherwise.
    std::filesystem::path OlderSaves;

    // Everything in one folder, as in the build tree: data, logs and saves side by side.
    static GamePaths InOneFolder(const std::filesystem::path& dir) { return {dir, dir, {}, {}}; }
};

// What the resolution looks at; main() fills it from the process, tests by hand.
struct PathEnvironment {
    std::filesystem::path ProgramDir;  // the executable's directory
    // The installed data directory relative to ProgramDir ("../share/games/tolarka").
    std::filesystem::path DataFromProgram;
    // The player's own directory (PlayerDataDirectory() of the platform); empty when unknown.
    std::filesystem::path PlayerDir;
};

using DirectoryTest = std::function<bool(const std::filesystem::path&)>;

// True when the directory holds at least one of qst/, sfx/ and gfx/.
bool HoldsGameData(const std::filesystem::path& dir);

// True when the game may create and replace its files under `dir`: the directory is writable
// and its logs/ and save/, where they exist, are writable directories.
bool AcceptsGameFiles(const std::filesystem::path& dir);

// The player's own directory on Linux: $XDG_DATA_HOME/tolarka (only an absolute XDG_DATA_HOME
// counts), else $HOME/.local/share/tolarka; empty when neither is known.
std::filesystem::path PlayerDirectory(const std::string& xdgDataHome, const std::string& home);

// Data: the program's directory when it holds data (the build tree), else the installed
// directory relative to it when that one does, else the program's directory (whose missing
// files the start-up screen then reports). Writable files: beside the data only when the data
// is the program's own folder and that accepts them; an installed data directory is shared by
// every user and never written to. Otherwise the player's own directory, and then the program's
// folder is kept as OlderSaves. The player's own questions are always looked for in the player's
// directory.
GamePaths ResolveGamePaths(const PathEnvironment& env, const DirectoryTest& holdsData = HoldsGameData,
                           const DirectoryTest& acceptsFiles = AcceptsGameFiles);

}  // namespace tolarka
