// Prints what the game costs while nothing happens, against a bare SDL program: the CPU time of
// a bare window that only waits for events, and of the game's loop showing a still screen (a
// game screen with a question, no sound), each for the same seconds in a process of its own,
// runs alternating; and the resident memory with the screen up. With a program directory the
// real main menu is measured as well (its music playing, as the player finds it).
// Run it under X (Xvfb works), with SDL_AUDIODRIVER=dummy for the silent figures:
//   idle_bench [--runs N] [--seconds S] [--fullscreen] [PROGRAM_DIR]
#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/app.h"
#include "bench/bench_stats.h"
#include "bench/game_like.h"
#include "bench/in_child.h"
#include "platform/runtime.h"
#include "platform/sdl/renderer_choice.h"
#include "platform/sdl/sdl_backend.h"
#include "startup/frm_menu.h"

namespace {

using namespace tolarka;

struct Measured {
    double cpu = -1;  // CPU seconds of the idle period alone (start-up not counted)
    double mib = 0;   // resident memory at its start
};

Measured IdleFor(double seconds, const std::function<void(Uint32)>& wait) {
    Measured m;
    m.mib = bench::ResidentMiB();
    const double cpu0 = bench::CpuSeconds();
    wait(static_cast<Uint32>(seconds * 1000));
    m.cpu = bench::CpuSeconds() - cpu0;
    return m;
}

Measured BareWindow(double seconds, bool fullscreen) {
    const auto choice = platform::sdl::ChooseRenderer();
    if (choice.software) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_Init(SDL_INIT_VIDEO);
    SDL_Window* w = SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 480,
                                     fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    SDL_Renderer* r =
        SDL_CreateRenderer(w, -1, choice.software ? SDL_RENDERER_SOFTWARE : SDL_RENDERER_ACCELERATED);
    SDL_RenderClear(r);
    SDL_RenderPresent(r);
    return IdleFor(seconds, [](Uint32 ms) {
        const Uint32 end = SDL_GetTicks() + ms;
        SDL_Event e;
        for (Uint32 now = SDL_GetTicks(); now < end; now = SDL_GetTicks())
            SDL_WaitEventTimeout(&e, static_cast<int>(end - now));
    });
}

Measured GameScreen(double seconds, bool fullscreen, const std::string& programDir) {
    platform::sdl::SdlBackend backend(fullscreen);
    platform::Runtime rt(backend);
    std::unique_ptr<App> app;
    std::unique_ptr<bench::GameLike> game;
    if (programDir.empty()) {
        game = std::make_unique<bench::GameLike>(rt);
        game->Show();
    } else {
        app = std::make_unique<App>(rt, programDir, fullscreen ? "" : "no_fullscreen");
        app->Menu().Show();
    }
    rt.RunUntil(rt.Now() + 1500);
    return IdleFor(seconds, [&rt](Uint32 ms) { rt.RunUntil(rt.Now() + ms); });
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 5;
    double seconds = 5;
    bool fullscreen = false;
    std::string programDir;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (a == "--seconds" && i + 1 < argc) {
            seconds = std::max(1.0, std::atof(argv[++i]));
        } else if (a == "--fullscreen") {
            fullscreen = true;
        } else {
            programDir = a;
        }
    }
    std::vector<double> bare, silent, menu, ratioSilent, ratioMenu, mibSilent, mibMenu;
    for (int run = 0; run < runs; ++run) {
        const Measured b = tolarka::bench::InChild<Measured>([&] { return BareWindow(seconds, fullscreen); });
        const Measured g =
            tolarka::bench::InChild<Measured>([&] { return GameScreen(seconds, fullscreen, ""); });
        if (b.cpu < 0 || g.cpu < 0) {
            std::fprintf(stderr, "a run failed\n");
            return 1;
        }
        bare.push_back(b.cpu);
        silent.push_back(g.cpu);
        mibSilent.push_back(g.mib);
        if (b.cpu > 0) ratioSilent.push_back(g.cpu / b.cpu);
        if (!programDir.empty()) {
            const Measured m = tolarka::bench::InChild<Measured>(
                [&] { return GameScreen(seconds, fullscreen, programDir); });
            if (m.cpu >= 0) {
                menu.push_back(m.cpu);
                mibMenu.push_back(m.mib);
                if (b.cpu > 0) ratioMenu.push_back(m.cpu / b.cpu);
            }
        }
    }
    std::printf("CPU of %.0f s idle (start-up not counted), %d runs each, alternating\n", seconds, runs);
    bench::PrintHeader();
    const auto percent = [seconds](std::vector<double> v) {
        for (auto& x : v) x = x / seconds * 100;
        return bench::SpreadOf(v);
    };
    bench::PrintSpread("bare SDL window: CPU", percent(bare), "% of a core");
    bench::PrintSpread("game, still screen: CPU", percent(silent), "% of a core");
    bench::PrintSpread("  ratio to the bare window (target <= 3)", bench::SpreadOf(ratioSilent), "x");
    bench::PrintSpread("game, still screen: resident memory", bench::SpreadOf(mibSilent), "MiB");
    if (!menu.empty()) {
        bench::PrintSpread("game, main menu: CPU", percent(menu), "% of a core");
        bench::PrintSpread("  ratio to the bare window", bench::SpreadOf(ratioMenu), "x");
        bench::PrintSpread("game, main menu: resident memory (target <= 60)", bench::SpreadOf(mibMenu),
                           "MiB");
    }
    return 0;
}
