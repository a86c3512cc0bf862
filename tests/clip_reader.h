// Reads back an AVI clip with FFmpeg for the clip tests: stream layout, size, length, first frame.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cliptest {

struct ClipInfo {
    int streams = 0;
    int videoStreams = 0;
    int width = 0;
    int height = 0;
    std::string codec;
    double seconds = 0;  // frames times frame duration
    std::int64_t frames = 0;
    bool firstFrameDecoded = false;
    // The first frame as packed RGB, for colour checks.
    std::vector<std::uint8_t> firstFrameRgb;
};

// nullopt when the file cannot be opened or probed.
std::optional<ClipInfo> ReadClip(const std::string& path);

}  // namespace cliptest
