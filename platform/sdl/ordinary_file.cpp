#include "platform/sdl/ordinary_file.h"

#include "io/file_io_system.h"

namespace tolarka::platform::sdl {

namespace sys = tolarka::file_system;

int OpenOrdinaryFile(const std::string& path, std::int64_t& size) {
    const int fd = sys::OpenOrdinary(sys::Utf8Path(path));
    if (fd < 0) return -1;
    size = sys::Size(fd);
    if (size < 0) {
        sys::Close(fd);
        return -1;
    }
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
            const long n = sys::ReadSome(fd, bytes.data() + got, bytes.size() - got);
            if (n < 0) ok = false;
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        bytes.resize(got);  // a file that shrank meanwhile reads as what is left
        if (ok) out = std::move(bytes);
    }
    sys::Close(fd);
    return out;
}

}  // namespace tolarka::platform::sdl
