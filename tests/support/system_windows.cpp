#include <cstdlib>

#include "tests/support/system.h"

namespace tolarka::testing {

namespace fs = std::filesystem;

std::optional<std::string> Missing(Feature feature) {
    switch (feature) {
        case Feature::NamedPipes: return "Windows has no named pipes in the file system";
        case Feature::ChildProcesses: return "Windows cannot fork the test program";
        case Feature::Permissions:
            return "Windows has no Unix permission bits (only a read-only flag on files)";
        case Feature::FileSizeLimit: return "Windows cannot limit the size of the files a process writes";
        case Feature::DescriptorCount: return "Windows cannot list the process's open descriptors";
        case Feature::SymbolicLinks: return "symbolic links need special rights on Windows";
        case Feature::EndingSignals:
            return "Windows ends a windowed program through its window (logging out closes it), not by "
                   "signals";
        case Feature::ClipModule: return "the Windows game links its clip code";
    }
    return std::nullopt;
}

fs::path ProgramFile(const fs::path& dir, const std::string& name) {
    return fs::absolute(dir / (name + ".exe"));
}
fs::path AbsolutePath(const std::string& rooted) { return fs::path("C:") / rooted; }
const char* const kNullDevice = "NUL";
int ExitCode(int status) { return status; }
std::FILE* OpenPipe(const std::string& command) { return ::_popen(command.c_str(), "r"); }
int ClosePipe(std::FILE* pipe) { return ::_pclose(pipe); }

// The tests skip before they reach these.
PlayerFolderOfPrograms::PlayerFolderOfPrograms(const fs::path&) {
    if (const wchar_t* appData = ::_wgetenv(L"APPDATA")) path_ = fs::path(appData) / L"Tolarka";
}
PlayerFolderOfPrograms::~PlayerFolderOfPrograms() = default;

bool MakeFifo(const fs::path&) { return false; }
void KnockOnFifo(const fs::path&) {}
int OpenDescriptorCount() { return -1; }
bool LimitFileSize(long) { return false; }
void LiftFileSizeLimit() {}
HeldChild::HeldChild(const std::function<bool()>&) {}
HeldChild::~HeldChild() = default;
bool HeldChild::Result() { return false; }
void HeldChild::Release() {}

bool RunsAsRoot() { return false; }

// Windows has no root whose rights pass over file permissions.
void RunUnprivileged(const fs::path&, const std::function<void()>& body) { body(); }

}  // namespace tolarka::testing
