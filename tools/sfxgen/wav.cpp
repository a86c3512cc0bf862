#include "tools/sfxgen/wav.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace tolarka::sfxgen {

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>((v >> shift) & 0xFF));
}

void PutTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

std::vector<std::uint8_t> EncodeWav(const Samples& samples, int rate) {
    constexpr std::uint16_t kChannels = 1, kBits = 16;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, kChannels);
    Put32(out, static_cast<std::uint32_t>(rate));
    Put32(out, static_cast<std::uint32_t>(rate) * kChannels * kBits / 8);
    Put16(out, kChannels * kBits / 8);
    Put16(out, kBits);
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (float x : samples) {
        const long v = std::lround(std::clamp(x, -1.0f, 1.0f) * 32767.0f);
        Put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(v)));
    }
    return out;
}

bool WriteFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string temp = path + ".tmp";
    {
        std::unique_ptr<std::FILE, FileCloser> f(std::fopen(temp.c_str(), "wb"));
        if (!f) return false;
        if (std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size()) {
            f.reset();
            std::remove(temp.c_str());
            return false;
        }
        if (std::fclose(f.release()) != 0) {
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace tolarka::sfxgen
