#include <SDL.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "app/game_paths.h"
#include "app/program_environment.h"
#include "io/file_io_system.h"

namespace tolarka {

namespace fs = std::filesystem;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The program's directory, without a trailing separator.
fs::path ProgramDirectory(const char* argv0) {
    if (fs::path dir = file_system::ProgramFolder(); !dir.empty()) return dir;
    std::error_code ec;
    return fs::absolute(argv0, ec).parent_path();
}

// Under $XDG_DATA_HOME, else under $HOME or the account's home directory.
fs::path PlayerDataDirectory() {
    std::string home = Environment("HOME");
    if (home.empty()) {
        if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) home = pw->pw_dir;
    }
    return PlayerDirectory(Environment("XDG_DATA_HOME"), home);
}

// Why no window can be shown, or nothing when one can. SDL falls back to an invisible window
// when there is no display, and the game must not run unseen; a driver asked for by name (the
// tests' offscreen one) is respected. Without any desktop session only the console (kmsdrm)
// is tried, so that no other driver's probe prints its own complaints. A desktop's video, once
// found, stays started for the game's window (starting it costs tens of milliseconds).
std::string MissingDisplay() {
    if (const std::string asked = Environment("SDL_VIDEODRIVER"); !asked.empty()) {
        if (SDL_VideoInit(nullptr) != 0)
            return "ovladač obrazovky " + asked + " (SDL_VIDEODRIVER) není k dispozici";
        SDL_VideoQuit();
        return {};
    }
    if (Environment("DISPLAY").empty() && Environment("WAYLAND_DISPLAY").empty()) {
        if (SDL_VideoInit("kmsdrm") != 0)
            return "není k dispozici žádná obrazovka (DISPLAY ani WAYLAND_DISPLAY)";
        SDL_VideoQuit();
        setenv("SDL_VIDEODRIVER", "kmsdrm", 1);
        return {};
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return SDL_GetError();
    const char* driver = SDL_GetCurrentVideoDriver();
    const std::string_view name = driver ? driver : "";
    if (name.empty() || name == "offscreen" || name == "dummy") {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return "není k dispozici žádná obrazovka (DISPLAY ani WAYLAND_DISPLAY)";
    }
    return {};
}

bool KeepsFilesInProgramFolder() { return true; }

void PrintToUser(const std::string& text) { std::fputs(text.c_str(), stdout); }

}  // namespace tolarka
