#include <SDL.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <string>

#include "platform/sdl/gl_probe.h"

namespace tolarka::platform::sdl {
namespace {

constexpr unsigned kGlRenderer = 0x1F01;  // GL_RENDERER
constexpr int kProbeMillis = 3000;

// Runs in the child: opens a hidden OpenGL window and prints the renderer's name.
[[noreturn]] void ProbeChild(int fd) {
    std::string name;
    if (SDL_Init(SDL_INIT_VIDEO) == 0) {
        if (SDL_Window* w = SDL_CreateWindow("", 0, 0, 16, 16, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN)) {
            if (SDL_GLContext gl = SDL_GL_CreateContext(w)) {
                using GetString = const unsigned char* (*)(unsigned);
                if (auto get = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"))) {
                    if (const unsigned char* s = get(kGlRenderer)) name = reinterpret_cast<const char*>(s);
                }
                SDL_GL_DeleteContext(gl);
            }
            SDL_DestroyWindow(w);
        }
        SDL_Quit();
    }
    if (!name.empty() && write(fd, name.data(), name.size()) < 0) _exit(1);
    _exit(0);
}

}  // namespace

std::string ProbeGlRenderer() {
    int fds[2];
    if (pipe(fds) != 0) return {};
    const pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return {};
    }
    if (pid == 0) {
        close(fds[0]);
        ProbeChild(fds[1]);
    }
    close(fds[1]);
    std::string name;
    std::array<char, 256> buf{};
    pollfd p{fds[0], POLLIN, 0};
    while (poll(&p, 1, kProbeMillis) > 0) {
        const ssize_t n = read(fds[0], buf.data(), buf.size());
        if (n <= 0) break;
        name.append(buf.data(), static_cast<size_t>(n));
    }
    close(fds[0]);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return name;
}

}  // namespace tolarka::platform::sdl
