// Prints what sound costs while the player only listens, against bare SDL_mixer programs:
// - music: the game's sound device playing a looped WAV, the main thread waiting on events as the
//   game's does, against a bare SDL_mixer program playing the same file the same way;
// - silence: the game's sound device once nothing plays (closed after its grace time), against
//   a bare program that keeps an SDL_mixer device open and silent, and one with no device at all.
// Each figure is the CPU time and the wake-ups (context switches) of the measured seconds, in a
// process of its own, runs alternating; min/median/max over the runs.
// Usage: audio_idle_bench [--runs N] [--seconds S] [file.wav]   (default: sfx/menu.wav beside
// the game in the build directory). With SDL_AUDIODRIVER=dummy the mixer runs at real time
// without a sound card; with a real device (PulseAudio, PipeWire) the figures include its
// client library.
#include <SDL.h>
#include <SDL_mixer.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_stats.h"
#include "bench/in_child.h"
#include "platform/clock.h"
#include "platform/sdl/sdl_media.h"

namespace {

using namespace tolarka::platform;

struct Measured {
    double cpu = -1;      // CPU seconds of the measured period, every thread
    double wakeups = -1;  // voluntary context switches in it, every thread
};

// Voluntary context switches: each is a thread going to sleep after it woke, every thread of
// this process counted (ended ones too).
double Wakeups() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_nvcsw);
}

Measured Measure(double seconds, const std::function<void(Uint32)>& wait) {
    const double cpu0 = tolarka::bench::CpuSeconds(), wake0 = Wakeups();
    wait(static_cast<Uint32>(seconds * 1000));
    return {tolarka::bench::CpuSeconds() - cpu0, Wakeups() - wake0};
}

// Takes SDL events as they come, handing each to `handle`. Without a video driver that can block
// (X11), SDL_WaitEventTimeout polls every millisecond; sleeping 100 ms between polls keeps the
// main thread's own wake-ups (10 a second, the same in every series) out of the figures.
void WaitEvents(Uint32 ms, const std::function<void(const SDL_Event&)>& handle) {
    const Uint32 end = SDL_GetTicks() + ms;
    for (Uint32 now = SDL_GetTicks(); now < end; now = SDL_GetTicks()) {
        SDL_Delay(std::min<Uint32>(100, end - now));
        SDL_Event e;
        while (SDL_PollEvent(&e)) handle(e);
    }
}

class SteadyClock final : public Clock {
public:
    Millis Now() const override { return static_cast<Millis>(SDL_GetTicks64()); }
};

// A bare SDL_mixer program: the device opened as the game opens it; `file` looped on a channel
// (or nothing played when it is empty).
Measured BareMixer(double seconds, const std::string& file, bool openDevice) {
    SDL_Init(SDL_INIT_AUDIO | SDL_INIT_EVENTS);
    if (openDevice && Mix_OpenAudioDevice(44100, AUDIO_S16SYS, 2, 2048, nullptr, 0) != 0) return {};
    Mix_Chunk* chunk = file.empty() ? nullptr : Mix_LoadWAV(file.c_str());
    if (!file.empty() && (!chunk || Mix_PlayChannel(-1, chunk, -1) < 0)) return {};
    SDL_Delay(1000);  // settle as the game's device does
    const Measured m = Measure(seconds, [](Uint32 ms) { WaitEvents(ms, [](const SDL_Event&) {}); });
    if (chunk) Mix_FreeChunk(chunk);
    if (openDevice) Mix_CloseAudio();
    SDL_Quit();
    return m;
}

// The game's sound: its media system and one channel, looping `file` or silent after playing it
// once (`silent`), the main thread handing the device its events.
Measured GameSound(double seconds, const std::string& file, bool silent) {
    SDL_Init(SDL_INIT_AUDIO | SDL_INIT_EVENTS | SDL_INIT_TIMER);
    Measured m;
    {
        SteadyClock clock;
        sdl::SdlMediaSystem media(clock);
        if (!media.AudioOpen()) return {};
        auto channel = media.CreateSdlChannel("WMP1");
        channel->SetFile(file);
        channel->SetRepeat(!silent);
        channel->Play();
        if (silent) channel->Stop();
        // Settle: a stopped sound lets the device close after its grace time.
        WaitEvents(silent ? sdl::AudioDevice::kIdleCloseMs + 1000 : 1000,
                   [&media](const SDL_Event& e) { media.HandleEvent(e); });
        m = Measure(seconds, [&media](Uint32 ms) {
            WaitEvents(ms, [&media](const SDL_Event& e) { media.HandleEvent(e); });
        });
    }
    SDL_Quit();
    return m;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 5;
    double seconds = 5;
    std::string file = "sfx/menu.wav";
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (a == "--seconds" && i + 1 < argc) {
            seconds = std::max(1.0, std::atof(argv[++i]));
        } else {
            file = a;
        }
    }
    struct Series {
        const char* name;
        std::function<Measured()> run;
        std::vector<double> cpu, wakeups;
    };
    std::vector<Series> series = {
        {"bare SDL_mixer playing the file", [&] { return BareMixer(seconds, file, true); }, {}, {}},
        {"game's sound device playing the file", [&] { return GameSound(seconds, file, false); }, {}, {}},
        {"bare SDL_mixer, device open, silent", [&] { return BareMixer(seconds, "", true); }, {}, {}},
        {"game's sound device, silent", [&] { return GameSound(seconds, file, true); }, {}, {}},
        {"bare SDL program, no audio device", [&] { return BareMixer(seconds, "", false); }, {}, {}},
    };
    std::vector<double> musicRatio, silentRatio;
    for (int run = 0; run < runs; ++run) {
        for (Series& s : series) {
            const Measured m = tolarka::bench::InChild<Measured>(s.run);
            if (m.cpu < 0) {
                std::fprintf(stderr, "%s: a run failed (no audio device? try SDL_AUDIODRIVER=dummy)\n",
                             s.name);
                return 1;
            }
            s.cpu.push_back(m.cpu / seconds * 100);
            s.wakeups.push_back(m.wakeups / seconds);
        }
        const auto last = [&](int i) { return series[static_cast<size_t>(i)].cpu.back(); };
        if (last(0) > 0) musicRatio.push_back(last(1) / last(0));
        if (last(2) > 0) silentRatio.push_back(last(3) / last(2));
    }
    std::printf("%s, %.0f s each, %d runs alternating\n", file.c_str(), seconds, runs);
    using tolarka::bench::PrintSpread;
    using tolarka::bench::SpreadOf;
    tolarka::bench::PrintHeader();
    for (const Series& s : series) {
        std::printf("%s\n", s.name);
        PrintSpread("  CPU", SpreadOf(s.cpu), "% of a core");
        PrintSpread("  wake-ups (voluntary context switches)", SpreadOf(s.wakeups), "per second");
    }
    PrintSpread("music: game / bare SDL_mixer (target <= 1.5)", SpreadOf(musicRatio), "x");
    PrintSpread("silence: game / bare, device open and silent", SpreadOf(silentRatio), "x");
    return 0;
}
