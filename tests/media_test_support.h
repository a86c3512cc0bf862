#pragma once
// Shared by the media tests: a hand-driven clock, a temporary directory, generated clips and
// sounds, and a window-less canvas to draw frames on.
#include <SDL.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/sdl/sdl_handles.h"
#include "platform/sdl/video_clip_writer.h"

namespace tolarka::media_test {

class ManualClock final : public platform::Clock {
public:
    platform::Millis Now() const override { return now_; }
    void Set(platform::Millis t) { now_ = t; }

private:
    std::atomic<platform::Millis> now_{0};
};

class TempDir {
public:
    TempDir() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() / ("tolarka-media-" + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// Every frame of a test clip is one solid colour, far enough from its neighbours to be told apart
// after lossy compression.
inline Rgb FrameColour(int index) {
    return {16 + 12 * (index % 20), 240 - 12 * (index % 20), index % 2 == 0 ? 60 : 190};
}

inline bool WriteSolidClip(const std::string& path, const platform::sdl::SampleClipFormat& clipFormat) {
    return platform::sdl::WriteAviClip(path, clipFormat,
                                       [&clipFormat](int index, std::uint8_t* rgb, int pitch) {
                                           const Rgb c = FrameColour(index);
                                           for (int y = 0; y < clipFormat.height; ++y) {
                                               std::uint8_t* row = rgb + y * pitch;
                                               for (int x = 0; x < clipFormat.width; ++x) {
                                                   row[3 * x] = static_cast<std::uint8_t>(c.r);
                                                   row[3 * x + 1] = static_cast<std::uint8_t>(c.g);
                                                   row[3 * x + 2] = static_cast<std::uint8_t>(c.b);
                                               }
                                           }
                                       });
}

inline void WriteBytes(const std::string& path, const std::vector<char>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// 16-bit stereo PCM at 44.1 kHz: a quiet square wave of the given length.
inline void WriteWav(const std::string& path, int millis) {
    const std::uint32_t frames = 44100u * static_cast<std::uint32_t>(millis) / 1000u;
    const std::uint32_t data_size = frames * 4;
    std::vector<char> bytes;
    auto text = [&](const char* s) { bytes.insert(bytes.end(), s, s + 4); };
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto u16 = [&](std::uint16_t v) {
        bytes.push_back(static_cast<char>(v & 0xFF));
        bytes.push_back(static_cast<char>(v >> 8));
    };
    text("RIFF");
    u32(36 + data_size);
    text("WAVE");
    text("fmt ");
    u32(16);
    u16(1);  // PCM
    u16(2);
    u32(44100);
    u32(44100 * 4);
    u16(4);
    u16(16);
    text("data");
    u32(data_size);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const std::uint16_t sample = (i / 50) % 2 == 0 ? 2000 : static_cast<std::uint16_t>(-2000);
        u16(sample);
        u16(sample);
    }
    WriteBytes(path, bytes);
}

// A software renderer on a plain surface: no window, no display needed.
class Canvas {
public:
    Canvas(int width, int height)
        : surface_(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888)),
          renderer_(surface_ ? SDL_CreateSoftwareRenderer(surface_.get()) : nullptr) {}

    SDL_Renderer* Renderer() const { return renderer_.get(); }
    SDL_Surface* Surface() const { return surface_.get(); }
    void Clear() {
        SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
        SDL_RenderClear(renderer_.get());
    }
    Rgb At(int x, int y) const {
        const auto* row = static_cast<const std::uint8_t*>(surface_->pixels) + y * surface_->pitch;
        std::uint32_t pixel = 0;
        std::memcpy(&pixel, row + 4 * x, 4);
        Uint8 r = 0, g = 0, b = 0;
        SDL_GetRGB(pixel, surface_->format, &r, &g, &b);
        return {r, g, b};
    }

private:
    platform::sdl::SurfacePtr surface_;
    platform::sdl::RendererPtr renderer_;  // destroyed before its surface
};

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
