#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace tolarka::platform::sdl {

enum class ClipCodec { kMpeg4, kMjpeg };

struct SampleClipFormat {
    int width = 64;
    int height = 48;
    int fps = 10;
    int frame_count = 20;
    ClipCodec codec = ClipCodec::kMpeg4;
};

// Paints frame `index` as packed RGB24 into rgb (rows `pitch` bytes apart).
using ClipPainter = std::function<void(int index, std::uint8_t* rgb, int pitch)>;

// Encodes an AVI clip (for tests and benchmarks). False when any step fails.
bool WriteAviClip(const std::string& path, const SampleClipFormat& clipFormat, const ClipPainter& paint);

}  // namespace tolarka::platform::sdl
