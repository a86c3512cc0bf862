#pragma once
// Shared by the media tests: a hand-driven clock, a wait for the media threads, generated clips
// and sounds, and clips read back by the game's decoder.
#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/sdl/sdl_handles.h"
#include "platform/sdl/video_clip_writer.h"
#include "platform/sdl/video_decoder.h"
#include "tests/decoded_picture.h"
#include "tests/scratch_dir.h"

namespace tolarka::media_test {

class ManualClock final : public platform::Clock {
public:
    platform::Millis Now() const override { return now_; }
    void Set(platform::Millis t) { now_ = t; }

private:
    std::atomic<platform::Millis> now_{0};
};

// Polls `done` every millisecond until it holds, for at most `seconds` of real time: the
// decoder and mixer threads catch up on their own.
template <typename Condition>
bool Eventually(Condition done, int seconds = 10) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

using Rgb = testing::Rgba;
using testing::Canvas;

// Every frame of a test clip is one solid colour, far enough from its neighbours to be told apart
// after lossy compression.
inline Rgb FrameColour(int index) {
    return {16 + 12 * (index % 20), 240 - 12 * (index % 20), index % 2 == 0 ? 60 : 190};
}

// Frame i shows FrameColour(i + first).
inline bool WriteSolidClip(const std::string& path, const platform::sdl::SampleClipFormat& clipFormat,
                           int first = 0) {
    return platform::sdl::WriteAviClip(path, clipFormat, [&](int index, std::uint8_t* rgb, int pitch) {
        const Rgb c = FrameColour(index + first);
        const std::uint8_t pixel[3] = {static_cast<std::uint8_t>(c.r), static_cast<std::uint8_t>(c.g),
                                       static_cast<std::uint8_t>(c.b)};
        for (int y = 0; y < clipFormat.height; ++y)
            for (int x = 0; x < clipFormat.width; ++x) std::memcpy(rgb + y * pitch + 3 * x, pixel, 3);
    });
}

// A clip file as the game's decoder reads it: its size, every frame decoded, how long they last
// and the colour in the middle of the first. Nothing when the decoder refuses the file.
struct ClipFacts {
    platform::Size size;
    int frames = 0;
    double seconds = 0;
    Rgb middle;
};

inline std::optional<ClipFacts> ReadClip(const std::string& path) {
    const auto decoder = platform::sdl::VideoDecoder::Open(path);
    if (!decoder) return std::nullopt;
    ClipFacts facts;
    facts.size = decoder->FrameSize();
    while (const auto f = decoder->Next()) {
        facts.seconds = static_cast<double>(f->pts_us + f->duration_us) / 1e6;
        if (facts.frames++ > 0) continue;
        // YUV 4:2:0 of limited range (BT.601) back to RGB.
        const AVFrame& p = *f->frame;
        const int x = p.width / 2, y = p.height / 2;
        const double l = 1.164 * (p.data[0][y * p.linesize[0] + x] - 16);
        const double u = p.data[1][y / 2 * p.linesize[1] + x / 2] - 128.0;
        const double v = p.data[2][y / 2 * p.linesize[2] + x / 2] - 128.0;
        facts.middle = {static_cast<int>(std::lround(l + 1.596 * v)),
                        static_cast<int>(std::lround(l - 0.813 * v - 0.391 * u)),
                        static_cast<int>(std::lround(l + 2.018 * u))};
    }
    return facts;
}

// A WAV file built chunk by chunk, so a test can damage one part.
struct WavBuilder {
    std::uint16_t encoding = 1, channels = 2, bits = 16;
    std::uint32_t rate = 22050;
    std::uint32_t frames = 100;
    std::uint32_t fmtSize = 16;
    std::int64_t dataSizeField = -1;  // -1: the true size
    std::vector<std::uint8_t> extraBeforeData = {};

    std::vector<std::uint8_t> Build() const {
        std::vector<std::uint8_t> b;
        const auto tag = [&](const char* t) { b.insert(b.end(), t, t + std::strlen(t)); };
        const auto put = [&](std::uint32_t v, int bytes) {
            for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        };
        const std::uint32_t frameBytes = channels * bits / 8u, data = frames * frameBytes;
        tag("RIFF");
        put(0, 4);  // patched below
        tag("WAVEfmt ");
        put(fmtSize, 4);
        put(encoding, 2);
        put(channels, 2);
        put(rate, 4);
        put(rate * frameBytes, 4);
        put(frameBytes, 2);
        put(bits, 2);
        b.resize(b.size() + fmtSize - std::min<std::uint32_t>(fmtSize, 16));
        b.insert(b.end(), extraBeforeData.begin(), extraBeforeData.end());
        tag("data");
        put(dataSizeField < 0 ? data : static_cast<std::uint32_t>(dataSizeField), 4);
        // Quiet at 16 bits: only the low byte of each sample moves.
        for (std::uint32_t i = 0; i < data; ++i) b.push_back(static_cast<std::uint8_t>(i % 2 ? 0 : i * 37));
        const std::uint32_t riff = static_cast<std::uint32_t>(b.size() - 8);
        for (int i = 0; i < 4; ++i) b[4 + i] = static_cast<std::uint8_t>(riff >> (8 * i));
        return b;
    }
};

// 16-bit stereo PCM at 44.1 kHz of the given length.
inline void WriteWav(const std::string& path, int millis) {
    WavBuilder wav;
    wav.rate = 44100;
    wav.frames = 44100u * static_cast<std::uint32_t>(millis) / 1000u;
    WriteFile(path, wav.Build());
}

// The clip frame whose colour a pixel shows: -1 for the black background, -2 for a colour that
// matches no frame.
inline int FrameIndexOf(Rgb c) {
    if (c.r == 0 && c.g == 0 && c.b == 0) return -1;
    for (int i = 0; i < 20; ++i) {
        const Rgb f = FrameColour(i);
        if (std::abs(f.r - c.r) <= 5 && std::abs(f.g - c.g) <= 5 && std::abs(f.b - c.b) <= 12) return i;
    }
    return -2;
}

}  // namespace tolarka::media_test
