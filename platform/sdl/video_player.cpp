#include "platform/sdl/video_player.h"

#include <utility>

namespace tolarka::platform::sdl {

namespace {
// The first frame is the first packet of every clip we make; a file that needs more than this
// to show one picture is not worth blocking the UI thread for.
constexpr int kFirstFramePacketLimit = 256;
}  // namespace

VideoPlayer::VideoPlayer(const Clock& clock, Uint32 wake_event_type, std::shared_ptr<ThreadReaper> reaper)
    : clock_(clock), wake_event_type_(wake_event_type), reaper_(std::move(reaper)) {}

VideoPlayer::~VideoPlayer() { Halt(); }

void VideoPlayer::SetFile(const std::string& path) {
    SetSource(path.empty() ? ClipBytesFactory() : ClipBytesFactory([path] { return OpenClipFile(path); }));
}

void VideoPlayer::SetSource(ClipBytesFactory source) {
    Halt();
    texture_.Clear();
    first_frame_.reset();
    decoder_.reset();
    size_ = {};
    source_ = std::move(source);
    if (HaveDecoder()) size_ = decoder_->FrameSize();
}

bool VideoPlayer::HaveDecoder() {
    if (!decoder_ && source_) decoder_ = VideoDecoder::OpenSource(source_);
    return decoder_ != nullptr;
}

void VideoPlayer::Play() {
    // The picture on show stays until the new first frame replaces it: no black flash.
    Halt();
    if (!HaveDecoder()) return;
    run_ = std::make_shared<Run>(decoder_, repeat_, wake_event_type_);
    timeline_.Start(clock_.Now());
    playing_ = true;
    thread_ = std::thread([run = run_] {
        DecodeLoop(*run);
        run->finished.store(true, std::memory_order_release);
    });
}

void VideoPlayer::SetRepeat(bool forever) {
    repeat_ = forever;
    if (run_) run_->repeat = forever;
}

void VideoPlayer::Stop() {
    Halt();
    ShowFirstFrame();
}

void VideoPlayer::Halt() {
    if (run_) {
        if (run_->finished.load(std::memory_order_acquire)) {
            thread_.join();  // past its last act: returns at once, and the decoder is free again
        } else {
            // Perhaps inside a read that takes long: told to stop, and the decoder goes with it.
            run_->decoder->Abort();
            run_->queue.Abort();
            reaper_->Take(std::move(thread_),
                          std::shared_ptr<const std::atomic<bool>>(run_, &run_->finished));
            decoder_.reset();
        }
        run_.reset();
    }
    playing_ = false;
    newest_.reset();
    fresh_ = false;
}

// No decoder thread runs on the decoder now, so this thread may use it; the next Play rewinds it.
void VideoPlayer::ShowFirstFrame() {
    if (!first_frame_ && !HaveDecoder()) return;
    if (!first_frame_ && decoder_ && decoder_->Rewind()) {
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
    const auto pts = run_->queue.FrontPts();
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
    while (const auto pts = run_->queue.FrontPts()) {
        if (!timeline_.Anchored()) timeline_.AnchorAt(*pts);
        if (timeline_.DueTime(*pts) > now) break;
        if (auto frame = run_->queue.PopFront()) {
            newest_ = std::move(frame->frame);
            fresh_ = true;
        }
    }
}

// Decoder thread: reads the clip (again and again while repeating) into the queue. Timestamps
// of a repeated pass continue those of the pass before, so the timeline never jumps back.
void VideoPlayer::DecodeLoop(Run& run) {
    VideoDecoder& decoder = *run.decoder;
    std::optional<std::int64_t> next_pts;  // where the next frame belongs on the running timeline
    std::int64_t offset = 0;
    bool pass_start = true;
    int frames_in_pass = 0;
    if (!decoder.Rewind()) {
        run.queue.Finish();
        return;
    }
    for (;;) {
        auto frame = decoder.Next();
        if (!frame) {
            // A pass without a single frame would make repeating spin forever.
            if (!run.repeat || frames_in_pass == 0 || !decoder.Rewind()) break;
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
        if (!run.queue.Push(std::move(*frame), was_empty)) return;  // stopped
        if (was_empty) WakeMainThread(run.wake_event_type);
    }
    run.queue.Finish();
}

void VideoPlayer::WakeMainThread(Uint32 event_type) {
    if (event_type == 0) return;
    SDL_Event event{};
    event.type = event_type;
    SDL_PushEvent(&event);  // thread-safe; fails harmlessly when SDL's events are not running
}

}  // namespace tolarka::platform::sdl
