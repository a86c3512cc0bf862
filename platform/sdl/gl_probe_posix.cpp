#include <SDL.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "io/file_io.h"
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

// Where the answer for this user, machine and display is kept: the user's cache directory.
std::filesystem::path RememberedPath() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    std::filesystem::path dir;
    if (cache && *cache == '/') {
        dir = cache;
    } else if (home && *home == '/') {
        dir = std::filesystem::path(home) / ".cache";
    } else {
        return {};
    }
    const char* display = std::getenv("WAYLAND_DISPLAY");
    if (!display || !*display) display = std::getenv("DISPLAY");
    std::array<char, 256> host{};
    if (gethostname(host.data(), host.size() - 1) != 0) host[0] = 0;
    std::string key = std::string(host.data()) + "-" + (display ? display : "");
    for (auto& c : key) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '.') c = '_';
    }
    return dir / "tolarka" / ("renderer-" + key);
}

// The remembered name, or nothing when there is none (a file of another form counts as none).
bool Recall(const std::filesystem::path& path, std::string& name) {
    if (path.empty()) return false;
    const auto bytes = ReadLeadingBytes(path, 512);
    if (!bytes) return false;
    const std::string text(bytes->begin(), bytes->end());
    const size_t end = text.find('\n');
    if (text.rfind("gl:", 0) != 0 || end == std::string::npos) return false;
    name = text.substr(3, end - 3);
    return true;
}

void Remember(const std::filesystem::path& path, const std::string& name) {
    if (path.empty()) return;
    const std::string line = "gl:" + name + "\n";
    ReplaceFile(path, {reinterpret_cast<const unsigned char*>(line.data()), line.size()});
}

// Asks OpenGL again in a detached, low-priority process, for the next start: the game does not
// wait for it.
void RefreshInBackground(const std::filesystem::path& path) {
    const pid_t pid = fork();
    if (pid < 0) return;
    if (pid == 0) {
        if (fork() == 0) {
            setpriority(PRIO_PROCESS, 0, 19);
            const int null = open("/dev/null", O_RDWR);
            if (null >= 0) {
                dup2(null, 0);
                dup2(null, 1);
                dup2(null, 2);
            }
            // A probe that found no answer (the display went away, the machine was too busy)
            // leaves the last one standing.
            if (const std::string name = ProbeGlRenderer(); !name.empty()) Remember(path, name);
            _exit(0);
        }
        _exit(0);
    }
    waitpid(pid, nullptr, 0);
}

}  // namespace

GlRendererName RememberedGlRenderer() {
    const std::filesystem::path path = RememberedPath();
    if (std::string name; Recall(path, name)) {
        RefreshInBackground(path);
        return {name, true};
    }
    std::string name = ProbeGlRenderer();
    if (!name.empty()) Remember(path, name);
    return {name, false};
}

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
