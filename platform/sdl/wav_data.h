#pragma once
// The checks a sound file passes before any decoder sees it. Plain bytes in, plain bytes out:
// no SDL here, so the checks run anywhere (tests, fuzzing).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tolarka::platform::sdl {

// Larger files are refused unread: the game's longest sound is a few megabytes.
constexpr std::size_t kMaxWavFileBytes = 32u << 20;
// Longer sounds are refused: after conversion to the mixer's format ten minutes take about
// 100 MB.
constexpr std::uint32_t kMaxWavSeconds = 600;

struct WavFormat {
    std::uint16_t encoding = 0;  // 1 integer PCM, 3 IEEE float
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint16_t bits = 0;
    std::uint32_t frames = 0;  // whole sample frames in the data
};

// The format of a RIFF/WAVE file holding plain PCM or float samples, mono or stereo; nothing
// for any other data (other containers, compressed sound, odd sizes, more than kMaxWavSeconds).
// Chunks other than "fmt " and "data" are skipped; a data chunk longer than the file counts
// only the whole frames present.
std::optional<WavFormat> InspectWav(std::span<const std::uint8_t> file);

// A minimal, exactly sized RIFF/WAVE file with the same format and samples (header of 44 bytes,
// then the whole frames of the data chunk): what the mixer is given to decode. Nothing when
// InspectWav refuses the file.
std::optional<std::vector<std::uint8_t>> CanonicalWav(std::span<const std::uint8_t> file);

}  // namespace tolarka::platform::sdl
