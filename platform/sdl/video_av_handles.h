#pragma once
// Owners for FFmpeg handles: clip playback, the clip generator and the tests all use these, so
// each kind of handle is freed by one piece of code.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

#include <memory>

namespace tolarka::platform::sdl {

struct AvInputCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
// An output context owns its AVIOContext too, once the file has been opened.
struct AvOutputCloser {
    void operator()(AVFormatContext* c) const {
        if (c->pb != nullptr && !(c->oformat->flags & AVFMT_NOFILE)) avio_closep(&c->pb);
        avformat_free_context(c);
    }
};
struct AvCodecContextFreer {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct AvFrameFreer {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct AvPacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct SwsFreer {
    void operator()(SwsContext* c) const { sws_freeContext(c); }
};

using AvInputPtr = std::unique_ptr<AVFormatContext, AvInputCloser>;
using AvOutputPtr = std::unique_ptr<AVFormatContext, AvOutputCloser>;
using AvCodecContextPtr = std::unique_ptr<AVCodecContext, AvCodecContextFreer>;
using AvFramePtr = std::unique_ptr<AVFrame, AvFrameFreer>;
using AvPacketPtr = std::unique_ptr<AVPacket, AvPacketFreer>;
using SwsPtr = std::unique_ptr<SwsContext, SwsFreer>;

}  // namespace tolarka::platform::sdl
