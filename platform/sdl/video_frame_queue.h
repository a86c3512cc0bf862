#pragma once
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>

#include "platform/sdl/video_decoder.h"

namespace tolarka::platform::sdl {

// Hands decoded frames from a clip's decoder thread to the main thread. Holds a few frames so
// the decoder runs a little ahead; the decoder waits while it is full.
class VideoFrameQueue {
public:
    static constexpr std::size_t kSlots = 3;

    // Waits for a free slot. False when aborted: the frame is dropped and the decoder must quit.
    // was_empty tells the decoder that the main thread may be asleep with nothing to show.
    bool Push(DecodedFrame frame, bool& was_empty);
    // Presentation time of the oldest frame, if any.
    std::optional<std::int64_t> FrontPts() const;
    std::optional<DecodedFrame> PopFront();
    // The decoder will add nothing more.
    void Finish();
    // Finished and every frame taken.
    bool Drained() const;
    // Makes every waiting and later Push fail at once.
    void Abort();
    // Empties the queue for the next run; only while no decoder is running.
    void Reset();

private:
    mutable std::mutex mutex_;
    std::condition_variable space_;
    std::deque<DecodedFrame> frames_;
    bool aborted_ = false;
    bool finished_ = false;
};

}  // namespace tolarka::platform::sdl
