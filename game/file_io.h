#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace tolarka {

// Up to `count` bytes from the start of a file (fewer when the file is shorter); nothing when
// the file cannot be opened.
std::optional<std::vector<unsigned char>> ReadLeadingBytes(const std::filesystem::path& file, size_t count);

// Writes `bytes` to a temporary file beside `file`, flushes it to the disk and renames it over
// `file`, so that the file is either the old one or the whole new one. Creates the directory
// when it is missing. On failure the temporary file is removed and false is returned.
bool ReplaceFile(const std::filesystem::path& file, std::span<const unsigned char> bytes);

}  // namespace tolarka
