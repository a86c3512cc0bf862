// Prints what drawing costs at the output's own resolution: a full game screen at 1x and at the
// scales of 1920 x 1080 (2.25) and 3840 x 2160 (4.5) screens, cold (pictures and texts drawn
// for the first time) and warm; redrawing only a studio clip's rectangle; and every picture of
// the game drawn at those scales at run time (time, memory), against carrying them as PNG files
// made at build time (bytes added to the program).
//   draw_bench [runs]
#include <SDL.h>
#include <SDL_image.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_stats.h"
#include "bench/game_like.h"
#include "media/picture_catalogue.h"
#include "platform/headless/headless_backend.h"
#include "platform/runtime.h"
#include "platform/screen.h"
#include "platform/sdl/picture_raster.h"
#include "platform/sdl/renderer.h"
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
        if (IMG_SavePNG(s.get(), tmp.c_str()) == 0)
            png += static_cast<double>(std::filesystem::file_size(tmp));
    }
    std::filesystem::remove(tmp);
    std::printf("all %zu pictures at %.2fx: drawn in %.0f ms, %.1f MiB as textures, %.1f MiB as PNG files\n",
                kept.size(), scale, ms, bytes / 1048576.0, png / 1048576.0);
}

}  // namespace

int main(int argc, char** argv) {
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
