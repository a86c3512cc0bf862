#pragma once
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

// FFmpeg's AVI demuxer over a clip's bytes. Nothing else is tried: no probing of the format
// (a playlist or a concat script named *.avi is no AVI) and no other file or protocol is
// opened.
class AviInput {
    struct Key {
        explicit Key() = default;
    };

public:
    static std::unique_ptr<AviInput> Open(std::unique_ptr<ClipBytes> bytes);
    explicit AviInput(Key) {}
    ~AviInput();
    AviInput(const AviInput&) = delete;
    AviInput& operator=(const AviInput&) = delete;

    AVFormatContext* Format() const { return format_.get(); }

private:
    struct AvioFreer {
        void operator()(AVIOContext* c) const;
    };
    std::unique_ptr<ClipBytes> bytes_;
    std::unique_ptr<AVIOContext, AvioFreer> io_;
    AvInputPtr format_;
};

}  // namespace tolarka::platform::sdl
