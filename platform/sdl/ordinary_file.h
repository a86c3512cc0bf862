#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tolarka::platform::sdl {

// Opens an ordinary file for reading; -1 for anything else (a named pipe, a device or a
// directory is refused at once, never waited on). `size` receives the file's length. The
// caller reads, seeks and closes the descriptor through tolarka::file_system.
int OpenOrdinaryFile(const std::string& path, std::int64_t& size);

// The whole of an ordinary file of at most `maxBytes` bytes; nothing for a larger file or
// anything but an ordinary file.
std::optional<std::vector<std::uint8_t>> ReadOrdinaryFile(const std::string& path, std::size_t maxBytes);

}  // namespace tolarka::platform::sdl
