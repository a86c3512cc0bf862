#include "clip_reader.h"

#include <memory>

#include "platform/sdl/video_av_handles.h"

namespace cliptest {
namespace {

using tolarka::platform::sdl::AvCodecContextPtr;
using tolarka::platform::sdl::AvFramePtr;
using tolarka::platform::sdl::AvInputPtr;
using tolarka::platform::sdl::AvPacketPtr;
using tolarka::platform::sdl::SwsPtr;

std::vector<std::uint8_t> ToRgb(const AVFrame& frame) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(frame.width) * frame.height * 3);
    SwsPtr sws(sws_getContext(frame.width, frame.height, static_cast<AVPixelFormat>(frame.format),
                              frame.width, frame.height, AV_PIX_FMT_RGB24, SWS_POINT, nullptr, nullptr,
                              nullptr));
    if (!sws) return {};
    std::uint8_t* planes[1] = {rgb.data()};
    const int strides[1] = {frame.width * 3};
    sws_scale(sws.get(), frame.data, frame.linesize, 0, frame.height, planes, strides);
    return rgb;
}

}  // namespace

std::optional<ClipInfo> ReadClip(const std::string& path) {
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0) return std::nullopt;
    AvInputPtr input(raw);
    if (avformat_find_stream_info(input.get(), nullptr) < 0) return std::nullopt;

    ClipInfo info;
    info.streams = static_cast<int>(input->nb_streams);
    int video = -1;
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        if (input->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) {
            ++info.videoStreams;
            if (video < 0) video = static_cast<int>(i);
        }
    }
    if (video < 0) return info;
    const AVStream* stream = input->streams[video];
    info.width = stream->codecpar->width;
    info.height = stream->codecpar->height;
    info.codec = avcodec_get_name(stream->codecpar->codec_id);
    info.frames = stream->nb_frames;
    if (stream->duration > 0)
        info.seconds = static_cast<double>(stream->duration) * av_q2d(stream->time_base);

    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (codec == nullptr) return info;
    AvCodecContextPtr decoder(avcodec_alloc_context3(codec));
    if (!decoder || avcodec_parameters_to_context(decoder.get(), stream->codecpar) < 0 ||
        avcodec_open2(decoder.get(), codec, nullptr) < 0)
        return info;
    AvPacketPtr packet(av_packet_alloc());
    AvFramePtr frame(av_frame_alloc());
    bool flushed = false;
    while (!info.firstFrameDecoded) {
        if (!flushed) {
            const int read = av_read_frame(input.get(), packet.get());
            if (read < 0) {
                avcodec_send_packet(decoder.get(), nullptr);
                flushed = true;
            } else {
                const bool ours = packet->stream_index == video;
                if (ours) avcodec_send_packet(decoder.get(), packet.get());
                av_packet_unref(packet.get());
                if (!ours) continue;
            }
        }
        const int got = avcodec_receive_frame(decoder.get(), frame.get());
        if (got == 0) {
            info.firstFrameDecoded = true;
            info.firstFrameRgb = ToRgb(*frame);
        } else if (got != AVERROR(EAGAIN) || flushed) {
            break;
        }
    }
    return info;
}

}  // namespace cliptest
