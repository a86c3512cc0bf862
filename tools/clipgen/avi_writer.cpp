#include "avi_writer.h"

#include <stdexcept>
#include <string>
#include <system_error>

#include "io/file_io_system.h"

extern "C" {
#include <libavutil/error.h>
#include <libavutil/opt.h>
}

namespace clipgen {
namespace {

std::string ErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

void Check(int code, const std::string& what) {
    if (code < 0) throw std::runtime_error(what + ": " + ErrorText(code));
}

}  // namespace

AviWriter::AviWriter(const std::filesystem::path& path, const VideoFormat& format)
    : path_(path), temp_{std::filesystem::path(path) += ".part"}, format_(format) {
    if (format.width <= 0 || format.height <= 0 || format.width % 2 || format.height % 2 || format.fps <= 0)
        throw std::runtime_error("neplatný rozměr nebo snímková frekvence klipu " +
                                 tolarka::file_system::Utf8String(path));

    // FFmpeg takes file names as UTF-8 on every system.
    const std::string file = tolarka::file_system::Utf8String(temp_.path);
    AVFormatContext* raw = nullptr;
    Check(avformat_alloc_output_context2(&raw, nullptr, "avi", file.c_str()), "avi kontejner");
    container_.reset(raw);
    // No library version strings in the file: the same input gives the same bytes.
    container_->flags |= AVFMT_FLAG_BITEXACT;

    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    if (codec == nullptr) throw std::runtime_error("kodér MPEG-4 není k dispozici");
    encoder_.reset(avcodec_alloc_context3(codec));
    if (!encoder_) throw std::runtime_error("nedostatek paměti pro kodér");
    encoder_->width = format.width;
    encoder_->height = format.height;
    encoder_->pix_fmt = AV_PIX_FMT_YUV420P;
    encoder_->time_base = AVRational{1, format.fps};
    encoder_->framerate = AVRational{format.fps, 1};
    encoder_->gop_size = format.fps * 5;  // the game only ever plays from the start
    encoder_->max_b_frames = 0;
    encoder_->thread_count = 1;
    encoder_->flags |= AV_CODEC_FLAG_BITEXACT | AV_CODEC_FLAG_4MV;
    encoder_->bit_rate = static_cast<std::int64_t>(format.kilobitsPerSecond) * 1000;
    // No buffer limit: bursts of light may take many bits as long as the average holds, and a
    // ceiling on the quantiser keeps them from turning into blocks.
    encoder_->qmin = 3;
    encoder_->qmax = 15;
    encoder_->mb_decision = FF_MB_DECISION_RD;
    if (container_->oformat->flags & AVFMT_GLOBALHEADER) encoder_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    Check(avcodec_open2(encoder_.get(), codec, nullptr), "otevření kodéru");

    stream_ = avformat_new_stream(container_.get(), nullptr);
    if (stream_ == nullptr) throw std::runtime_error("nedostatek paměti pro stopu");
    stream_->time_base = encoder_->time_base;
    stream_->avg_frame_rate = encoder_->framerate;
    Check(avcodec_parameters_from_context(stream_->codecpar, encoder_.get()), "parametry stopy");

    Check(avio_open(&container_->pb, file.c_str(), AVIO_FLAG_WRITE), "zápis " + file);
    Check(avformat_write_header(container_.get(), nullptr), "hlavička AVI");

    frame_.reset(av_frame_alloc());
    packet_.reset(av_packet_alloc());
    if (!frame_ || !packet_) throw std::runtime_error("nedostatek paměti pro snímek");
    frame_->format = AV_PIX_FMT_YUV420P;
    frame_->width = format.width;
    frame_->height = format.height;
    Check(av_frame_get_buffer(frame_.get(), 0), "buffer snímku");

    converter_.reset(sws_getContext(format.width, format.height, AV_PIX_FMT_BGRA, format.width, format.height,
                                    AV_PIX_FMT_YUV420P, SWS_BILINEAR | SWS_ACCURATE_RND | SWS_BITEXACT,
                                    nullptr, nullptr, nullptr));
    if (!converter_) throw std::runtime_error("převod barev není k dispozici");
}

AviWriter::TempFile::~TempFile() {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

void AviWriter::WriteFrame(const std::uint8_t* pixels, int stride) {
    if (finished_) throw std::runtime_error("klip je už uzavřen");
    Check(av_frame_make_writable(frame_.get()), "snímek");
    const std::uint8_t* sources[1] = {pixels};
    const int strides[1] = {stride};
    sws_scale(converter_.get(), sources, strides, 0, format_.height, frame_->data, frame_->linesize);
    frame_->pts = frames_++;
    Check(avcodec_send_frame(encoder_.get(), frame_.get()), "kódování snímku");
    Drain(false);
}

void AviWriter::Drain(bool flushing) {
    for (;;) {
        const int got = avcodec_receive_packet(encoder_.get(), packet_.get());
        if (got == AVERROR(EAGAIN) || (flushing && got == AVERROR_EOF)) return;
        Check(got, "kódování snímku");
        av_packet_rescale_ts(packet_.get(), encoder_->time_base, stream_->time_base);
        packet_->stream_index = stream_->index;
        Check(av_interleaved_write_frame(container_.get(), packet_.get()), "zápis snímku");
    }
}

void AviWriter::Finish() {
    if (finished_) return;
    Check(avcodec_send_frame(encoder_.get(), nullptr), "dokončení kódování");
    Drain(true);
    Check(av_write_trailer(container_.get()), "zakončení AVI");
    container_.reset();
    std::filesystem::rename(temp_.path, path_);
    finished_ = true;
}

}  // namespace clipgen
