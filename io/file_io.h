#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace tolarka {

// Up to `count` bytes from the start of a file (fewer when the file is shorter); nothing when
// it is not an ordinary file or cannot be opened. A named pipe is never waited on.
std::optional<std::vector<unsigned char>> ReadLeadingBytes(const std::filesystem::path& file, size_t count);

// Whether new files can be created in the directory (for a player's saves and logs).
bool DirectoryAcceptsFiles(const std::filesystem::path& dir);

// Writes `bytes` to a new temporary file beside `file`, flushes it to the disk, renames it over
// `file` and flushes the directory, so that after a crash or a power cut the file is either the
// old one or the whole new one. The temporary file is created exclusively (never through a link
// planted at its name); temporaries that a killed process left beside `file` are removed first.
// Creates the directory when it is missing. On failure the temporary file is removed and false
// is returned.
bool ReplaceFile(const std::filesystem::path& file, std::span<const unsigned char> bytes);

// Removes from `dir` the temporaries of ReplaceFile whose writer has gone, whatever file they
// were for (a slot that is never saved again would keep its own for ever). Quietly does nothing
// where it may not.
void RemoveStaleTemporariesIn(const std::filesystem::path& dir);

// A file descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor();
    Descriptor(Descriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Descriptor& operator=(Descriptor&& other) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    // Closes now and reports whether the close (which can be the first to see a write error)
    // succeeded.
    bool Close();

private:
    int fd_;
};

// Opens an ordinary file for reading without ever blocking on a named pipe or a device; an
// invalid descriptor for anything else.
Descriptor OpenOrdinaryFile(const std::filesystem::path& file);

// The step of ReplaceFile that a killed process leaves behind: an exclusively created, empty
// temporary file beside `file`, its path in `temp`. An invalid descriptor when none could be
// created.
Descriptor CreateTemporaryBeside(const std::filesystem::path& file, std::filesystem::path& temp);

}  // namespace tolarka
