#pragma once
// Runs part of a test as an ordinary user. File permissions do not stop root, and the suite may
// run as root (CI does): there the part runs in a child process that owns `dir` and has given up
// root; elsewhere it simply runs.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

namespace tolarka::testing {

template <class Body>
void RunUnprivileged(const std::filesystem::path& dir, Body body) {
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
        for (auto it = std::filesystem::recursive_directory_iterator(dir, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
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
