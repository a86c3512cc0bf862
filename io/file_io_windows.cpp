#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <climits>

#include "io/file_io_system.h"

// Paths go to Windows as UTF-16 (std::filesystem::path holds them so), so names with
// diacritics work whatever the system's code page.
namespace tolarka::file_system {

namespace fs = std::filesystem;

namespace {

unsigned int Chunk(std::size_t size) { return static_cast<unsigned int>(size < INT_MAX ? size : INT_MAX); }

}  // namespace

int OpenOrdinary(const fs::path& file) {
    const int fd = ::_wopen(file.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (fd < 0) return -1;
    struct _stat64 info {};
    if (::_fstat64(fd, &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) {
        ::_close(fd);
        return -1;
    }
    return fd;
}

int CreateExclusive(const fs::path& file, bool& exists) {
    const int fd = ::_wopen(file.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                            _S_IREAD | _S_IWRITE);
    exists = fd < 0 && errno == EEXIST;
    return fd;
}

long ReadSome(int fd, void* data, std::size_t size) { return ::_read(fd, data, Chunk(size)); }

long WriteSome(int fd, const void* data, std::size_t size) { return ::_write(fd, data, Chunk(size)); }

std::int64_t Seek(int fd, std::int64_t offset, int whence) { return ::_lseeki64(fd, offset, whence); }

std::int64_t Size(int fd) {
    struct _stat64 info {};
    return ::_fstat64(fd, &info) == 0 ? static_cast<std::int64_t>(info.st_size) : -1;
}

bool Flush(int fd) { return ::_commit(fd) == 0; }

bool Close(int fd) { return ::_close(fd) == 0; }

bool RenameOver(const fs::path& from, const fs::path& to) {
    constexpr DWORD kReplace = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (::MoveFileExW(from.c_str(), to.c_str(), kReplace)) return true;
    // Windows will not replace a file marked read-only (a save copied from a CD, say), where a
    // rename on Linux replaces it: the mark is taken off for the move, and put back if the
    // move still fails.
    const DWORD error = ::GetLastError();
    const DWORD attributes = ::GetFileAttributesW(to.c_str());
    if (error != ERROR_ACCESS_DENIED || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != FILE_ATTRIBUTE_READONLY)
        return false;
    if (!::SetFileAttributesW(to.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY)) return false;
    if (::MoveFileExW(from.c_str(), to.c_str(), kReplace)) return true;
    ::SetFileAttributesW(to.c_str(), attributes);
    return false;
}

long CurrentProcess() { return static_cast<long>(::GetCurrentProcessId()); }

bool ProcessGone(long pid) {
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (!process) return ::GetLastError() == ERROR_INVALID_PARAMETER;
    const bool gone = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return gone;
}

// Tried with a file of our own: neither _waccess nor the read-only attribute tells what the
// folder's access rights allow (Program Files refuses an ordinary user); the system removes the
// file when it is closed, or when the process dies.
bool DirectoryWritable(const fs::path& dir) {
    const fs::path probe = dir / (L".tolarka-probe-" + std::to_wstring(::GetCurrentProcessId()));
    HANDLE file =
        ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(file);
    return true;
}

fs::path ProgramFolder() {
    std::wstring exe(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (n == 0) return {};
        if (n < exe.size()) {
            exe.resize(n);
            return fs::path(exe).parent_path();
        }
        exe.resize(exe.size() * 2);  // cut short: a longer path than the buffer
    }
}

bool Readable(const std::string& path, bool ordinary) {
    const fs::path file = Utf8Path(path);
    if (ordinary) {
        struct _stat64 st {};
        if (::_wstat64(file.c_str(), &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG) return false;
    }
    return ::_waccess(file.c_str(), 4) == 0;
}

void ForEachOrdinaryFile(const fs::path& dir, const std::function<bool(std::string_view)>& wanted,
                         const std::function<void(std::string_view)>& found) {
    WIN32_FIND_DATAW entry;
    HANDLE listing = ::FindFirstFileExW((dir / L"*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                        nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (listing == INVALID_HANDLE_VALUE) return;
    do {
        const std::u8string utf8 = fs::path(entry.cFileName).u8string();
        const std::string_view name(reinterpret_cast<const char*>(utf8.data()), utf8.size());
        if (!wanted(name)) continue;
        bool ordinary = (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            // A link: ask for what it names.
            std::error_code ec;
            ordinary = fs::is_regular_file(dir / entry.cFileName, ec);
        }
        if (ordinary) found(name);
    } while (::FindNextFileW(listing, &entry));
    ::FindClose(listing);
}

}  // namespace tolarka::file_system
