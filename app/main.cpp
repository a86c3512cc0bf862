// Tolarka: reads the command line, finds the data and the player's directories, starts the
// real backend and the first screen.
#include <SDL.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/command_line.h"
#include "app/game_paths.h"
#include "app/program_environment.h"
#include "media/game_pictures.h"
#include "platform/sdl/clip_library.h"
#include "platform/sdl/renderer_choice.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/window_manager.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const tolarka::StartRequest request = tolarka::ReadCommandLine(args);
    const std::filesystem::path programDir = tolarka::ProgramDirectory(argc > 0 ? argv[0] : "tolarka");
    const tolarka::GamePaths paths = tolarka::ResolveGamePaths(
        {programDir, TOLARKA_DATA_FROM_PROGRAM, tolarka::PlayerDataDirectory()}, tolarka::HoldsGameData,
        [](const std::filesystem::path& dir) {
            return tolarka::KeepsFilesInProgramFolder() && tolarka::AcceptsGameFiles(dir);
        });
    switch (request.Action) {
        case tolarka::StartAction::Help: tolarka::PrintToUser(tolarka::HelpText(paths)); return 0;
        case tolarka::StartAction::Version: tolarka::PrintToUser(tolarka::VersionText() + "\n"); return 0;
        case tolarka::StartAction::Play: break;
    }
    for (const std::string& option : request.Ignored)
        std::fprintf(stderr, "tolarka: neznámou volbu %s hra přeskočí (nápověda: tolarka --help)\n",
                     option.c_str());
    // Before SDL's video starts: without a session bus it would try to launch one, and the
    // renderer's probe runs in a process of its own that must not inherit a started SDL.
    tolarka::platform::sdl::SkipAbsentSessionBus();
    const tolarka::platform::sdl::RendererChoice renderer = tolarka::platform::sdl::ChooseRenderer();
    if (const std::string missing = tolarka::MissingDisplay(); !missing.empty()) {
        std::fprintf(stderr, "tolarka: nelze otevřít okno hry: %s\n", missing.c_str());
        return 1;
    }
    try {
        // The window takes its icon and pointer from the game's pictures.
        tolarka::platform::UsePictures(&tolarka::media::GamePictures());
        // The clip code beside the program (the build tree) or where the installed game keeps it.
        tolarka::platform::sdl::SdlBackend backend(
            false, renderer,
            tolarka::platform::sdl::GameClips({programDir, programDir / TOLARKA_CLIPS_FROM_PROGRAM}));
        tolarka::platform::Runtime runtime(backend);
        tolarka::App app(runtime, paths, request.CommandLine);
        try {
            app.Start();
            runtime.Run();
        } catch (const tolarka::platform::ProgramEnded&) {
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tolarka: %s\n", e.what());
        // The windowed Windows game has no console: the box is all a player sees of the fault.
        const std::string text = std::string("Hra musela skončit kvůli chybě:\n\n") + e.what() +
                                 "\n\nPokud se chyba opakuje, hru přeinstalujte.";
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Tolarka", text.c_str(), nullptr);
        return 1;
    }
    return 0;
}
