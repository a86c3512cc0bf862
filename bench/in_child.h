#pragma once
// Runs a measurement in a process of its own, so each one starts from a fresh program (no
// libraries, threads or caches left by the one before), and hands its figures back by a pipe.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <type_traits>

namespace tolarka::bench {

// `T` is a plain struct of figures; a default `T` stands for a failed run.
template <class T>
T InChild(const std::function<T()>& body) {
    static_assert(std::is_trivially_copyable_v<T>);
    int fds[2];
    if (pipe(fds) != 0) return {};
    // What is printed so far leaves now, or a child that flushes its copy prints it again.
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const T m = body();
        if (write(fds[1], &m, sizeof m) < 0) _exit(1);
        _exit(0);
    }
    close(fds[1]);
    T m;
    if (read(fds[0], &m, sizeof m) != sizeof m) m = {};
    close(fds[0]);
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    return m;
}

}  // namespace tolarka::bench
