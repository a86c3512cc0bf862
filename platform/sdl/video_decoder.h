#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "platform/geometry.h"
#include "platform/sdl/avi_input.h"
#include "platform/sdl/video_av_handles.h"

namespace tolarka::platform::sdl {

// A decoded picture ready for an IYUV texture: YUV420P with positive line sizes.
struct DecodedFrame {
    AvFramePtr frame;
    std::int64_t pts_us = 0;       // presentation time in microseconds
    std::int64_t duration_us = 0;  // how long it stays on screen at normal speed
};

// Reads the video stream of one clip file, frame by frame in display order. Used by one thread
// at a time.
class VideoDecoder {
    struct Key {
        explicit Key() = default;
    };

public:
    // Opens the file's header and a decoder for its video stream (the header is small: this is
    // quick enough for the UI thread). nullptr when the file is missing, not an ordinary file,
    // not an AVI, broken, has no video stream or one we cannot decode.
    static std::unique_ptr<VideoDecoder> Open(const std::string& path);
    // The same over a clip held in memory, which must outlive the decoder.
    static std::unique_ptr<VideoDecoder> OpenBytes(std::span<const std::uint8_t> bytes);
    // The same over any source of bytes, asked anew whenever the clip is read from its start.
    static std::unique_ptr<VideoDecoder> OpenSource(ClipBytesFactory source);

    explicit VideoDecoder(Key) {}
    VideoDecoder(const VideoDecoder&) = delete;
    VideoDecoder& operator=(const VideoDecoder&) = delete;

    // Picture size from the header.
    Size FrameSize() const { return size_; }
    // Goes back to the first frame; false when neither seeking nor reopening the file works.
    bool Rewind();
    // The next frame; nullopt at the end of the stream or when the rest of it cannot be read,
    // or (with a limit above 0) when more than packet_limit packets give no frame.
    std::optional<DecodedFrame> Next(int packet_limit = 0);
    // Any thread, also while another one is inside Next or Rewind: every read fails from now on,
    // so they return soon (after the read under way, if any). The decoder is of no further use.
    void Abort() { guard_.Stop(); }

private:
    bool OpenFile();
    std::optional<DecodedFrame> Convert();

    ClipBytesFactory source_;
    ReadGuard guard_;  // before the input that reads through it
    Size size_;
    std::unique_ptr<AviInput> input_;
    AvCodecContextPtr codec_;
    AvFramePtr decoded_;
    AvPacketPtr packet_;
    SwsPtr sws_;  // cached: only formats other than YUV420P pass through it
    int stream_index_ = -1;
    AVRational time_base_{1, 1};
    std::int64_t default_duration_us_ = 40000;
    std::int64_t next_pts_us_ = 0;  // guess for frames that carry no timestamp
    bool draining_ = false;
    bool at_start_ = true;
};

}  // namespace tolarka::platform::sdl
