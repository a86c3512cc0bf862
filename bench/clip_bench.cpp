// Prints what playing a clip costs in the game against what decoding it costs: the CPU time per
// second of playback of the game's own loop (decoder thread, upload, drawing, presenting) on a
// screen like the game's, divided by the CPU time per second of clip that
// `ffmpeg -threads 1 -i CLIP -f null -` needs for the same file. Runs alternate (ffmpeg, game,
// ffmpeg, game, ...) and the ratio is printed as min / median / max.
// A 640 x 480 clip plays full screen over the game screen (as the animation screen does); a
// smaller one in the studio clip's place on the game screen.
// Run it under X (Xvfb works) with SDL_AUDIODRIVER=dummy:
//   clip_bench [--runs N] [--fullscreen] CLIP.avi...
// SDL_RENDER_DRIVER=software or =opengl overrides the game's own choice of renderer.
#include <SDL.h>
#include <sys/wait.h>
#include <unistd.h>

extern "C" {
#include <libavformat/avformat.h>
}

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_stats.h"
#include "bench/game_like.h"
#include "media/game_pictures.h"
#include "platform/runtime.h"
#include "platform/sdl/sdl_backend.h"

namespace {

using namespace tolarka;

struct ClipInfo {
    int width = 0, height = 0;
    double seconds = 0;
};

ClipInfo Probe(const std::string& path) {
    ClipInfo info;
    AVFormatContext* ctx = nullptr;
    if (avformat_open_input(&ctx, path.c_str(), nullptr, nullptr) != 0) return info;
    if (avformat_find_stream_info(ctx, nullptr) >= 0) {
        const int v = av_find_best_stream(ctx, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        if (v >= 0) {
            info.width = ctx->streams[v]->codecpar->width;
            info.height = ctx->streams[v]->codecpar->height;
        }
        info.seconds = ctx->duration > 0 ? static_cast<double>(ctx->duration) / AV_TIME_BASE : 0;
    }
    avformat_close_input(&ctx);
    return info;
}

// CPU seconds ffmpeg needs to decode the whole clip once on one thread, amortised over ten
// passes (its own start-up and probing would count for a lot in a clip of a few seconds);
// negative without ffmpeg.
constexpr int kPasses = 10;
double FfmpegSeconds(const std::string& path) {
    const double before = bench::CpuSeconds(RUSAGE_CHILDREN);
    const pid_t pid = fork();
    if (pid == 0) {
        const std::string loops = std::to_string(kPasses - 1);
        execlp("ffmpeg", "ffmpeg", "-nostdin", "-v", "quiet", "-threads", "1", "-stream_loop", loops.c_str(),
               "-i", path.c_str(), "-f", "null", "-", static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return (bench::CpuSeconds(RUSAGE_CHILDREN) - before) / kPasses;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 5;
    bool fullscreen = false;
    std::vector<std::string> clips;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (a == "--fullscreen") {
            fullscreen = true;
        } else {
            clips.push_back(a);
        }
    }
    if (clips.empty()) {
        std::fprintf(stderr, "usage: clip_bench [--runs N] [--fullscreen] CLIP.avi...\n");
        return 2;
    }
    platform::UsePictures(&media::GamePictures());
    platform::sdl::SdlBackend backend(fullscreen, platform::sdl::LinkedClips());
    platform::Runtime rt(backend);
    bench::GameLike game(rt);
    bench::ClipLike anim(rt);
    game.Show();
    anim.Load();
    rt.RunUntil(rt.Now() + 500);
    int ow = 0, oh = 0;
    SDL_GetRendererOutputSize(backend.Target(), &ow, &oh);
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(backend.Target(), &info);
    std::printf("renderer %s, output %d x %d (scale %.2f)\n", info.name, ow, oh, backend.View().scale);
    bench::PrintHeader();
    for (const std::string& clip : clips) {
        const ClipInfo c = Probe(clip);
        if (c.seconds <= 0) {
            std::fprintf(stderr, "%s: not a clip\n", clip.c_str());
            continue;
        }
        const bool full = c.width >= 640;
        platform::MediaView* view = full ? anim.WMP : game.WMPfade;
        if (full) anim.Show();
        rt.RunUntil(rt.Now() + 300);
        std::vector<double> ratios, game_cost, ffmpeg_cost;
        for (int run = 0; run < runs; ++run) {
            const double decode = FfmpegSeconds(clip);
            view->SetFile(clip);
            view->Play();
            const double cpu0 = bench::CpuSeconds();
            const platform::Millis t0 = rt.Now();
            rt.RunUntil(t0 + static_cast<platform::Millis>(c.seconds * 1000));
            const double played = (rt.Now() - t0) / 1000.0;
            const double cost = (bench::CpuSeconds() - cpu0) / played;
            view->Stop();
            game_cost.push_back(cost);
            if (decode > 0) {
                ffmpeg_cost.push_back(decode / c.seconds);
                ratios.push_back(cost / (decode / c.seconds));
            }
        }
        if (full) anim.Close();
        std::printf("%s (%d x %d, %.1f s)\n", clip.c_str(), c.width, c.height, c.seconds);
        bench::PrintSpread("  game: CPU-s per second of playback", bench::SpreadOf(game_cost), "s/s");
        if (!ratios.empty()) {
            bench::PrintSpread("  ffmpeg -threads 1 -f null, 10 passes: CPU-s per clip-s",
                               bench::SpreadOf(ffmpeg_cost), "s/s");
            bench::PrintSpread("  ratio game / ffmpeg", bench::SpreadOf(ratios), "x");
        } else {
            std::printf("  (no ffmpeg in PATH: no anchor)\n");
        }
    }
    return 0;
}
