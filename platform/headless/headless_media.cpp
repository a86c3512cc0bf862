#include "platform/headless/headless_media.h"

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace tolarka::platform::headless {

Size ReadAviSize(const std::string& path) {
    // RIFF 'AVI ' LIST 'hdrl' 'avih' <size> then MainAVIHeader: width at 32, height at 36.
    // The name is UTF-8, which Windows would not take as narrow text.
    std::ifstream in(std::filesystem::path(std::u8string(path.begin(), path.end())), std::ios::binary);
    unsigned char h[80] = {};
    if (!in.read(reinterpret_cast<char*>(h), sizeof h)) return {};
    auto tag = [&](int at, const char* t) { return std::equal(t, t + 4, h + at); };
    if (!tag(0, "RIFF") || !tag(8, "AVI ") || !tag(24, "avih")) return {};
    auto u32 = [&](int at) {
        return static_cast<std::uint32_t>(h[at]) | static_cast<std::uint32_t>(h[at + 1]) << 8 |
               static_cast<std::uint32_t>(h[at + 2]) << 16 | static_cast<std::uint32_t>(h[at + 3]) << 24;
    };
    const int base = 32;  // start of MainAVIHeader
    return Size{static_cast<int>(u32(base + 32)), static_cast<int>(u32(base + 36))};
}

namespace {

class SilentChannel : public MediaPlayback {
public:
    void SetFile(const std::string& path) override {
        size_ = path.size() > 4 && path.substr(path.size() - 4) == ".avi" ? ReadAviSize(path) : Size{};
    }
    void Play() override {}
    void Stop() override {}
    void SetRate(double) override {}
    void SetRepeat(bool) override {}
    Size VideoSize() const override { return size_; }

private:
    Size size_;
};

class SilentMedia : public MediaSystem {
public:
    explicit SilentMedia(std::function<void(const std::string&)>) {}
    std::unique_ptr<MediaPlayback> CreateChannel(const std::string&) override {
        return std::make_unique<SilentChannel>();
    }
    void PlaySystemSound(const std::string&) override {}
};

}  // namespace

std::unique_ptr<MediaSystem> MakeSilentMedia(std::function<void(const std::string&)> trace) {
    return std::make_unique<SilentMedia>(std::move(trace));
}

}  // namespace tolarka::platform::headless
