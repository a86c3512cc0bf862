#include "platform/sdl/wav_data.h"

#include <algorithm>
#include <cstring>

namespace tolarka::platform::sdl {

namespace {

constexpr std::size_t kRiffHeader = 12;
constexpr std::size_t kChunkHeader = 8;
constexpr std::uint16_t kPcm = 1, kFloat = 3;

std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
bool Tag(std::span<const std::uint8_t> b, std::size_t at, const char* tag) {
    return std::memcmp(b.data() + at, tag, 4) == 0;
}

struct Layout {
    WavFormat format;
    std::size_t dataOffset = 0;
};

std::optional<Layout> Locate(std::span<const std::uint8_t> file) {
    if (file.size() < kRiffHeader || file.size() > kMaxWavFileBytes) return std::nullopt;
    if (!Tag(file, 0, "RIFF") || !Tag(file, 8, "WAVE")) return std::nullopt;
    std::optional<WavFormat> format;
    std::size_t at = kRiffHeader;
    while (at <= file.size() && file.size() - at >= kChunkHeader) {
        const std::size_t size = U32(file, at + 4);
        const std::size_t body = at + kChunkHeader;
        const std::size_t present = std::min(size, file.size() - body);
        if (Tag(file, at, "fmt ")) {
            if (format || present < 16) return std::nullopt;
            WavFormat f;
            f.encoding = U16(file, body);
            f.channels = U16(file, body + 2);
            f.rate = U32(file, body + 4);
            const std::uint16_t blockAlign = U16(file, body + 12);
            f.bits = U16(file, body + 14);
            const bool sizeOk = f.encoding == kPcm
                                    ? (f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32)
                                : f.encoding == kFloat ? f.bits == 32
                                                       : false;
            if (!sizeOk || f.channels < 1 || f.channels > 2 || f.rate < 4000 || f.rate > 192000 ||
                blockAlign != f.channels * f.bits / 8)
                return std::nullopt;
            format = f;
        } else if (Tag(file, at, "data")) {
            if (!format) return std::nullopt;
            const std::size_t frameBytes = format->channels * format->bits / 8u;
            const std::size_t frames = present / frameBytes;
            if (frames == 0 || frames > std::size_t{kMaxWavSeconds} * format->rate) return std::nullopt;
            format->frames = static_cast<std::uint32_t>(frames);
            return Layout{*format, body};
        }
        // Chunks are padded to an even size.
        if (size > file.size() - body) return std::nullopt;
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 2; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void PutTag(std::vector<std::uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

std::optional<WavFormat> InspectWav(std::span<const std::uint8_t> file) {
    const auto layout = Locate(file);
    if (!layout) return std::nullopt;
    return layout->format;
}

std::optional<std::vector<std::uint8_t>> CanonicalWav(std::span<const std::uint8_t> file) {
    const auto layout = Locate(file);
    if (!layout) return std::nullopt;
    const WavFormat& f = layout->format;
    const std::uint32_t frameBytes = f.channels * f.bits / 8u;
    const std::uint32_t dataBytes = f.frames * frameBytes;
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, f.encoding);
    Put16(out, f.channels);
    Put32(out, f.rate);
    Put32(out, f.rate * frameBytes);
    Put16(out, frameBytes);
    Put16(out, f.bits);
    PutTag(out, "data");
    Put32(out, dataBytes);
    const auto* data = file.data() + layout->dataOffset;
    out.insert(out.end(), data, data + dataBytes);
    return out;
}

}  // namespace tolarka::platform::sdl
