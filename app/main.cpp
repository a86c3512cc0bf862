// Tolarka: reads the command line, finds the data and the player's directories, starts the
// real backend and the first screen.
#include <SDL.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/app.h"
#include "app/command_line.h"
#include "app/game_paths.h"
#include "platform/sdl/sdl_backend.h"

namespace {

// The program's directory, without a trailing separator.
std::filesystem::path ProgramDirectory(const char* argv0) {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) exe = std::filesystem::absolute(argv0, ec);
    return exe.parent_path();
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// $HOME, else the account's home directory.
std::string HomeDirectory() {
    std::string home = Environment("HOME");
    if (home.empty()) {
        if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) home = pw->pw_dir;
    }
    return home;
}

// Why no window can be shown, or nothing when one can. SDL falls back to an invisible window
// when there is no display, and the game must not run unseen; a driver asked for by name (the
// tests' offscreen one) is respected. Without any desktop session only the console (kmsdrm)
// is tried, so that no other driver's probe prints its own complaints.
std::string MissingDisplay() {
    if (!Environment("SDL_VIDEODRIVER").empty()) return {};
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
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (name.empty() || name == "offscreen" || name == "dummy")
        return "není k dispozici žádná obrazovka (DISPLAY ani WAYLAND_DISPLAY)";
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const tolarka::StartRequest request = tolarka::ReadCommandLine(args);
    const tolarka::GamePaths paths =
        tolarka::ResolveGamePaths({ProgramDirectory(argc > 0 ? argv[0] : "tolarka"),
                                   TOLARKA_DATA_FROM_PROGRAM, Environment("XDG_DATA_HOME"), HomeDirectory()});
    switch (request.Action) {
        case tolarka::StartAction::Help: std::fputs(tolarka::HelpText(paths).c_str(), stdout); return 0;
        case tolarka::StartAction::Version: std::puts(tolarka::VersionText().c_str()); return 0;
        case tolarka::StartAction::Play: break;
    }
    for (const std::string& option : request.Ignored)
        std::fprintf(stderr, "tolarka: neznámou volbu %s hra přeskočí (nápověda: tolarka --help)\n",
                     option.c_str());
    if (const std::string missing = MissingDisplay(); !missing.empty()) {
        std::fprintf(stderr, "tolarka: nelze otevřít okno hry: %s\n", missing.c_str());
        return 1;
    }
    try {
        tolarka::platform::sdl::SdlBackend backend;
        tolarka::platform::Runtime runtime(backend);
        tolarka::App app(runtime, paths, request.CommandLine);
        try {
            app.Start();
            runtime.Run();
        } catch (const tolarka::platform::ProgramEnded&) {
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tolarka: %s\n", e.what());
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Tolarka", e.what(), nullptr);
        return 1;
    }
    return 0;
}
