#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "platform/sdl/video_av_handles.h"

namespace tolarka::platform::sdl {

// Where a clip's bytes come from: the file itself, read through a descriptor of our own, or
// a buffer (tests, fuzzing).
class ClipBytes {
public:
    virtual ~ClipBytes() = default;
    // Up to `size` bytes; 0 at the end, negative on an error.
    virtual int Read(std::uint8_t* data, int size) = 0;
    // lseek-like; the new position, or negative on an error.
    virtual std::int64_t Seek(std::int64_t offset, int whence) = 0;
    virtual std::int64_t Size() const = 0;
};

// The bytes of an ordinary file; nullptr for anything else (a named pipe is never waited on).
std::unique_ptr<ClipBytes> OpenClipFile(const std::string& path);
// The bytes of a buffer that outlives the result.
std::unique_ptr<ClipBytes> ClipBytesInMemory(std::span<const std::uint8_t> bytes);

using ClipBytesFactory = std::function<std::unique_ptr<ClipBytes>()>;

// Bounds what reading one clip may cost. Another thread may stop the reading at any time, and
// no more than a limit of bytes is read past the last frame the clip gave (junk or a sparse hole
// after the real data would otherwise be scanned to its end, gigabytes of it).
class ReadGuard {
public:
    static constexpr std::int64_t kDefaultLimit = 8 << 20;  // our clips are a few hundred KB

    // Any thread: every later read and seek fails, and FFmpeg's own loops are interrupted.
    void Stop() { stopped_.store(true, std::memory_order_relaxed); }
    bool Stopped() const { return stopped_.load(std::memory_order_relaxed); }

    // The rest belongs to the thread that reads. True while reading may go on.
    bool MayRead() const { return !Stopped() && sinceFrame_ < limit_; }
    void Count(std::int64_t bytes) { sinceFrame_ += bytes; }
    // A frame came out: the allowance starts again.
    void FrameProduced() { sinceFrame_ = 0; }
    void SetLimit(std::int64_t bytes) { limit_ = bytes; }

private:
    std::atomic<bool> stopped_{false};
    std::int64_t sinceFrame_ = 0;
    std::int64_t limit_ = kDefaultLimit;
};

// FFmpeg's AVI demuxer over a clip's bytes. Nothing else is tried: no probing of the format
// (a playlist or a concat script named *.avi is no AVI) and no other file or protocol is
// opened.
class AviInput {
    struct Key {
        explicit Key() = default;
    };

public:
    // Every read goes through `guard`, which must outlive the input.
    static std::unique_ptr<AviInput> Open(std::unique_ptr<ClipBytes> bytes, ReadGuard& guard);
    explicit AviInput(Key) {}
    ~AviInput();
    AviInput(const AviInput&) = delete;
    AviInput& operator=(const AviInput&) = delete;

    AVFormatContext* Format() const { return format_.get(); }

private:
    struct AvioFreer {
        void operator()(AVIOContext* c) const;
    };
    struct Source {
        std::unique_ptr<ClipBytes> bytes;
        ReadGuard* guard = nullptr;
    };
    static int ReadPacket(void* opaque, std::uint8_t* buffer, int size);
    static std::int64_t SeekBytes(void* opaque, std::int64_t offset, int whence);
    static int Interrupted(void* opaque);

    Source source_;
    std::unique_ptr<AVIOContext, AvioFreer> io_;
    AvInputPtr format_;
};

}  // namespace tolarka::platform::sdl
