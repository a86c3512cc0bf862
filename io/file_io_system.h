#pragma once
// The operating system's side of file_io.cpp: one implementation per platform
// (file_io_posix.cpp, file_io_windows.cpp), chosen by the build.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace tolarka::file_system {

// An ordinary file opened for reading, never blocking on a named pipe or a device; -1 for
// anything else.
int OpenOrdinary(const std::filesystem::path& file);
// A new file created exclusively for writing (never through a link planted at its name); -1 on
// failure, with `exists` telling whether the name was taken.
int CreateExclusive(const std::filesystem::path& file, bool& exists);
// Bytes read or written (interrupted calls are repeated); negative on error.
long ReadSome(int fd, void* data, std::size_t size);
long WriteSome(int fd, const void* data, std::size_t size);
// The new position, or negative on error (`whence` as for lseek).
std::int64_t Seek(int fd, std::int64_t offset, int whence);
// The length of an open file, negative on error.
std::int64_t Size(int fd);
// Whether the file's data reached the disk.
bool Flush(int fd);
bool Close(int fd);
// Replaces `to` with `from` in one step, the change itself flushed to the disk.
bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to);
long CurrentProcess();
// True when no process with this id runs any more.
bool ProcessGone(long pid);
// Whether files can be created in the directory.
bool DirectoryWritable(const std::filesystem::path& dir);

// The folder of the running program's file, without a trailing separator; empty when the
// system does not tell.
std::filesystem::path ProgramFolder();

// Whether the path (UTF-8) names a file the process may read; with `ordinary`, only an
// ordinary file counts.
bool Readable(const std::string& path, bool ordinary);

// Calls `found` with the name of each ordinary file in `dir` for which `wanted` (asked first,
// with the bare name) is true; links count as what they name.
void ForEachOrdinaryFile(const std::filesystem::path& dir,
                         const std::function<bool(std::string_view)>& wanted,
                         const std::function<void(std::string_view)>& found);

// A path from UTF-8 text (the narrow encoding of Windows is not UTF-8).
inline std::filesystem::path Utf8Path(std::string_view utf8) {
    return std::filesystem::path(
        std::u8string_view(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}
// A path as UTF-8 text, for libraries that take UTF-8 names on every system (FFmpeg, SDL).
inline std::string Utf8String(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

}  // namespace tolarka::file_system
