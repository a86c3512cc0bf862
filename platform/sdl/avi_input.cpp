#include "platform/sdl/avi_input.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "io/file_io_system.h"
#include "platform/sdl/ordinary_file.h"

extern "C" {
#include <libavutil/dict.h>
#include <libavutil/mem.h>
}

namespace tolarka::platform::sdl {

namespace {

constexpr int kIoBufferSize = 32 * 1024;

class FileBytes final : public ClipBytes {
public:
    FileBytes(int fd, std::int64_t size) : fd_(fd), size_(size) {}
    ~FileBytes() override { file_system::Close(fd_); }
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    int Read(std::uint8_t* data, int size) override {
        return static_cast<int>(file_system::ReadSome(fd_, data, static_cast<size_t>(size)));
    }
    std::int64_t Seek(std::int64_t offset, int whence) override {
        return file_system::Seek(fd_, offset, whence);
    }
    std::int64_t Size() const override { return size_; }

private:
    int fd_;
    std::int64_t size_;
};

class MemoryBytes final : public ClipBytes {
public:
    explicit MemoryBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    int Read(std::uint8_t* data, int size) override {
        const auto n = std::min<std::int64_t>(size, static_cast<std::int64_t>(bytes_.size()) - pos_);
        if (n <= 0) return 0;
        std::memcpy(data, bytes_.data() + pos_, static_cast<size_t>(n));
        pos_ += n;
        return static_cast<int>(n);
    }
    std::int64_t Seek(std::int64_t offset, int whence) override {
        if (whence != SEEK_SET && whence != SEEK_CUR && whence != SEEK_END) return -1;
        const std::int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? pos_ : Size();
        if (offset > Size() - base || base + offset < 0) return -1;
        pos_ = base + offset;
        return pos_;
    }
    std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }

private:
    std::span<const std::uint8_t> bytes_;
    std::int64_t pos_ = 0;
};

}  // namespace

// FFmpeg's callbacks: a stopped guard or a spent allowance fails the read as an error would,
// which ends any scan of the demuxer at once.
int AviInput::ReadPacket(void* opaque, std::uint8_t* buffer, int size) {
    auto* source = static_cast<Source*>(opaque);
    if (!source->guard->MayRead()) return AVERROR_EXIT;
    const int n = source->bytes->Read(buffer, size);
    if (n > 0) source->guard->Count(n);
    return n > 0 ? n : n == 0 ? AVERROR_EOF : AVERROR(EIO);
}

std::int64_t AviInput::SeekBytes(void* opaque, std::int64_t offset, int whence) {
    auto* source = static_cast<Source*>(opaque);
    if (source->guard->Stopped()) return AVERROR_EXIT;
    if (whence & AVSEEK_SIZE) return source->bytes->Size();
    const std::int64_t pos = source->bytes->Seek(offset, whence & ~AVSEEK_FORCE);
    return pos >= 0 ? pos : AVERROR(EINVAL);
}

int AviInput::Interrupted(void* opaque) { return static_cast<const ReadGuard*>(opaque)->Stopped() ? 1 : 0; }

std::unique_ptr<ClipBytes> OpenClipFile(const std::string& path) {
    std::int64_t size = 0;
    const int fd = OpenOrdinaryFile(path, size);
    if (fd < 0) return nullptr;
    return std::make_unique<FileBytes>(fd, size);
}

std::unique_ptr<ClipBytes> ClipBytesInMemory(std::span<const std::uint8_t> bytes) {
    return std::make_unique<MemoryBytes>(bytes);
}

void AviInput::AvioFreer::operator()(AVIOContext* c) const {
    if (!c) return;
    av_freep(&c->buffer);
    avio_context_free(&c);
}

AviInput::~AviInput() {
    format_.reset();  // before the I/O context it reads through
    io_.reset();
}

std::unique_ptr<AviInput> AviInput::Open(std::unique_ptr<ClipBytes> bytes, ReadGuard& guard) {
    if (!bytes) return nullptr;
    const AVInputFormat* avi = av_find_input_format("avi");
    if (!avi) return nullptr;
    auto input = std::make_unique<AviInput>(Key{});
    input->source_ = Source{std::move(bytes), &guard};
    auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferSize));
    if (!buffer) return nullptr;
    input->io_.reset(
        avio_alloc_context(buffer, kIoBufferSize, 0, &input->source_, ReadPacket, nullptr, SeekBytes));
    if (!input->io_) {
        av_free(buffer);
        return nullptr;
    }
    AVFormatContext* raw = avformat_alloc_context();
    if (!raw) return nullptr;
    raw->pb = input->io_.get();
    raw->flags |= AVFMT_FLAG_CUSTOM_IO;
    raw->interrupt_callback = AVIOInterruptCB{Interrupted, &guard};
    // Probing a header that names neither codec nor size reads no more than a short stretch.
    raw->probesize = 1 << 20;
    raw->max_analyze_duration = AV_TIME_BASE / 2;
    // Nothing the clip names may open anything else.
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "none", 0);
    av_dict_set(&options, "format_whitelist", "avi", 0);
    const int result = avformat_open_input(&raw, nullptr, avi, &options);  // frees raw on failure
    av_dict_free(&options);
    if (result < 0) return nullptr;
    input->format_.reset(raw);
    return input;
}

}  // namespace tolarka::platform::sdl
