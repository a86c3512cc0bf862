#include "platform/sdl/video_frame_queue.h"

namespace tolarka::platform::sdl {

bool VideoFrameQueue::Push(DecodedFrame frame, bool& was_empty) {
    std::unique_lock lock(mutex_);
    space_.wait(lock, [this] { return aborted_ || frames_.size() < kSlots; });
    if (aborted_) return false;
    was_empty = frames_.empty();
    frames_.push_back(std::move(frame));
    return true;
}

std::optional<std::int64_t> VideoFrameQueue::FrontPts() const {
    std::lock_guard lock(mutex_);
    if (frames_.empty()) return std::nullopt;
    return frames_.front().pts_us;
}

std::optional<DecodedFrame> VideoFrameQueue::PopFront() {
    std::optional<DecodedFrame> front;
    {
        std::lock_guard lock(mutex_);
        if (frames_.empty()) return std::nullopt;
        front = std::move(frames_.front());
        frames_.pop_front();
    }
    space_.notify_one();
    return front;
}

void VideoFrameQueue::Finish() {
    std::lock_guard lock(mutex_);
    finished_ = true;
}

bool VideoFrameQueue::Drained() const {
    std::lock_guard lock(mutex_);
    return finished_ && frames_.empty();
}

void VideoFrameQueue::Abort() {
    {
        std::lock_guard lock(mutex_);
        aborted_ = true;
    }
    space_.notify_all();
}

void VideoFrameQueue::Reset() {
    std::lock_guard lock(mutex_);
    frames_.clear();
    aborted_ = false;
    finished_ = false;
}

}  // namespace tolarka::platform::sdl
