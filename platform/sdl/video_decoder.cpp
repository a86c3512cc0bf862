#include "platform/sdl/video_decoder.h"

#include <algorithm>

extern "C" {
#include <libavutil/imgutils.h>
}

namespace tolarka::platform::sdl {

namespace {

// Larger pictures come only from broken headers; refusing them keeps allocations sane.
constexpr int kMaxDimension = 4096;
// Corrupt data makes the decoder refuse packet after packet; past this many in a row the
// rest of the file is given up.
constexpr int kMaxConsecutiveErrors = 64;

const AVRational kMicroseconds{1, 1000000};

bool Usable(const AVCodecParameters& p) {
    return p.codec_id != AV_CODEC_ID_NONE && p.width > 0 && p.height > 0 && p.width <= kMaxDimension &&
           p.height <= kMaxDimension;
}

}  // namespace

std::unique_ptr<VideoDecoder> VideoDecoder::Open(const std::string& path) {
    return OpenSource([path] { return OpenClipFile(path); });
}

std::unique_ptr<VideoDecoder> VideoDecoder::OpenBytes(std::span<const std::uint8_t> bytes) {
    return OpenSource([bytes] { return ClipBytesInMemory(bytes); });
}

std::unique_ptr<VideoDecoder> VideoDecoder::OpenSource(ClipBytesFactory source) {
    auto decoder = std::make_unique<VideoDecoder>(Key{});
    decoder->source_ = std::move(source);
    if (!decoder->OpenFile()) return nullptr;
    return decoder;
}

bool VideoDecoder::OpenFile() {
    codec_.reset();
    input_.reset();
    if (guard_.Stopped()) return false;
    guard_.FrameProduced();
    input_ = AviInput::Open(source_(), guard_);
    if (!input_) return false;
    AVFormatContext* raw = input_->Format();

    // An AVI header names the codec and the picture size; probing the stream (which reads and
    // decodes packets) is needed only when it does not.
    int index = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index < 0 || !Usable(*raw->streams[index]->codecpar)) {
        if (avformat_find_stream_info(raw, nullptr) < 0) return false;
        index = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        if (index < 0 || !Usable(*raw->streams[index]->codecpar)) return false;
    }
    const AVStream* stream = raw->streams[index];
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec) return false;
    codec_.reset(avcodec_alloc_context3(codec));
    if (!codec_ || avcodec_parameters_to_context(codec_.get(), stream->codecpar) < 0) return false;
    // Clips are small; one decoding thread per channel leaves the second core to the game.
    codec_->thread_count = 1;
    codec_->pkt_timebase = stream->time_base;
    if (avcodec_open2(codec_.get(), codec, nullptr) < 0) return false;

    if (!decoded_) decoded_.reset(av_frame_alloc());
    if (!packet_) packet_.reset(av_packet_alloc());
    if (!decoded_ || !packet_) return false;

    stream_index_ = index;
    time_base_ = stream->time_base;
    size_ = {stream->codecpar->width, stream->codecpar->height};
    // Room for two uncompressed frames between pictures, within 8 and 64 MB.
    guard_.SetLimit(std::clamp<std::int64_t>(std::int64_t{8} * size_.width * size_.height,
                                             ReadGuard::kDefaultLimit, 8 * ReadGuard::kDefaultLimit));
    AVRational rate = stream->avg_frame_rate;
    if (rate.num <= 0 || rate.den <= 0) rate = stream->r_frame_rate;
    if (rate.num > 0 && rate.den > 0) {
        default_duration_us_ = av_rescale_q(1, av_inv_q(rate), kMicroseconds);
    } else if (time_base_.num > 0 && time_base_.den > 0) {
        default_duration_us_ = av_rescale_q(1, time_base_, kMicroseconds);  // AVI: one tick per frame
    }
    if (default_duration_us_ <= 0) default_duration_us_ = 40000;
    next_pts_us_ = 0;
    draining_ = false;
    at_start_ = true;
    return true;
}

bool VideoDecoder::Rewind() {
    if (guard_.Stopped()) return false;
    if (at_start_) return true;
    guard_.FrameProduced();
    const AVStream* stream = input_->Format()->streams[stream_index_];
    const std::int64_t start = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
    if (av_seek_frame(input_->Format(), stream_index_, start, AVSEEK_FLAG_BACKWARD) >= 0) {
        avcodec_flush_buffers(codec_.get());  // a drained decoder returns nothing but EOF
        draining_ = false;
        next_pts_us_ = 0;
        at_start_ = true;
        return true;
    }
    // Files without an index (a truncated AVI) may refuse to seek; reading them anew works.
    return OpenFile();
}

std::optional<DecodedFrame> VideoDecoder::Next(int packet_limit) {
    if (!codec_) return std::nullopt;
    at_start_ = false;
    int errors = 0;
    int packets = 0;
    for (;;) {
        if (guard_.Stopped()) return std::nullopt;
        int result = avcodec_receive_frame(codec_.get(), decoded_.get());
        if (result == 0) {
            if (auto frame = Convert()) {
                guard_.FrameProduced();
                return frame;
            }
            continue;
        }
        if (result == AVERROR_EOF) return std::nullopt;
        if (result != AVERROR(EAGAIN) && ++errors > kMaxConsecutiveErrors) return std::nullopt;
        if (draining_) return std::nullopt;

        if (packet_limit > 0 && ++packets > packet_limit) return std::nullopt;
        result = av_read_frame(input_->Format(), packet_.get());
        if (result < 0) {
            // End of file (or an unreadable rest): drain the frames the decoder still holds.
            draining_ = true;
            if (avcodec_send_packet(codec_.get(), nullptr) < 0) return std::nullopt;
            continue;
        }
        if (packet_->stream_index == stream_index_) {
            result = avcodec_send_packet(codec_.get(), packet_.get());
            if (result < 0 && result != AVERROR(EAGAIN) && ++errors > kMaxConsecutiveErrors) {
                av_packet_unref(packet_.get());
                return std::nullopt;
            }
            if (result >= 0) errors = 0;
        }
        av_packet_unref(packet_.get());
    }
}

std::optional<DecodedFrame> VideoDecoder::Convert() {
    AVFrame* in = decoded_.get();
    DecodedFrame out;
    const std::int64_t ts = in->best_effort_timestamp;
    out.pts_us = ts != AV_NOPTS_VALUE ? av_rescale_q(ts, time_base_, kMicroseconds) : next_pts_us_;
    out.duration_us = in->pkt_duration > 0 ? av_rescale_q(in->pkt_duration, time_base_, kMicroseconds)
                                           : default_duration_us_;
    next_pts_us_ = out.pts_us + out.duration_us;

    if (in->width <= 0 || in->height <= 0 || in->width > kMaxDimension || in->height > kMaxDimension) {
        av_frame_unref(in);
        return std::nullopt;
    }
    out.frame.reset(av_frame_alloc());
    if (!out.frame) {
        av_frame_unref(in);
        return std::nullopt;
    }
    const bool direct =
        in->format == AV_PIX_FMT_YUV420P && in->linesize[0] > 0 && in->linesize[1] > 0 && in->linesize[2] > 0;
    if (direct) {
        av_frame_move_ref(out.frame.get(), in);
        return out;
    }
    // MJPEG's full-range YUV, paletted and RGB codecs, bottom-up pictures: one cached scaler
    // turns them into YUV420P.
    sws_.reset(sws_getCachedContext(sws_.release(), in->width, in->height,
                                    static_cast<AVPixelFormat>(in->format), in->width, in->height,
                                    AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr));
    AVFrame* converted = out.frame.get();
    converted->format = AV_PIX_FMT_YUV420P;
    converted->width = in->width;
    converted->height = in->height;
    const bool ok = sws_ && av_frame_get_buffer(converted, 0) >= 0 &&
                    sws_scale(sws_.get(), in->data, in->linesize, 0, in->height, converted->data,
                              converted->linesize) > 0;
    av_frame_unref(in);
    if (!ok) return std::nullopt;
    return out;
}

}  // namespace tolarka::platform::sdl
