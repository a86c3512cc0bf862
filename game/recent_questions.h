#pragma once
#include <array>
#include <cstddef>
#include <filesystem>
#include <span>
#include <string>

#include "game/game_state.h"

namespace tolarka {

using RecentList = std::array<std::string, kRecentListSize>;

// APP/logs/NN.log for a level.
std::filesystem::path RecentListPath(const std::filesystem::path& appDir, int level);

// Entries longer than this are cut: a number needs three characters.
constexpr size_t kRecentLineLimit = 16;

// Up to 50 lines (line 1 -> entry 0) without their line ends, each cut to kRecentLineLimit
// characters. Entries the bytes do not supply are empty.
RecentList ParseRecentList(std::span<const unsigned char> bytes);

// Reads a level's list: only from an ordinary file (a named pipe or a directory reads as
// missing) and only the bytes 50 lines of kept length can take. Entries the file does not
// supply are empty, as is the whole list when the file is missing: a level's list holds only
// numbers asked at that level.
RecentList ReadRecentList(const std::filesystem::path& file);

// The list after asking `number`: the number first, then entries 0..48 (entry 49 drops out).
RecentList PushRecent(const RecentList& list, const std::string& number);

// Writes exactly 50 lines ending in CR LF, through a temporary file in the same directory that
// is renamed over the old list; creates the directory when missing. False when it failed.
bool WriteRecentList(const std::filesystem::path& file, const RecentList& list);

// How many of the newest entries are avoided: half the level's file count, at most 50.
int ExcludeCount(int questionCount);

}  // namespace tolarka
