// Encodes a sequence of same-sized BGRA frames into an AVI file (MPEG-4 Part 2, yuv420p).
#pragma once

#include <cstdint>
#include <filesystem>

#include "ffmpeg_handles.h"

namespace clipgen {

struct VideoFormat {
    int width = 0;
    int height = 0;
    int fps = 20;
    // Average bit rate the encoder aims at; the quantiser floats between 3 and 31 to meet it.
    int kilobitsPerSecond = 300;
};

class AviWriter {
public:
    // Writes to a temporary file beside `path`; Finish() renames it into place, so an aborted
    // run never leaves a truncated clip under the final name. Throws std::runtime_error.
    AviWriter(const std::filesystem::path& path, const VideoFormat& format);
    ~AviWriter() = default;
    AviWriter(const AviWriter&) = delete;
    AviWriter& operator=(const AviWriter&) = delete;

    // `pixels` holds height rows of width BGRA pixels (cairo's ARGB32 on little-endian hosts).
    void WriteFrame(const std::uint8_t* pixels, int stride);
    void Finish();
    int FramesWritten() const { return frames_; }

private:
    void Drain(bool flushing);

    // Removes the temporary file unless it has been renamed into place; declared before the
    // container so the file is closed before it is removed, also when the constructor throws.
    struct TempFile {
        std::filesystem::path path;
        ~TempFile();
    };

    std::filesystem::path path_;
    TempFile temp_;
    VideoFormat format_;
    OutputFormatPtr container_;
    CodecContextPtr encoder_;
    AVStream* stream_ = nullptr;  // owned by container_
    FramePtr frame_;
    PacketPtr packet_;
    SwsPtr converter_;
    int frames_ = 0;
    bool finished_ = false;
};

}  // namespace clipgen
