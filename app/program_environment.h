#pragma once
// What the game learns from the system it starts on: one implementation per platform
// (program_environment_posix.cpp, program_environment_windows.cpp), chosen by the build.
#include <filesystem>
#include <string>

namespace tolarka {

// An environment variable's value (UTF-8), empty when it is not set.
std::string Environment(const char* name);

// The program's directory, without a trailing separator.
std::filesystem::path ProgramDirectory(const char* argv0);

// Where the player's own files go (saves and logs when the program's folder takes none, own
// questions): on Linux as PlayerDirectory() says, on Windows %APPDATA%\Tolarka. Empty when the
// system names no such place.
std::filesystem::path PlayerDataDirectory();

// Whether the game keeps saves and logs in its own folder when that folder takes files (the
// build tree, a copy unpacked on Linux). On Windows they always go to %APPDATA%\Tolarka, beside
// the player's own questions, where a reinstall, a newer zip or an uninstall leaves them alone.
bool KeepsFilesInProgramFolder();

// Why no window can be shown, or nothing when one can.
std::string MissingDisplay();

// Writes text (UTF-8) for whoever started the program: to standard output, or, for the
// windowed Windows game that has no console of its own, to the console it was started from.
void PrintToUser(const std::string& text);

}  // namespace tolarka
