#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "tests/support/system.h"

namespace tolarka::testing {

namespace fs = std::filesystem;

namespace {

struct rlimit g_savedFileSize {};
void (*g_savedSignal)(int) = SIG_DFL;

}  // namespace

std::optional<std::string> Missing(Feature) { return std::nullopt; }

fs::path ProgramFile(const fs::path& dir, const std::string& name) { return dir / name; }
fs::path AbsolutePath(const std::string& rooted) { return rooted; }
const char* const kNullDevice = "/dev/null";
int ExitCode(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }
std::FILE* OpenPipe(const std::string& command) { return ::popen(command.c_str(), "r"); }
int ClosePipe(std::FILE* pipe) { return ::pclose(pipe); }

PlayerFolderOfPrograms::PlayerFolderOfPrograms(const fs::path& scratch) : path_(scratch / "tolarka") {
    if (const char* value = std::getenv("XDG_DATA_HOME")) saved_ = value;
    ::setenv("XDG_DATA_HOME", scratch.c_str(), 1);
}
PlayerFolderOfPrograms::~PlayerFolderOfPrograms() {
    if (saved_)
        ::setenv("XDG_DATA_HOME", saved_->c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
}

bool MakeFifo(const fs::path& path) { return ::mkfifo(path.c_str(), 0600) == 0; }

void KnockOnFifo(const fs::path& path) {
    const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) ::close(writer);
}

int OpenDescriptorCount() {
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator("/proc/self/fd")) ++n;
    return n;
}

bool LimitFileSize(long bytes) {
    if (::getrlimit(RLIMIT_FSIZE, &g_savedFileSize) != 0) return false;
    g_savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = g_savedFileSize;
    tiny.rlim_cur = static_cast<rlim_t>(bytes);
    return ::setrlimit(RLIMIT_FSIZE, &tiny) == 0;
}

void LiftFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &g_savedFileSize);
    std::signal(SIGXFSZ, g_savedSignal);
}

// One socket pair both ways: the child's result one way, the word to go the other.
HeldChild::HeldChild(const std::function<bool()>& body) {
    int link[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, link) != 0) return;
    const pid_t child = ::fork();
    if (child == 0) {
        char c = body() ? 'y' : 'n';
        (void)!::write(link[1], &c, 1);
        (void)!::read(link[1], &c, 1);
        ::_exit(0);
    }
    ::close(link[1]);
    pid_ = child;
    link_ = link[0];
    if (child < 0) Release();
}

HeldChild::~HeldChild() { Release(); }

bool HeldChild::Result() {
    char c = 0;
    return link_ >= 0 && ::read(link_, &c, 1) == 1 && c == 'y';
}

void HeldChild::Release() {
    if (link_ >= 0) {
        (void)!::send(link_, "g", 1, MSG_NOSIGNAL);  // (no signal if the child has gone already)
        ::close(link_);
    }
    if (pid_ > 0) ::waitpid(static_cast<pid_t>(pid_), nullptr, 0);
    link_ = -1;
    pid_ = -1;
}

bool RunsAsRoot() { return ::geteuid() == 0; }

void RunUnprivileged(const fs::path& dir, const std::function<void()>& body) {
    if (::geteuid() != 0) {
        body();
        return;
    }
    constexpr uid_t kNobody = 65534;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        bool ok = ::lchown(dir.c_str(), kNobody, kNobody) == 0;
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(dir, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
            ok = ok && ::lchown(it->path().c_str(), kNobody, kNobody) == 0;
        ok = ok && ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
        if (!ok) {
            ADD_FAILURE() << "cannot give up root";
            ::_exit(2);
        }
        body();
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the unprivileged part failed";
}

}  // namespace tolarka::testing
