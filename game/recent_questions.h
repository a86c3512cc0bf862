#pragma once
#include <array>
#include <filesystem>
#include <string>

#include "game/game_state.h"

namespace tolarka {

using RecentList = std::array<std::string, kRecentListSize>;

// APP/logs/NN.log for a level.
std::filesystem::path RecentListPath(const std::filesystem::path& appDir, int level);

// Reads up to 50 lines of a level's list (line 1 -> entry 0), without their line ends. Entries
// the file does not supply are empty, as is the whole list when the file is missing: a level's
// list holds only numbers asked at that level.
RecentList ReadRecentList(const std::filesystem::path& file);

// The list after asking `number`: the number first, then entries 0..48 (entry 49 drops out).
RecentList PushRecent(const RecentList& list, const std::string& number);

// Writes exactly 50 lines ending in CR LF, through a temporary file in the same directory that
// is renamed over the old list; creates the directory when missing. False when it failed.
bool WriteRecentList(const std::filesystem::path& file, const RecentList& list);

// How many of the newest entries are avoided: half the level's file count, at most 50.
int ExcludeCount(int questionCount);

}  // namespace tolarka
