#pragma once
// Reads the generated sounds beside the game for the sound tests, through the game's own checks.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/sdl/wav_data.h"
#include "tests/support/build_paths.h"

namespace tolarka::testing {

struct Wav {
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<std::int16_t> frames;  // first channel only
    double Seconds() const { return rate > 0 ? static_cast<double>(frames.size()) / rate : 0.0; }
};

// Nothing when the file is missing, refused by the game or not of 16-bit samples.
inline std::optional<Wav> LoadSound(const std::string& name) {
    std::ifstream in(AppDir() / "sfx" / name, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    const auto format = platform::sdl::InspectWav(bytes);
    const auto plain = platform::sdl::CanonicalWav(bytes);  // a 44-byte header, then the samples
    if (!format || !plain || format->bits != 16) return std::nullopt;
    Wav w{format->encoding, format->channels, static_cast<int>(format->rate), format->bits, {}};
    for (std::size_t i = 44; i + 1 < plain->size(); i += 2u * format->channels)
        w.frames.push_back(static_cast<std::int16_t>((*plain)[i] | (*plain)[i + 1] << 8));
    return w;
}

}  // namespace tolarka::testing
