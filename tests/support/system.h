#pragma once
// What the tests ask of the operating system beyond the standard library, one implementation
// per platform (system_posix.cpp, system_windows.cpp). A test that needs something a platform
// lacks skips there, saying why: TOLARKA_SKIP_WITHOUT(Feature::NamedPipes).
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace tolarka::testing {

enum class Feature {
    NamedPipes,       // a fifo in the file system that a reader could wait on
    ChildProcesses,   // forking a copy of the test program
    Permissions,      // Unix permission bits that refuse the owner
    FileSizeLimit,    // a limit on the size of files the process writes
    DescriptorCount,  // counting the process's open descriptors
    SymbolicLinks,    // creating symbolic links without special rights
    EndingSignals,    // SIGTERM and SIGINT as the way a program is ended from outside
    ClipModule,       // the game's clip code as a module loaded while it runs
};

// Why this system cannot give `feature`, or nothing when it can.
std::optional<std::string> Missing(Feature feature);

#define TOLARKA_SKIP_WITHOUT(feature)                                                      \
    if (const auto why = ::tolarka::testing::Missing(::tolarka::testing::feature); !why) { \
    } else                                                                                 \
        GTEST_SKIP() << *why

// A program of the build by its name ("tolarka-qst.exe" on Windows).
std::filesystem::path ProgramFile(const std::filesystem::path& dir, const std::string& name);
// A path written as on Linux ("/data/eva") made absolute the way this system's paths are (on
// Windows on drive C:).
std::filesystem::path AbsolutePath(const std::string& rooted);
// The shell's name for the null device, for redirections in std::system and popen commands.
extern const char* const kNullDevice;
// The exit code in a status from std::system or pclose; -1 when the program did not exit.
int ExitCode(int status);
// popen and pclose.
std::FILE* OpenPipe(const std::string& command);
int ClosePipe(std::FILE* pipe);

// Where the programs a test starts keep the player's own files, while this object lives: on
// Linux `scratch`, handed to them through XDG_DATA_HOME; on Windows the user's %APPDATA%\Tolarka,
// which no variable moves (empty when the system names none).
class PlayerFolderOfPrograms {
public:
    explicit PlayerFolderOfPrograms(const std::filesystem::path& scratch);
    ~PlayerFolderOfPrograms();
    PlayerFolderOfPrograms(const PlayerFolderOfPrograms&) = delete;
    PlayerFolderOfPrograms& operator=(const PlayerFolderOfPrograms&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    std::optional<std::string> saved_;
};

// Creates a named pipe.
bool MakeFifo(const std::filesystem::path& path);
// Opens a named pipe for writing without waiting and closes it again, which wakes a reader
// waiting for a writer.
void KnockOnFifo(const std::filesystem::path& path);
// The process's open file descriptors.
int OpenDescriptorCount();
// Limits the size of the files the process writes (a write past it fails, as on a full disk),
// or lifts the limit again.
bool LimitFileSize(long bytes);
void LiftFileSizeLimit();

// A child process that runs `body` and then holds on until Release() (or the end of this object).
class HeldChild {
public:
    explicit HeldChild(const std::function<bool()>& body);
    ~HeldChild();
    HeldChild(const HeldChild&) = delete;
    HeldChild& operator=(const HeldChild&) = delete;
    // What `body` returned, once it has run.
    bool Result();
    void Release();

private:
    long pid_ = -1;
    int link_ = -1;
};

// Whether the process has root's rights, which pass over file permissions.
bool RunsAsRoot();

// Runs part of a test as an ordinary user. File permissions do not stop root, and the suite
// may run as root (CI does): there the part runs in a child process that owns `dir` and has
// given up root; elsewhere it simply runs.
void RunUnprivileged(const std::filesystem::path& dir, const std::function<void()>& body);

}  // namespace tolarka::testing
