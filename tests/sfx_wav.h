#pragma once
// Reads the generated sounds beside the game (16-bit PCM RIFF/WAVE) for the sound tests.
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/build_paths.h"

namespace tolarka::testing {

struct Wav {
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<std::int16_t> frames;  // first channel only
    double Seconds() const { return rate > 0 ? static_cast<double>(frames.size()) / rate : 0.0; }
};

inline std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
inline std::uint16_t Le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
inline bool Tag(const std::vector<std::uint8_t>& b, std::size_t at, const char* tag) {
    return std::equal(tag, tag + 4, b.begin() + static_cast<std::ptrdiff_t>(at));
}

// Walks the RIFF chunks; any inconsistency gives nullopt.
inline std::optional<Wav> ParseWav(const std::vector<std::uint8_t>& b) {
    if (b.size() < 12 || !Tag(b, 0, "RIFF") || !Tag(b, 8, "WAVE")) return std::nullopt;
    if (Le32(b, 4) + 8ull != b.size()) return std::nullopt;
    Wav w;
    bool haveFmt = false, haveData = false;
    std::size_t at = 12;
    while (at + 8 <= b.size()) {
        const std::uint32_t size = Le32(b, at + 4);
        const std::size_t body = at + 8;
        if (body + size > b.size()) return std::nullopt;
        if (Tag(b, at, "fmt ")) {
            if (size < 16) return std::nullopt;
            w.format = Le16(b, body);
            w.channels = Le16(b, body + 2);
            w.rate = static_cast<int>(Le32(b, body + 4));
            const std::uint32_t byteRate = Le32(b, body + 8);
            const int align = Le16(b, body + 12);
            w.bits = Le16(b, body + 14);
            if (w.channels < 1 || align != w.channels * w.bits / 8 ||
                byteRate != static_cast<std::uint32_t>(w.rate * align)) {
                return std::nullopt;
            }
            haveFmt = true;
        } else if (Tag(b, at, "data")) {
            if (!haveFmt || w.bits != 16 || size % (2u * static_cast<unsigned>(w.channels)) != 0) {
                return std::nullopt;
            }
            for (std::size_t i = body; i < body + size; i += 2u * static_cast<unsigned>(w.channels)) {
                w.frames.push_back(static_cast<std::int16_t>(Le16(b, i)));
            }
            haveData = true;
        }
        at = body + size + (size & 1u);
    }
    if (!haveFmt || !haveData) return std::nullopt;
    return w;
}

inline std::optional<Wav> LoadSound(const std::string& name) {
    std::ifstream in(AppDir() / "sfx" / name, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParseWav(bytes);
}

}  // namespace tolarka::testing
