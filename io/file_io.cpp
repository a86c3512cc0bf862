#include "io/file_io.h"

#include <atomic>
#include <charconv>
#include <string>
#include <system_error>

#include "io/file_io_system.h"

namespace tolarka {

namespace fs = std::filesystem;
namespace sys = file_system;

namespace {

// Temporary names are "<name>.tmp.<pid>.<serial>": the process id tells a temporary of a
// running writer from one a killed writer left. Older versions used "<name>.tmp".
constexpr std::string_view kTempMark = ".tmp";
constexpr int kCreateAttempts = 100;

bool WriteAll(int fd, const unsigned char* data, size_t size) {
    while (size > 0) {
        const long n = sys::WriteSome(fd, data, size);
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// The process id in a temporary's name, 0 for the old fixed name, nothing when `entry` is not
// a temporary of `target`.
std::optional<long> TemporaryOwner(const std::string& entry, const std::string& target) {
    const std::string prefix = target + std::string(kTempMark);
    if (entry.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
    std::string_view rest(entry);
    rest.remove_prefix(prefix.size());
    if (rest.empty()) return 0;
    if (rest.front() != '.') return std::nullopt;
    rest.remove_prefix(1);
    long pid = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    if (ec != std::errc() || end == rest.data() || *end != '.' || pid <= 0) return std::nullopt;
    return pid;
}

bool ProcessGone(long pid) { return pid <= 0 || pid == sys::CurrentProcess() || sys::ProcessGone(pid); }

void RemoveStaleTemporaries(const fs::path& file) {
    std::error_code ec;
    const std::string target = file.filename().string();
    for (fs::directory_iterator it(file.parent_path(), ec), end; !ec && it != end; it.increment(ec)) {
        const auto owner = TemporaryOwner(it->path().filename().string(), target);
        if (!owner || !ProcessGone(*owner)) continue;
        std::error_code ignored;
        if (!it->is_directory(ignored)) fs::remove(it->path(), ignored);
    }
}

}  // namespace

void RemoveStaleTemporariesIn(const fs::path& dir) {
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const size_t mark = name.rfind(kTempMark);
        if (mark == std::string::npos || mark == 0) continue;
        const auto owner = TemporaryOwner(name, name.substr(0, mark));
        if (!owner || !ProcessGone(*owner)) continue;
        std::error_code ignored;
        if (!it->is_directory(ignored)) fs::remove(it->path(), ignored);
    }
}

Descriptor::~Descriptor() {
    if (fd_ >= 0) sys::Close(fd_);
}

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) sys::Close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

bool Descriptor::Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd >= 0 && sys::Close(fd);
}

Descriptor OpenOrdinaryFile(const fs::path& file) { return Descriptor(sys::OpenOrdinary(file)); }

bool DirectoryAcceptsFiles(const fs::path& dir) { return sys::DirectoryWritable(dir); }

std::optional<std::vector<unsigned char>> ReadLeadingBytes(const fs::path& file, size_t count) {
    Descriptor fd = OpenOrdinaryFile(file);
    if (fd.Get() < 0) return std::nullopt;
    std::vector<unsigned char> bytes(count);
    size_t got = 0;
    while (got < count) {
        const long n = sys::ReadSome(fd.Get(), bytes.data() + got, count - got);
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

Descriptor CreateTemporaryBeside(const fs::path& file, fs::path& temp) {
    static std::atomic<unsigned> serial{0};
    // Built on the path itself: a narrow copy of a name with diacritics would not come back
    // whole on Windows. What is appended is ASCII.
    fs::path base = file;
    base += std::string(kTempMark) + "." + std::to_string(sys::CurrentProcess()) + ".";
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        temp = base;
        temp += std::to_string(serial++);
        bool exists = false;
        Descriptor fd(sys::CreateExclusive(temp, exists));
        if (fd.Get() >= 0) return fd;
        if (!exists) break;
    }
    temp.clear();
    return Descriptor();
}

bool ReplaceFile(const fs::path& file, std::span<const unsigned char> bytes) {
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    RemoveStaleTemporaries(file);
    fs::path temp;
    bool ok;
    {
        Descriptor fd = CreateTemporaryBeside(file, temp);
        if (fd.Get() < 0) return false;
        ok = WriteAll(fd.Get(), bytes.data(), bytes.size()) && sys::Flush(fd.Get());
        ok = fd.Close() && ok;
    }
    if (ok) ok = sys::RenameOver(temp, file);
    if (!ok) fs::remove(temp, ec);
    return ok;
}

}  // namespace tolarka
