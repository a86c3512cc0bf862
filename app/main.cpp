// Tolarka: reads the command line, finds the data and the player's directories, starts the
// real backend and the first screen.
#include <SDL.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/command_line.h"
#include "app/game_paths.h"
#include "app/program_environment.h"
#include "platform/sdl/sdl_backend.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const tolarka::StartRequest request = tolarka::ReadCommandLine(args);
    const tolarka::GamePaths paths =
        tolarka::ResolveGamePaths({tolarka::ProgramDirectory(argc > 0 ? argv[0] : "tolarka"),
                                   TOLARKA_DATA_FROM_PROGRAM, tolarka::PlayerDataDirectory()});
    switch (request.Action) {
        case tolarka::StartAction::Help: std::fputs(tolarka::HelpText(paths).c_str(), stdout); return 0;
        case tolarka::StartAction::Version: std::puts(tolarka::VersionText().c_str()); return 0;
        case tolarka::StartAction::Play: break;
    }
    for (const std::string& option : request.Ignored)
        std::fprintf(stderr, "tolarka: neznámou volbu %s hra přeskočí (nápověda: tolarka --help)\n",
                     option.c_str());
    if (const std::string missing = tolarka::MissingDisplay(); !missing.empty()) {
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
