// Prints what the game costs while nothing happens, against a bare SDL program: the CPU time of
// a bare window that only waits for events, and of the game's loop showing a still screen (a
// game screen with a question, no sound), each for the same seconds in a process of its own,
// runs alternating; and the resident memory with the screen up. With a program directory the
// real main menu is measured as well (its music playing, as the player finds it).
// Run it under X (Xvfb works), with SDL_AUDIODRIVER=dummy for the silent figures:
//   idle_bench [--runs N] [--seconds S] [--fullscreen] [PROGRAM_DIR]
// With --startup BUILD_DIR it times exec -> first frame instead: the game (BUILD_DIR/tolarka,
// its data beside it) against bare_frame, a bare SDL program, and bare_frame_ffmpeg, the same
// linked with FFmpeg; each ended at its first frame by BUILD_DIR/bench/libfirst_frame_exit.so,
// which also reports the shared libraries mapped and the memory held at that moment; the CPU
// time each process used until then is printed too (steadier than wall time on a busy machine).
#include <SDL.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/app.h"
#include "bench/bench_stats.h"
#include "bench/game_like.h"
#include "bench/in_child.h"
#include "media/game_pictures.h"
#include "platform/runtime.h"
#include "platform/sdl/renderer_choice.h"
#include "platform/sdl/sdl_backend.h"
#include "startup/frm_menu.h"

namespace {

using namespace tolarka;

struct Measured {
    double cpu = -1;  // CPU seconds of the idle period alone (start-up not counted)
    double mib = 0;   // resident memory at its start
    double peak = 0;  // the most resident memory until then
};

Measured IdleFor(double seconds, const std::function<void(Uint32)>& wait) {
    Measured m;
    m.mib = bench::ResidentMiB();
    m.peak = bench::PeakMiB();
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
    platform::UsePictures(&media::GamePictures());
    platform::sdl::SdlBackend backend(fullscreen, platform::sdl::LinkedClips());
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

// One start: exec -> first frame (wall), and what the process held then.
struct Start {
    double ms = -1;
    double cpuMs = 0;  // the process's own CPU time until then (and its children's it waited for)
    double libraries = 0, rssMiB = 0, peakMiB = 0, fileMiB = 0, anonMiB = 0;
};

Start TimeStart(const std::string& program, const std::string& shim, const std::vector<std::string>& args) {
    int fds[2];
    if (pipe(fds) != 0) return {};
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        setenv("LD_PRELOAD", shim.c_str(), 1);
        setenv("FIRST_FRAME_FD", std::to_string(fds[1]).c_str(), 1);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(fds[1]);
    // The clock stops at the report's line, not at the end of the pipe: a process the program
    // left running in the background keeps the pipe open.
    std::string report;
    char buf[256];
    for (ssize_t n; report.find('\n') == std::string::npos && (n = read(fds[0], buf, sizeof buf)) > 0;)
        report.append(buf, static_cast<size_t>(n));
    Start s;
    s.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    close(fds[0]);
    int status = 0;
    rusage used{};
    wait4(pid, &status, 0, &used);
    s.cpuMs = (used.ru_utime.tv_sec + used.ru_stime.tv_sec) * 1e3 +
              (used.ru_utime.tv_usec + used.ru_stime.tv_usec) / 1e3;
    long libs = 0, rss = 0, hwm = 0, file = 0, anon = 0;
    if (std::sscanf(report.c_str(), "%ld %ld %ld %ld %ld", &libs, &rss, &hwm, &file, &anon) != 5) return {};
    s.libraries = static_cast<double>(libs);
    s.rssMiB = rss / 1024.0;
    s.peakMiB = hwm / 1024.0;
    s.fileMiB = file / 1024.0;
    s.anonMiB = anon / 1024.0;
    return s;
}

int StartupMain(const std::string& build, int runs) {
    const std::string shim = build + "/bench/libfirst_frame_exit.so";
    struct Program {
        const char* what;
        std::string path;
        std::vector<std::string> args;
        std::vector<Start> starts;
    };
    std::vector<Program> programs{
        {"bare SDL program", build + "/bench/bare_frame", {}, {}},
        {"bare SDL program linked with FFmpeg", build + "/bench/bare_frame_ffmpeg", {}, {}},
        {"game (no_fullscreen)", build + "/tolarka", {"no_fullscreen"}, {}}};
    for (int run = 0; run < runs; ++run) {
        for (auto& p : programs) p.starts.push_back(TimeStart(p.path, shim, p.args));
    }
    std::printf("exec -> first frame, %d runs each, alternating\n", runs);
    bench::PrintHeader();
    std::vector<double> bareMs;
    for (const auto& s : programs.front().starts) bareMs.push_back(s.ms);
    for (const auto& p : programs) {
        std::vector<double> ms, ratio, cpu, cpuRatio, libs, rss, file, anon;
        for (size_t i = 0; i < p.starts.size(); ++i) {
            const Start& s = p.starts[i];
            if (s.ms < 0) continue;
            ms.push_back(s.ms);
            cpu.push_back(s.cpuMs);
            if (programs.front().starts[i].cpuMs > 0)
                cpuRatio.push_back(s.cpuMs / programs.front().starts[i].cpuMs);
            if (bareMs[i] > 0) ratio.push_back(s.ms / bareMs[i]);
            libs.push_back(s.libraries);
            rss.push_back(s.rssMiB);
            file.push_back(s.fileMiB);
            anon.push_back(s.anonMiB);
        }
        std::printf("%s\n", p.what);
        bench::PrintSpread("  exec -> first frame", bench::SpreadOf(ms), "ms");
        bench::PrintSpread("    ratio to the bare program", bench::SpreadOf(ratio), "x");
        bench::PrintSpread("  CPU time until then", bench::SpreadOf(cpu), "ms");
        bench::PrintSpread("    ratio to the bare program", bench::SpreadOf(cpuRatio), "x");
        bench::PrintSpread("  shared libraries mapped", bench::SpreadOf(libs), "");
        bench::PrintSpread("  resident memory", bench::SpreadOf(rss), "MiB");
        bench::PrintSpread("    of it mapped files (libraries)", bench::SpreadOf(file), "MiB");
        bench::PrintSpread("    of it the program's own", bench::SpreadOf(anon), "MiB");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--startup") {
        const int runs = argc > 4 && std::string(argv[3]) == "--runs" ? std::max(1, std::atoi(argv[4])) : 5;
        return StartupMain(argv[2], runs);
    }
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
    std::vector<double> bare, silent, menu, ratioSilent, ratioMenu, mibSilent, mibMenu, peakBare, peakMenu,
        ratioPeak;
    for (int run = 0; run < runs; ++run) {
        const Measured b = tolarka::bench::InChild<Measured>([&] { return BareWindow(seconds, fullscreen); });
        const Measured g =
            tolarka::bench::InChild<Measured>([&] { return GameScreen(seconds, fullscreen, ""); });
        if (b.cpu < 0 || g.cpu < 0) {
            std::fprintf(stderr, "a run failed\n");
            return 1;
        }
        bare.push_back(b.cpu);
        peakBare.push_back(b.peak);
        silent.push_back(g.cpu);
        mibSilent.push_back(g.mib);
        if (b.cpu > 0) ratioSilent.push_back(g.cpu / b.cpu);
        if (!programDir.empty()) {
            const Measured m = tolarka::bench::InChild<Measured>(
                [&] { return GameScreen(seconds, fullscreen, programDir); });
            if (m.cpu >= 0) {
                menu.push_back(m.cpu);
                mibMenu.push_back(m.mib);
                peakMenu.push_back(m.peak);
                if (b.peak > 0) ratioPeak.push_back(m.peak / b.peak);
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
        bench::PrintSpread("bare SDL window: peak memory", bench::SpreadOf(peakBare), "MiB");
        bench::PrintSpread("game, main menu: peak memory", bench::SpreadOf(peakMenu), "MiB");
        bench::PrintSpread("  ratio to the bare window (target <= 2)", bench::SpreadOf(ratioPeak), "x");
    }
    return 0;
}
