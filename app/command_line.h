#pragma once
#include <string>
#include <vector>

#include "app/game_paths.h"

namespace tolarka {

enum class StartAction { Play, Help, Version };

struct StartRequest {
    StartAction Action = StartAction::Play;
    // For Play: the arguments joined by single spaces, as the splash reads them (only exactly
    // "no_fullscreen" keeps the window).
    std::string CommandLine;
    // Arguments starting with "--" that the game does not know: left out of the command line.
    std::vector<std::string> Ignored;
};

// --help (-h) and --version (-V) win over everything else; any other argument starting with
// "--" is ignored (the caller says so on standard error); the rest is the game's own command
// line.
StartRequest ReadCommandLine(const std::vector<std::string>& args);

// The Czech help, naming the directories this run would use.
std::string HelpText(const GamePaths& paths);
// "tolarka 1.2.0".
std::string VersionText();

}  // namespace tolarka
