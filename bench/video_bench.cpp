// Prints what clip playback costs at the game's screen size: opening a clip, decoding a frame,
// uploading and drawing it, and the CPU share of playing a clip in real time.
// Usage: video_bench [clip.avi ...]   (without arguments it makes 640 x 480 clips of its own)
#include <SDL.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/sdl/sdl_media.h"
#include "platform/sdl/video_clip_writer.h"
#include "platform/sdl/video_decoder.h"

namespace {

using namespace tolarka::platform;
using namespace tolarka::platform::sdl;
using Seconds = std::chrono::duration<double>;

class SteadyClock final : public Clock {
public:
    Millis Now() const override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                     start_)
            .count();
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A moving gradient with a bright square: enough motion to keep the encoder and decoder busy.
void Paint(int index, std::uint8_t* rgb, int pitch, int width, int height) {
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = rgb + y * pitch;
        for (int x = 0; x < width; ++x) {
            const bool square = std::abs(x - (index * 7) % width) < 40 && std::abs(y - height / 2) < 40;
            row[3 * x] = square ? 255 : static_cast<std::uint8_t>(x + index * 3);
            row[3 * x + 1] = square ? 255 : static_cast<std::uint8_t>(y + index);
            row[3 * x + 2] = static_cast<std::uint8_t>((x ^ y) + index * 5);
        }
    }
}

void BenchDecode(const std::string& path) {
    // The first open of a codec also builds its tables; the second shows the usual cost.
    auto started = std::chrono::steady_clock::now();
    auto decoder = VideoDecoder::Open(path);
    const double first_open_ms = Seconds(std::chrono::steady_clock::now() - started).count() * 1000;
    started = std::chrono::steady_clock::now();
    decoder = VideoDecoder::Open(path);
    const double open_ms = Seconds(std::chrono::steady_clock::now() - started).count() * 1000;
    if (!decoder) {
        std::printf("%s: cannot be opened\n", path.c_str());
        return;
    }
    const Size size = decoder->FrameSize();
    const double cpu_before = CpuSeconds();
    started = std::chrono::steady_clock::now();
    int frames = 0;
    std::int64_t last_pts = 0;
    while (auto frame = decoder->Next()) {
        ++frames;
        last_pts = frame->pts_us + frame->duration_us;
    }
    const double wall = Seconds(std::chrono::steady_clock::now() - started).count();
    const double cpu = CpuSeconds() - cpu_before;
    std::printf("%s: %dx%d, %d frames, %.1f s of clip\n", path.c_str(), size.width, size.height, frames,
                static_cast<double>(last_pts) / 1e6);
    std::printf("  open (SetFile, UI thread)   %8.2f ms (first time %.2f ms)\n", open_ms, first_open_ms);
    if (frames > 0) {
        std::printf("  decode per frame            %8.2f ms wall, %.2f ms CPU\n", wall * 1000 / frames,
                    cpu * 1000 / frames);
    }
}

void BenchPlayback(const std::string& path) {
    SteadyClock clock;
    SdlMediaSystem media(clock);
    auto channel = media.CreateSdlChannel("bench");
    channel->SetFile(path);
    const Size size = channel->VideoSize();
    if (size.width == 0) return;
    struct SurfaceFreer {
        void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
    };
    struct RendererDestroyer {
        void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
    };
    std::unique_ptr<SDL_Surface, SurfaceFreer> surface(
        SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 32, SDL_PIXELFORMAT_ARGB8888));
    std::unique_ptr<SDL_Renderer, RendererDestroyer> renderer(SDL_CreateSoftwareRenderer(surface.get()));
    if (!renderer) return;
    const SDL_Rect dst{0, 0, size.width, size.height};

    const double cpu_before = CpuSeconds();
    const Millis start = clock.Now();
    channel->Play();
    int drawn = 0;
    double draw_seconds = 0;
    // Sleeps until the next frame is due, like the game's event loop.
    while (channel->ClipRunning() && clock.Now() - start < 10000) {
        if (channel->HasNewFrame()) {
            const auto t0 = std::chrono::steady_clock::now();
            channel->DrawFrame(renderer.get(), dst);
            draw_seconds += Seconds(std::chrono::steady_clock::now() - t0).count();
            ++drawn;
        }
        const auto due = channel->NextFrameDue();
        const Millis wait = due ? std::max<Millis>(0, *due - clock.Now()) : 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(wait));
    }
    const double wall = static_cast<double>(clock.Now() - start) / 1000;
    const double cpu = CpuSeconds() - cpu_before;
    channel.reset();
    std::printf("  real-time playback          %d frames drawn in %.1f s\n", drawn, wall);
    if (drawn > 0) {
        std::printf("  upload + draw per frame     %8.2f ms (software renderer)\n",
                    draw_seconds * 1000 / drawn);
    }
    std::printf("  CPU while playing           %8.1f %% of one core\n", wall > 0 ? 100 * cpu / wall : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
    SteadyClock quiet_clock;
    SdlMediaSystem media(quiet_clock);  // silences FFmpeg's log, as in the game
    std::vector<std::string> clips(argv + 1, argv + argc);
    const auto dir = std::filesystem::temp_directory_path() / "tolarka-video-bench";
    if (clips.empty()) {
        std::filesystem::create_directories(dir);
        for (const auto codec : {ClipCodec::kMpeg4, ClipCodec::kMjpeg}) {
            const ClipSpec clipSpec{640, 480, 25, 250, codec};
            const std::string path =
                (dir / (codec == ClipCodec::kMpeg4 ? "mpeg4.avi" : "mjpeg.avi")).string();
            const auto started = std::chrono::steady_clock::now();
            const bool ok = WriteAviClip(path, clipSpec, [&clipSpec](int i, std::uint8_t* rgb, int pitch) {
                Paint(i, rgb, pitch, clipSpec.width, clipSpec.height);
            });
            if (!ok) {
                std::printf("cannot write %s\n", path.c_str());
                return 1;
            }
            std::printf("made %s in %.1f s\n", path.c_str(),
                        Seconds(std::chrono::steady_clock::now() - started).count());
            clips.push_back(path);
        }
    }
    for (const std::string& clip : clips) {
        BenchDecode(clip);
        BenchPlayback(clip);
    }
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    return 0;
}
