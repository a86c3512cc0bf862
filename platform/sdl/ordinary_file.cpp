#include "platform/sdl/ordinary_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tolarka::platform::sdl {

int OpenOrdinaryFile(const std::string& path, std::int64_t& size) {
    // Non-blocking so that opening a pipe returns at once; the flag is dropped for reading.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return -1;
    struct stat info {};
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    size = static_cast<std::int64_t>(info.st_size);
    return fd;
}

std::optional<std::vector<std::uint8_t>> ReadOrdinaryFile(const std::string& path, std::size_t maxBytes) {
    std::int64_t size = 0;
    const int fd = OpenOrdinaryFile(path, size);
    if (fd < 0) return std::nullopt;
    std::optional<std::vector<std::uint8_t>> out;
    if (size >= 0 && static_cast<std::uint64_t>(size) <= maxBytes) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
        std::size_t got = 0;
        bool ok = true;
        while (got < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) ok = false;
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        bytes.resize(got);  // a file that shrank meanwhile reads as what is left
        if (ok) out = std::move(bytes);
    }
    ::close(fd);
    return out;
}

}  // namespace tolarka::platform::sdl
