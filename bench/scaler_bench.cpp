// Prints what one frame of a 640 x 480 clip costs made into 32-bit pixels at the output's size,
// the ways the window's clip path can do it: with FFmpeg's scaler in one step into rows of its
// own then copied into the window, in one step straight into the window, the planes scaled
// first then converted straight into the window; converted at the clip's size by FFmpeg, then
// stretched into the window by the game's own bilinear stretch (as the game does); with no
// filtering at all for comparison. Thread CPU per frame, min / median / max over nine rounds of
// twenty frames, the ways alternating. No display needed.
//   scaler_bench
#include <time.h>

extern "C" {
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_stats.h"
#include "platform/sdl/pixel_stretch.h"

namespace {

double ThreadMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

AVFrame* Frame(int w, int h) {
    AVFrame* f = av_frame_alloc();
    f->width = w;
    f->height = h;
    f->format = AV_PIX_FMT_YUV420P;
    if (av_frame_get_buffer(f, 64) < 0) return nullptr;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) f->data[0][y * f->linesize[0] + x] = static_cast<uint8_t>(x * y);
    for (int y = 0; y < h / 2; ++y)
        for (int x = 0; x < w / 2; ++x) {
            f->data[1][y * f->linesize[1] + x] = static_cast<uint8_t>(x);
            f->data[2][y * f->linesize[2] + x] = static_cast<uint8_t>(y);
        }
    return f;
}

void Sizes(int w, int h) {
    AVFrame* clip = Frame(640, 480);
    AVFrame* planes = Frame(w, h);
    const int pitch = (w + w / 3) * 4;  // the window is wider than the 4:3 picture
    std::vector<uint8_t> window(static_cast<size_t>(pitch) * h + 64);
    const int rowsPitch = (w + 32) * 4;
    std::vector<uint8_t> rows(static_cast<size_t>(rowsPitch) * h + 64);
    const auto ctx = [](int sw, int sh, int dw, int dh, AVPixelFormat to, int flags) {
        return sws_getContext(sw, sh, AV_PIX_FMT_YUV420P, dw, dh, to, flags, nullptr, nullptr, nullptr);
    };
    SwsContext* oneStep = ctx(640, 480, w, h, AV_PIX_FMT_BGR0, SWS_BILINEAR);
    SwsContext* point = ctx(640, 480, w, h, AV_PIX_FMT_BGR0, SWS_POINT);
    SwsContext* resize = ctx(640, 480, w, h, AV_PIX_FMT_YUV420P, SWS_BILINEAR);
    SwsContext* convert = ctx(w, h, w, h, AV_PIX_FMT_BGR0, SWS_BILINEAR);
    SwsContext* convertSmall = ctx(640, 480, 640, 480, AV_PIX_FMT_BGR0, SWS_BILINEAR);
    const int smallPitch = (640 + 32) * 4;
    std::vector<uint8_t> small(static_cast<size_t>(smallPitch) * 480 + 64);
    uint8_t* smallRows[4] = {small.data(), nullptr, nullptr, nullptr};
    const int smallStrides[4] = {smallPitch, 0, 0, 0};
    tolarka::platform::sdl::PixelStretch stretch;
    uint8_t* into[4] = {window.data(), nullptr, nullptr, nullptr};
    const int intoPitch[4] = {pitch, 0, 0, 0};
    uint8_t* own[4] = {rows.data(), nullptr, nullptr, nullptr};
    const int ownPitch[4] = {rowsPitch, 0, 0, 0};
    struct Way {
        const char* what;
        std::function<void()> run;
        std::vector<double> ms;
    };
    std::vector<Way> ways{
        {"one step into rows of its own, copied",
         [&] {
             sws_scale(oneStep, clip->data, clip->linesize, 0, 480, own, ownPitch);
             for (int y = 0; y < h; ++y)
                 std::memcpy(window.data() + static_cast<size_t>(y) * pitch,
                             rows.data() + static_cast<size_t>(y) * rowsPitch, static_cast<size_t>(w) * 4);
         },
         {}},
        {"one step straight into the window",
         [&] { sws_scale(oneStep, clip->data, clip->linesize, 0, 480, into, intoPitch); },
         {}},
        {"planes scaled, then converted into the window",
         [&] {
             sws_scale(resize, clip->data, clip->linesize, 0, 480, planes->data, planes->linesize);
             sws_scale(convert, planes->data, planes->linesize, 0, h, into, intoPitch);
         },
         {}},
        {"converted at its size, then stretched (ours)",
         [&] {
             sws_scale(convertSmall, clip->data, clip->linesize, 0, 480, smallRows, smallStrides);
             stretch.Run(small.data(), 640, 480, smallPitch, window.data(), w, h, pitch);
         },
         {}},
        {"one step, no filtering",
         [&] { sws_scale(point, clip->data, clip->linesize, 0, 480, into, intoPitch); },
         {}},
    };
    for (int round = 0; round < 9; ++round) {
        for (auto& way : ways) {
            way.run();
            const double t0 = ThreadMs();
            for (int i = 0; i < 20; ++i) way.run();
            way.ms.push_back((ThreadMs() - t0) / 20);
        }
    }
    std::printf("640 x 480 to %d x %d, ms a frame\n", w, h);
    for (const auto& way : ways)
        tolarka::bench::PrintSpread(("  " + std::string(way.what)).c_str(), tolarka::bench::SpreadOf(way.ms),
                                    "ms");
    for (SwsContext* c : {oneStep, point, resize, convert, convertSmall}) sws_freeContext(c);
    av_frame_free(&clip);
    av_frame_free(&planes);
}

}  // namespace

int main() {
    tolarka::bench::PrintHeader();
    Sizes(1440, 1080);
    Sizes(2880, 2160);
    return 0;
}
