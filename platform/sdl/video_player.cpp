#include "platform/sdl/video_player.h"

#include <utility>

namespace tolarka::platform::sdl {

namespace {
// The first frame is the first packet of every clip we make; a file that needs more than this
// to show one picture is not worth blocking the UI thread for.
constexpr int kFirstFramePacketLimit = 256;
}  // namespace

VideoPlayer::VideoPlayer(const Clock& clock, Uint32 wake_event_type)
    : clock_(clock), wake_event_type_(wake_event_type) {}

VideoPlayer::~VideoPlayer() { Halt(); }

void VideoPlayer::SetFile(const std::string& path) {
    Halt();
    texture_.Clear();
    first_frame_.reset();
    decoder_.reset();
    size_ = {};
    if (path.empty()) return;
    decoder_ = VideoDecoder::Open(path);
    if (decoder_) size_ = decoder_->FrameSize();
}

void VideoPlayer::Play() {
    // The picture on show stays until the new first frame replaces it: no black flash.
    Halt();
    if (!decoder_) return;
    queue_.Reset();
    timeline_.Start(clock_.Now());
    playing_ = true;
    thread_ = std::thread(&VideoPlayer::DecodeLoop, this);
}

void VideoPlayer::Stop() {
    Halt();
    ShowFirstFrame();
}

void VideoPlayer::Halt() {
    if (thread_.joinable()) {
        queue_.Abort();
        thread_.join();
    }
    queue_.Reset();
    playing_ = false;
    newest_.reset();
    fresh_ = false;
}

// The decoder thread has ended, so this thread may use the decoder; the next Play rewinds it.
void VideoPlayer::ShowFirstFrame() {
    if (!decoder_) return;
    if (!first_frame_ && decoder_->Rewind()) {
        if (auto frame = decoder_->Next(kFirstFramePacketLimit)) first_frame_ = std::move(frame->frame);
    }
    if (!first_frame_) {
        texture_.Clear();  // a file without a single readable frame shows nothing
        return;
    }
    // The texture gets its own reference to the same picture buffers.
    texture_.SetFrame(AvFramePtr(av_frame_clone(first_frame_.get())));
}

void VideoPlayer::SetRate(double rate) { timeline_.SetRate(rate, clock_.Now()); }

void VideoPlayer::DrawFrame(SDL_Renderer* renderer, const SDL_Rect& dst) {
    if (playing_) TakeDueFrames();
    if (newest_) texture_.SetFrame(std::move(newest_));
    fresh_ = false;
    texture_.Draw(renderer, dst);
}

bool VideoPlayer::DrawFrameInto(SDL_Surface* surface, const SDL_Rect& dst) {
    if (playing_) TakeDueFrames();
    if (newest_) texture_.SetFrame(std::move(newest_));
    fresh_ = false;
    return texture_.DrawInto(surface, dst);
}

std::optional<Millis> VideoPlayer::NextFrameDue() const {
    if (!playing_) return std::nullopt;
    TakeDueFrames();
    const auto pts = queue_.FrontPts();
    if (!pts) return std::nullopt;
    return timeline_.DueTime(*pts);
}

bool VideoPlayer::HasNewFrame() const {
    if (!playing_) return false;
    TakeDueFrames();
    return std::exchange(fresh_, false);
}

// Takes every frame due by now off the queue; the newest becomes the one to show, the late ones
// are dropped unseen. The event loop's queries call this too, so a clip keeps time (and the
// loop never spins on a frame that is overdue) while its view is not drawn.
void VideoPlayer::TakeDueFrames() const {
    const Millis now = clock_.Now();
    while (const auto pts = queue_.FrontPts()) {
        if (!timeline_.Anchored()) timeline_.AnchorAt(*pts);
        if (timeline_.DueTime(*pts) > now) break;
        if (auto frame = queue_.PopFront()) {
            newest_ = std::move(frame->frame);
            fresh_ = true;
        }
    }
}

// Decoder thread: reads the clip (again and again while repeating) into the queue. Timestamps
// of a repeated pass continue those of the pass before, so the timeline never jumps back.
void VideoPlayer::DecodeLoop() {
    std::optional<std::int64_t> next_pts;  // where the next frame belongs on the running timeline
    std::int64_t offset = 0;
    bool pass_start = true;
    int frames_in_pass = 0;
    if (!decoder_->Rewind()) {
        queue_.Finish();
        return;
    }
    for (;;) {
        auto frame = decoder_->Next();
        if (!frame) {
            // A pass without a single frame would make repeating spin forever.
            if (!repeat_ || frames_in_pass == 0 || !decoder_->Rewind()) break;
            pass_start = true;
            frames_in_pass = 0;
            continue;
        }
        if (pass_start && next_pts) offset = *next_pts - frame->pts_us;
        pass_start = false;
        ++frames_in_pass;
        frame->pts_us += offset;
        next_pts = frame->pts_us + frame->duration_us;
        bool was_empty = false;
        if (!queue_.Push(std::move(*frame), was_empty)) return;  // stopped
        if (was_empty) WakeMainThread();
    }
    queue_.Finish();
}

void VideoPlayer::WakeMainThread() const {
    if (wake_event_type_ == 0) return;
    SDL_Event event{};
    event.type = wake_event_type_;
    SDL_PushEvent(&event);  // thread-safe; fails harmlessly when SDL's events are not running
}

}  // namespace tolarka::platform::sdl
