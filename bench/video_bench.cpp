// Prints what clip playback costs: opening a clip, decoding a frame, showing the first frame of a
// stopped clip, uploading and drawing a frame, and the CPU time and memory used while a clip
// plays in real time.
// Usage: video_bench [clip.avi ...]   (without arguments it makes clips of its own at the game's
// two sizes, 640 x 480 and 340 x 192, 15 frames a second)
// Run it with SDL_AUDIODRIVER=dummy (or no sound card) so that only the clip is measured.
#include <SDL.h>
#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/sdl/sdl_handles.h"
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

// CPU seconds of the whole process (every thread) or of the calling thread only.
double CpuSeconds(int who = RUSAGE_SELF) {
    rusage usage{};
    getrusage(who, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Resident memory of the process, in KiB (0 when /proc cannot be read).
long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(1 << 16, '\n');
    }
    return 0;
}

// Bytes handed out by malloc, over every thread's arena (FFmpeg allocates through malloc too).
double HeapMiB() { return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0); }

// CPU share of the process while it does nothing (the sound device's thread, if any).
double IdleCpuShare() {
    const double before = CpuSeconds();
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    return CpuSeconds() - before;
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
    // What Stop costs the UI thread the first time: rewinding and decoding the first frame.
    // The median of a few tries, since one try on a busy machine says little.
    std::vector<double> first_ms;
    for (int i = 0; i < 7; ++i) {
        started = std::chrono::steady_clock::now();
        if (!decoder->Rewind() || !decoder->Next()) break;
        first_ms.push_back(Seconds(std::chrono::steady_clock::now() - started).count() * 1000);
    }
    decoder->Rewind();
    if (!first_ms.empty()) {
        std::nth_element(first_ms.begin(), first_ms.begin() + first_ms.size() / 2, first_ms.end());
        std::printf("  first frame (Stop, UI thread) %6.2f ms\n", first_ms[first_ms.size() / 2]);
    }
    if (frames > 0) {
        std::printf("  decode per frame            %8.2f ms wall, %.2f ms CPU\n", wall * 1000 / frames,
                    cpu * 1000 / frames);
    }
}

void BenchPlayback(const std::string& path) {
    SteadyClock clock;
    SdlMediaSystem media(clock, LinkedClips());
    sdl::SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 32, SDL_PIXELFORMAT_ARGB8888));
    sdl::RendererPtr renderer(SDL_CreateSoftwareRenderer(surface.get()));
    if (!renderer) return;

    // Memory is counted from before the file is opened: the decoder's context and its tables
    // belong to the clip too.
    const double idle = IdleCpuShare();
    const long rss_before = ResidentKiB();
    const double heap_before = HeapMiB();
    auto channel = media.CreateSdlChannel("bench");  // after the renderer: its texture goes first
    channel->SetFile(path);
    const Size size = channel->VideoSize();
    if (size.width == 0) return;
    const SDL_Rect dst{0, 0, size.width, size.height};
    long rss_peak = rss_before;
    double heap_peak = heap_before;
    const double cpu_before = CpuSeconds();
    const double main_before = CpuSeconds(RUSAGE_THREAD);
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
            rss_peak = std::max(rss_peak, ResidentKiB());
            heap_peak = std::max(heap_peak, HeapMiB());
        }
        const auto due = channel->NextFrameDue();
        const Millis wait = due ? std::max<Millis>(0, *due - clock.Now()) : 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(wait));
    }
    const double wall = static_cast<double>(clock.Now() - start) / 1000;
    const double cpu = CpuSeconds() - cpu_before - idle * wall;
    const double main_cpu = CpuSeconds(RUSAGE_THREAD) - main_before;
    channel.reset();
    std::printf("  real-time playback          %d frames drawn in %.1f s\n", drawn, wall);
    if (drawn > 0) {
        std::printf("  upload + draw per frame     %8.2f ms (software renderer)\n",
                    draw_seconds * 1000 / drawn);
    }
    if (wall > 0) {
        std::printf(
            "  CPU while playing           %8.1f %% of one core (%.2f s CPU in %.1f s; idle process %.1f %% "
            "taken off)\n",
            100 * cpu / wall, cpu, wall, 100 * idle);
        std::printf("    of which decoder thread   %8.1f %%, drawing thread %.1f %%\n",
                    100 * (cpu - main_cpu) / wall, 100 * main_cpu / wall);
    }
    // Heap is the figure to trust; resident memory reuses pages freed by the runs before.
    std::printf("  memory while playing        %8.1f MiB more heap (peak), %.1f MiB more resident (peak)\n",
                heap_peak - heap_before, static_cast<double>(rss_peak - rss_before) / 1024.0);
    std::printf("  after the channel is gone   %8.1f MiB more heap than before\n", HeapMiB() - heap_before);
}

}  // namespace

int main(int argc, char** argv) {
    SteadyClock quiet_clock;
    SdlMediaSystem media(quiet_clock, LinkedClips());  // silences FFmpeg's log, as in the game
    std::vector<std::string> clips(argv + 1, argv + argc);
    const auto dir = std::filesystem::temp_directory_path() / "tolarka-video-bench";
    if (clips.empty()) {
        std::filesystem::create_directories(dir);
        // The game's clips: MPEG-4 at 15 frames a second, full screen and studio-area sized;
        // the full-screen one also as MJPEG, which a replaced clip might be.
        const SampleClipFormat formats[] = {{640, 480, 15, 120, ClipCodec::kMpeg4},
                                            {340, 192, 15, 120, ClipCodec::kMpeg4},
                                            {640, 480, 15, 120, ClipCodec::kMjpeg}};
        for (const SampleClipFormat& clipFormat : formats) {
            const std::string path =
                (dir / ((clipFormat.codec == ClipCodec::kMpeg4 ? "mpeg4-" : "mjpeg-") +
                        std::to_string(clipFormat.width) + "x" + std::to_string(clipFormat.height) + ".avi"))
                    .string();
            const auto started = std::chrono::steady_clock::now();
            const bool ok =
                WriteAviClip(path, clipFormat, [&clipFormat](int i, std::uint8_t* rgb, int pitch) {
                    Paint(i, rgb, pitch, clipFormat.width, clipFormat.height);
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
