#pragma once
#include <SDL.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "platform/clock.h"
#include "platform/geometry.h"
#include "platform/sdl/clip_player.h"
#include "platform/sdl/thread_reaper.h"
#include "platform/sdl/video_decoder.h"
#include "platform/sdl/video_frame_queue.h"
#include "platform/sdl/video_texture.h"
#include "platform/sdl/video_timeline.h"

namespace tolarka::platform::sdl {

// Plays one clip file: a decoder thread fills a small frame queue, the main thread takes the
// frames as they fall due on the injected clock and draws them. Every public call belongs to the
// main thread, and none of them waits for the decoder thread: a thread told to stop is handed to
// a reaper with the decoder it uses, and the file is opened anew when it is needed again.
class VideoPlayer final : public ClipPlayer {
public:
    // wake_event_type: SDL event pushed when a frame arrives in an empty queue, so a main loop
    // asleep in SDL_WaitEvent(Timeout) looks at NextFrameDue again; 0 pushes nothing.
    // reaper: takes decoder threads that were stopped while still busy (shared by the players of
    // one media system).
    VideoPlayer(const Clock& clock, Uint32 wake_event_type,
                std::shared_ptr<ThreadReaper> reaper = std::make_shared<ThreadReaper>());
    ~VideoPlayer() override;
    VideoPlayer(const VideoPlayer&) = delete;
    VideoPlayer& operator=(const VideoPlayer&) = delete;

    // Stops and opens the file's header; an empty path only closes the current file.
    void SetFile(const std::string& path) override;
    // The same over any source of bytes; an empty one only closes the current clip.
    void SetSource(ClipBytesFactory source);
    void Play() override;
    // Stops and shows the clip's first frame (decoded here, on the calling thread, the first
    // time it is needed for this file).
    void Stop() override;
    void SetRate(double rate) override;
    void SetRepeat(bool forever) override;
    Size FrameSize() const override { return size_; }
    // At the end of a clip that does not repeat, the last frame stays on show until Stop.
    bool Running() const override { return playing_ && !run_->queue.Drained(); }

    void DrawFrame(SDL_Renderer* renderer, const SDL_Rect& dst) override;
    bool DrawFrameInto(SDL_Surface* surface, const SDL_Rect& dst) override;
    // The due time of the next frame still to come: always later than now.
    std::optional<Millis> NextFrameDue() const override;
    // True once for each new frame that has come due since the last DrawFrame or HasNewFrame.
    bool HasNewFrame() const override;

private:
    // What a decoder thread shares with the player that started it; the thread keeps it alive.
    struct Run {
        Run(std::shared_ptr<VideoDecoder> clip, bool repeat, Uint32 wake)
            : decoder(std::move(clip)), repeat(repeat), wake_event_type(wake) {}
        std::shared_ptr<VideoDecoder> decoder;
        // Frames are taken off as they fall due, by the drawing and by the event loop's queries.
        VideoFrameQueue queue;
        std::atomic<bool> repeat;
        const Uint32 wake_event_type;
        std::atomic<bool> finished{false};  // the thread's last act
    };

    // Ends the decoder thread (without waiting for it) and forgets the queued frames; the
    // picture on show stays.
    void Halt();
    // The decoder of the clip set, opened again if a stopped thread took it; false for none.
    bool HaveDecoder();
    void ShowFirstFrame();
    void TakeDueFrames() const;
    static void DecodeLoop(Run& run);
    static void WakeMainThread(Uint32 event_type);

    const Clock& clock_;
    const Uint32 wake_event_type_;
    std::shared_ptr<ThreadReaper> reaper_;
    ClipBytesFactory source_;
    std::shared_ptr<VideoDecoder> decoder_;  // shared with the decoder thread while it runs
    Size size_;
    std::shared_ptr<Run> run_;  // while playing
    std::thread thread_;
    bool repeat_ = false;
    mutable VideoTimeline timeline_;
    bool playing_ = false;
    mutable AvFramePtr newest_;   // due, not yet uploaded
    mutable bool fresh_ = false;  // a new frame came due and was not reported or drawn yet
    AvFramePtr first_frame_;      // of the file set last, once a Stop has needed it
    VideoTexture texture_;
};

}  // namespace tolarka::platform::sdl
