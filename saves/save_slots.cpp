#include "saves/save_slots.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

namespace tolarka {

namespace fs = std::filesystem;

namespace {

// A POSIX file descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    // Closes now and reports whether the close (which can be the first to see a write error)
    // succeeded.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, const unsigned char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

fs::path SlotPath(const fs::path& appDir, int slot) {
    char name[16];
    std::snprintf(name, sizeof name, "%02d.sav", slot);
    return appDir / "save" / name;
}

bool SlotFilled(const fs::path& appDir, int slot) {
    std::error_code ec;
    return fs::is_regular_file(SlotPath(appDir, slot), ec);
}

bool AnySlotFilled(const fs::path& appDir) {
    for (int slot = 1; slot <= kSlotCount; ++slot)
        if (SlotFilled(appDir, slot)) return true;
    return false;
}

std::optional<SaveRecord> ReadSlot(const fs::path& appDir, int slot) {
    const fs::path file = SlotPath(appDir, slot);
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<unsigned char> bytes(kSaveRecordSize);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return DecodeSaveRecord(bytes);
}

bool WriteSlot(const fs::path& appDir, int slot, const SaveRecord& record) {
    const fs::path file = SlotPath(appDir, slot);
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    fs::path temp = file;
    temp += ".tmp";
    const auto bytes = EncodeSaveRecord(record);
    bool ok;
    {
        Descriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (fd.Get() < 0) return false;
        ok = WriteAll(fd.Get(), bytes.data(), bytes.size()) && ::fsync(fd.Get()) == 0;
        ok = fd.Close() && ok;
    }
    if (ok) {
        fs::rename(temp, file, ec);
        ok = !ec;
    }
    if (!ok) fs::remove(temp, ec);
    return ok;
}

bool DeleteSlot(const fs::path& appDir, int slot) {
    std::error_code ec;
    return fs::remove(SlotPath(appDir, slot), ec) && !ec;
}

}  // namespace tolarka
