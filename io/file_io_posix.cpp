#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "io/file_io_system.h"

namespace tolarka::file_system {

namespace fs = std::filesystem;

int OpenOrdinary(const fs::path& file) {
    // Non-blocking so that opening a pipe returns at once; the flag is dropped again for reading.
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return -1;
    struct stat info {};
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int CreateExclusive(const fs::path& file, bool& exists) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    exists = fd < 0 && errno == EEXIST;
    return fd;
}

long ReadSome(int fd, void* data, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd, data, size);
        if (n >= 0 || errno != EINTR) return static_cast<long>(n);
    }
}

long WriteSome(int fd, const void* data, std::size_t size) {
    for (;;) {
        const ssize_t n = ::write(fd, data, size);
        if (n >= 0 || errno != EINTR) return static_cast<long>(n);
    }
}

std::int64_t Seek(int fd, std::int64_t offset, int whence) {
    return static_cast<std::int64_t>(::lseek(fd, static_cast<off_t>(offset), whence));
}

std::int64_t Size(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 ? static_cast<std::int64_t>(info.st_size) : -1;
}

bool Flush(int fd) { return ::fsync(fd) == 0; }

bool Close(int fd) { return ::close(fd) == 0; }

bool RenameOver(const fs::path& from, const fs::path& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) return false;
    // The rename itself reaches the disk only with the directory.
    const fs::path dir = to.parent_path();
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    return true;
}

long CurrentProcess() { return static_cast<long>(::getpid()); }

bool ProcessGone(long pid) { return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH; }

bool DirectoryWritable(const fs::path& dir) { return ::access(dir.c_str(), W_OK | X_OK) == 0; }

fs::path ProgramFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe.parent_path();
}

bool Readable(const std::string& path, bool ordinary) {
    if (ordinary) {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    }
    return ::faccessat(AT_FDCWD, path.c_str(), R_OK, AT_EACCESS) == 0;
}

void ForEachOrdinaryFile(const fs::path& dir, const std::function<bool(std::string_view)>& wanted,
                         const std::function<void(std::string_view)>& found) {
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(dir.c_str()), ::closedir);
    if (!listing) return;
    while (const dirent* entry = ::readdir(listing.get())) {
        if (!wanted(entry->d_name)) continue;
        bool ordinary = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            // The file system does not say, or the name is a link: ask for what it names.
            struct stat st {};
            ordinary = ::fstatat(::dirfd(listing.get()), entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
        }
        if (ordinary) found(entry->d_name);
    }
}

}  // namespace tolarka::file_system
