#include "platform/sdl/renderer_choice.h"

#include <SDL.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <string>

namespace tolarka::platform::sdl {
namespace {

constexpr unsigned kGlRenderer = 0x1F01;  // GL_RENDERER
constexpr int kProbeMillis = 3000;

std::string Lower(std::string_view s) {
    std::string out(s);
    for (auto& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

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

// The OpenGL renderer's name, or empty when there is no OpenGL (or the probe took too long).
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

}  // namespace

bool IsEmulatedGl(std::string_view glRenderer) {
    const std::string s = Lower(glRenderer);
    for (const char* soft : {"llvmpipe", "softpipe", "software rasterizer", "swrast"}) {
        if (s.find(soft) != std::string::npos) return true;
    }
    return false;
}

RendererChoice ChooseRenderer() {
    if (const char* forced = SDL_GetHint(SDL_HINT_RENDER_DRIVER); forced && *forced) {
        return {Lower(forced) == "software", std::string("SDL_RENDER_DRIVER=") + forced};
    }
    const char* driver = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    const std::string video = driver ? Lower(driver) : "";
    if (video == "offscreen" || video == "dummy") return {true, "video driver " + video};
    const std::string gl = ProbeGlRenderer();
    if (gl.empty()) return {false, "OpenGL renderer unknown"};
    if (IsEmulatedGl(gl)) return {true, "OpenGL is emulated (" + gl + ")"};
    return {false, "OpenGL on " + gl};
}

}  // namespace tolarka::platform::sdl
