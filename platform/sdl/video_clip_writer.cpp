#include "platform/sdl/video_clip_writer.h"

#include <memory>

#include "platform/sdl/video_av_handles.h"

namespace tolarka::platform::sdl {

namespace {

AvFramePtr AllocFrame(AVPixelFormat format, int width, int height) {
    AvFramePtr frame(av_frame_alloc());
    if (!frame) return nullptr;
    frame->format = format;
    frame->width = width;
    frame->height = height;
    if (av_frame_get_buffer(frame.get(), 0) < 0) return nullptr;
    return frame;
}

// Sends one frame (nullptr: end) and writes every packet the encoder has ready.
bool Encode(AVFormatContext* out, AVStream* stream, AVCodecContext* encoder, const AVFrame* frame,
            AVPacket* packet) {
    if (avcodec_send_frame(encoder, frame) < 0) return false;
    for (;;) {
        const int result = avcodec_receive_packet(encoder, packet);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return true;
        if (result < 0) return false;
        av_packet_rescale_ts(packet, encoder->time_base, stream->time_base);
        packet->stream_index = stream->index;
        if (av_interleaved_write_frame(out, packet) < 0) return false;
    }
}

}  // namespace

bool WriteAviClip(const std::string& path, const SampleClipFormat& clipFormat, const ClipPainter& paint) {
    AVFormatContext* raw = nullptr;
    if (avformat_alloc_output_context2(&raw, nullptr, "avi", path.c_str()) < 0 || !raw) return false;
    AvOutputPtr out(raw);

    const bool mjpeg = clipFormat.codec == ClipCodec::kMjpeg;
    const AVCodec* codec = avcodec_find_encoder(mjpeg ? AV_CODEC_ID_MJPEG : AV_CODEC_ID_MPEG4);
    if (!codec) return false;
    AVStream* stream = avformat_new_stream(out.get(), nullptr);
    AvCodecContextPtr encoder(avcodec_alloc_context3(codec));
    if (!stream || !encoder) return false;
    const AVPixelFormat format = mjpeg ? AV_PIX_FMT_YUVJ420P : AV_PIX_FMT_YUV420P;
    encoder->width = clipFormat.width;
    encoder->height = clipFormat.height;
    encoder->time_base = AVRational{1, clipFormat.fps};
    encoder->framerate = AVRational{clipFormat.fps, 1};
    encoder->pix_fmt = format;
    encoder->gop_size = 5;
    encoder->max_b_frames = 0;
    // Fixed fine quantiser: solid colours come back within a few levels.
    encoder->flags |= AV_CODEC_FLAG_QSCALE;
    encoder->global_quality = FF_QP2LAMBDA * 2;
    if (out->oformat->flags & AVFMT_GLOBALHEADER) encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (avcodec_open2(encoder.get(), codec, nullptr) < 0) return false;
    if (avcodec_parameters_from_context(stream->codecpar, encoder.get()) < 0) return false;
    stream->time_base = encoder->time_base;

    if (avio_open(&out->pb, path.c_str(), AVIO_FLAG_WRITE) < 0) return false;
    if (avformat_write_header(out.get(), nullptr) < 0) return false;

    AvFramePtr rgb = AllocFrame(AV_PIX_FMT_RGB24, clipFormat.width, clipFormat.height);
    AvFramePtr yuv = AllocFrame(format, clipFormat.width, clipFormat.height);
    AvPacketPtr packet(av_packet_alloc());
    SwsPtr sws(sws_getContext(clipFormat.width, clipFormat.height, AV_PIX_FMT_RGB24, clipFormat.width,
                              clipFormat.height, format, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!rgb || !yuv || !packet || !sws) return false;

    for (int i = 0; i < clipFormat.frame_count; ++i) {
        if (av_frame_make_writable(rgb.get()) < 0 || av_frame_make_writable(yuv.get()) < 0) return false;
        paint(i, rgb->data[0], rgb->linesize[0]);
        sws_scale(sws.get(), rgb->data, rgb->linesize, 0, clipFormat.height, yuv->data, yuv->linesize);
        yuv->pts = i;
        if (!Encode(out.get(), stream, encoder.get(), yuv.get(), packet.get())) return false;
    }
    if (!Encode(out.get(), stream, encoder.get(), nullptr, packet.get())) return false;
    return av_write_trailer(out.get()) >= 0;
}

}  // namespace tolarka::platform::sdl
