// Prints what drawing costs at the output's own resolution: a full game screen at 1x and at the
// scales of 1920 x 1080 (2.25) and 3840 x 2160 (4.5) screens, cold (pictures and texts drawn
// for the first time) and warm; redrawing only a studio clip's rectangle; and every picture of
// the game drawn at those scales at run time (time, memory), against carrying them as PNG files
// made at build time (bytes added to the program).
//   draw_bench [runs]
// With --window (under X; Xvfb with a 3840 x 2160 screen holds every size) it measures the real
// window instead, at 640 x 480, 1920 x 1080 and 3840 x 2160, against a bare SDL program that
// draws and presents a frame the same way (the software renderer into the window's picture):
// a whole frame, a frame where one answer box changed, a key press to its pixels on the screen,
// and the peak memory. Every measurement is a process of its own, bare and game alternating.
//   draw_bench --window [--runs N]
#include <SDL.h>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_stats.h"
#include "bench/game_like.h"
#include "bench/in_child.h"
#include "media/game_pictures.h"
#include "media/picture_catalogue.h"
#include "platform/headless/headless_backend.h"
#include "platform/runtime.h"
#include "platform/screen.h"
#include "platform/sdl/picture_raster.h"
#include "platform/sdl/png_codec.h"
#include "platform/sdl/renderer.h"
#include "platform/sdl/renderer_choice.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_handles.h"

namespace {

using namespace tolarka;
using namespace tolarka::platform;
using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

void DrawCosts(bench::GameLike& screen, TextMetrics& metrics, double scale, int runs) {
    const int w = static_cast<int>(640 * scale + 0.5), h = static_cast<int>(480 * scale + 0.5);
    sdl::SurfacePtr target(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888));
    sdl::RendererPtr r(SDL_CreateSoftwareRenderer(target.get()));
    sdl::Renderer painter(r.get(), metrics);
    painter.SetView(sdl::OutputView{scale, 0, 0});
    const std::vector<const Screen*> screens{&screen};
    auto t0 = Clock::now();
    painter.Draw(screens);
    const double cold = MsSince(t0);
    std::vector<double> warm, clip;
    for (int i = 0; i < runs; ++i) {
        t0 = Clock::now();
        painter.Draw(screens);
        warm.push_back(MsSince(t0));
        t0 = Clock::now();
        painter.DrawRegion(screens, SDL_Rect{58, 21, 340, 192});
        clip.push_back(MsSince(t0));
    }
    char what[96];
    std::snprintf(what, sizeof what, "game screen at %.2fx (%dx%d), first draw", scale, w, h);
    bench::PrintSpread(what, {cold, cold, cold}, "ms");
    std::snprintf(what, sizeof what, "game screen at %.2fx, each later draw", scale);
    bench::PrintSpread(what, bench::SpreadOf(warm), "ms");
    std::snprintf(what, sizeof what, "studio clip rectangle at %.2fx, redrawn", scale);
    bench::PrintSpread(what, bench::SpreadOf(clip), "ms");
}

void PictureCosts(double scale) {
    const auto tmp = std::filesystem::temp_directory_path() / "tolarka-draw-bench.png";
    double bytes = 0, png = 0;
    const auto t0 = Clock::now();
    std::vector<sdl::SurfacePtr> kept;
    for (const auto& p : media::AllPictures()) {
        sdl::SurfacePtr s = sdl::PictureSurface(p.name, scale);
        if (!s) continue;
        bytes += static_cast<double>(s->w) * s->h * 4;
        kept.push_back(std::move(s));
    }
    const double ms = MsSince(t0);
    for (const auto& s : kept) {
        if (sdl::SavePng(s.get(), tmp.string())) png += static_cast<double>(std::filesystem::file_size(tmp));
    }
    std::filesystem::remove(tmp);
    std::printf("all %zu pictures at %.2fx: drawn in %.0f ms, %.1f MiB as textures, %.1f MiB as PNG files\n",
                kept.size(), scale, ms, bytes / 1048576.0, png / 1048576.0);
}

// CPU time of the calling thread alone: the other engineers' builds on this machine do not
// count, nor do SDL's or the sound's threads.
double ThreadMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Medians of one process's frames.
struct WindowFigures {
    double fullMs = -1;    // thread CPU of a whole frame drawn and presented
    double answerMs = -1;  // thread CPU of a frame where one answer box changed
    double keyMs = -1;     // wall time from a key event to its frame presented
    double peakMiB = 0;
};

constexpr int kFrames = 15;

void PushKey() {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = SDLK_a;
    e.key.keysym.scancode = SDL_SCANCODE_A;
    SDL_PushEvent(&e);
}

double WallMs() { return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count(); }

// A bare SDL program: the software renderer on a window of w x h, a frame is a 4:3 picture of
// one colour on black, presented whole.
WindowFigures BareWindow(int w, int h) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_Init(SDL_INIT_VIDEO);
    SDL_Window* win = SDL_CreateWindow("bare", 0, 0, w, h, SDL_WINDOW_BORDERLESS);
    SDL_Renderer* r = SDL_CreateRenderer(win, -1, SDL_RENDERER_SOFTWARE);
    const int pw = std::min(w, h * 4 / 3), ph = pw * 3 / 4;
    const SDL_Rect picture{(w - pw) / 2, (h - ph) / 2, pw, ph};
    int colour = 0;
    const auto frame = [&] {
        SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
        SDL_RenderClear(r);
        SDL_SetRenderDrawColor(r, 0, 0, static_cast<Uint8>(32 + (colour++ % 2) * 64), 255);
        SDL_RenderFillRect(r, &picture);
        SDL_RenderPresent(r);
    };
    SDL_Event e;
    for (int i = 0; i < 5; ++i) {
        frame();
        while (SDL_PollEvent(&e)) {
        }
        SDL_Delay(20);
    }
    std::vector<double> full, key;
    for (int i = 0; i < kFrames; ++i) {
        const double t0 = ThreadMs();
        frame();
        full.push_back(ThreadMs() - t0);
        SDL_Delay(5);
        PushKey();
        const double k0 = WallMs();
        while (SDL_PollEvent(&e)) {
            if (e.type == SDL_KEYDOWN) frame();
        }
        key.push_back(WallMs() - k0);
        SDL_Delay(5);
    }
    WindowFigures f;
    f.fullMs = bench::SpreadOf(full).median;
    f.answerMs = f.fullMs;  // the bare program has no smaller frame
    f.keyMs = bench::SpreadOf(key).median;
    f.peakMiB = bench::PeakMiB();
    return f;
}

// The game's backend and loop showing the game screen in a window of w x h; a key selects the
// next answer, as choosing an answer does.
struct KeyedGame : bench::GameLike {
    using GameLike::GameLike;
    int selected = 0;
    bool OnKeyDown(int) override {
        Select();
        return true;
    }
    void Select() {
        auto* old = static_cast<platform::Image*>(Find("imgOdp" + std::to_string(selected % 4)));
        old->SetPicture(std::string(1, static_cast<char>('A' + selected % 4)) + "-M");
        ++selected;
        auto* now = static_cast<platform::Image*>(Find("imgOdp" + std::to_string(selected % 4)));
        now->SetPicture(std::string(1, static_cast<char>('A' + selected % 4)) + "-O");
    }
    platform::Widget* Find(const std::string& name) {
        for (const auto& c : Form().Children())
            if (c->Name() == name) return c.get();
        return nullptr;
    }
};

WindowFigures GameWindow(int w, int h) {
    platform::sdl::SdlBackend backend;
    Runtime rt(backend);
    KeyedGame game(rt);
    game.Show();
    rt.RunUntil(rt.Now() + 200);
    SDL_SetWindowBordered(backend.Window(), SDL_FALSE);
    SDL_SetWindowPosition(backend.Window(), 0, 0);
    SDL_SetWindowSize(backend.Window(), w, h);
    rt.RunUntil(rt.Now() + 300);
    // Every picture and text made once, as they are after the screen's first appearance.
    for (int i = 0; i < 8; ++i) {
        game.Select();
        rt.DoEvents();
    }
    std::vector<double> full, answer, key;
    for (int i = 0; i < kFrames; ++i) {
        rt.MarkDirty();
        double t0 = ThreadMs();
        rt.DoEvents();
        full.push_back(ThreadMs() - t0);
        game.Select();
        t0 = ThreadMs();
        rt.DoEvents();
        answer.push_back(ThreadMs() - t0);
        SDL_Delay(5);
        PushKey();
        const double k0 = WallMs();
        rt.DoEvents();
        key.push_back(WallMs() - k0);
        SDL_Delay(5);
    }
    WindowFigures f;
    f.fullMs = bench::SpreadOf(full).median;
    f.answerMs = bench::SpreadOf(answer).median;
    f.keyMs = bench::SpreadOf(key).median;
    f.peakMiB = bench::PeakMiB();
    return f;
}

int WindowMain(int runs) {
    std::printf("renderer: %s\n", platform::sdl::ChooseRenderer().reason.c_str());
    for (auto [w, h] : {std::pair{640, 480}, {1920, 1080}, {3840, 2160}}) {
        std::vector<WindowFigures> bare, game;
        for (int run = 0; run < runs; ++run) {
            bare.push_back(bench::InChild<WindowFigures>([w, h] { return BareWindow(w, h); }));
            game.push_back(bench::InChild<WindowFigures>([w, h] { return GameWindow(w, h); }));
        }
        std::printf("window %d x %d, %d runs each, alternating (medians of %d frames per run)\n", w, h, runs,
                    kFrames);
        bench::PrintHeader();
        const auto column = [](const std::vector<WindowFigures>& v, double WindowFigures::*field) {
            std::vector<double> out;
            for (const auto& f : v) out.push_back(f.*field);
            return out;
        };
        const auto ratio = [&](double WindowFigures::*g, double WindowFigures::*b) {
            std::vector<double> out;
            for (size_t i = 0; i < bare.size(); ++i)
                if (bare[i].*b > 0) out.push_back(game[i].*g / (bare[i].*b));
            return bench::SpreadOf(out);
        };
        bench::PrintSpread("  bare: whole frame, thread CPU",
                           bench::SpreadOf(column(bare, &WindowFigures::fullMs)), "ms");
        bench::PrintSpread("  game: whole frame, thread CPU",
                           bench::SpreadOf(column(game, &WindowFigures::fullMs)), "ms");
        bench::PrintSpread("    ratio", ratio(&WindowFigures::fullMs, &WindowFigures::fullMs), "x");
        bench::PrintSpread("  game: one answer box changed, thread CPU",
                           bench::SpreadOf(column(game, &WindowFigures::answerMs)), "ms");
        bench::PrintSpread("    ratio to the bare whole frame",
                           ratio(&WindowFigures::answerMs, &WindowFigures::fullMs), "x");
        bench::PrintSpread("  bare: key to pixels, wall",
                           bench::SpreadOf(column(bare, &WindowFigures::keyMs)), "ms");
        bench::PrintSpread("  game: key to pixels, wall",
                           bench::SpreadOf(column(game, &WindowFigures::keyMs)), "ms");
        bench::PrintSpread("    ratio", ratio(&WindowFigures::keyMs, &WindowFigures::keyMs), "x");
        bench::PrintSpread("  bare: peak memory", bench::SpreadOf(column(bare, &WindowFigures::peakMiB)),
                           "MiB");
        bench::PrintSpread("  game: peak memory", bench::SpreadOf(column(game, &WindowFigures::peakMiB)),
                           "MiB");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    UsePictures(&media::GamePictures());
    if (argc > 1 && std::string(argv[1]) == "--window") {
        const int runs = argc > 3 && std::string(argv[2]) == "--runs" ? std::max(1, std::atoi(argv[3])) : 5;
        return WindowMain(runs);
    }
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 20;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return 1;
    }
    headless::HeadlessBackend backend;
    Runtime rt(backend);
    bench::GameLike screen(rt);
    screen.Show();
    rt.RunUntil(10);
    bench::PrintHeader();
    for (double scale : {1.0, 2.25, 4.5}) DrawCosts(screen, backend.Metrics(), scale, runs);
    for (double scale : {1.0, 2.25, 4.5}) PictureCosts(scale);
    SDL_Quit();
    return 0;
}
