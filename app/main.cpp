// Tolarka: starts the real backend and the first screen.
#include <SDL.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "app/app.h"
#include "platform/sdl/sdl_backend.h"

namespace {

// The program's directory, without a trailing separator.
std::string ProgramDirectory(const char* argv0) {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) exe = std::filesystem::absolute(argv0, ec);
    return exe.parent_path().string();
}

}  // namespace

int main(int argc, char** argv) {
    // The whole command line as one text: only exactly "no_fullscreen" keeps the window (the
    // splash switches the display).
    std::string commandLine;
    for (int i = 1; i < argc; ++i) commandLine += (i > 1 ? " " : "") + std::string(argv[i]);
    try {
        tolarka::platform::sdl::SdlBackend backend;
        tolarka::platform::Runtime runtime(backend);
        tolarka::App app(runtime, ProgramDirectory(argc > 0 ? argv[0] : "tolarka"), commandLine);
        try {
            app.Start();
            runtime.Run();
        } catch (const tolarka::platform::ProgramEnded&) {
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Tolarka: %s\n", e.what());
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Tolarka", e.what(), nullptr);
        return 1;
    }
    return 0;
}
