#pragma once
#include <SDL.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "platform/clock.h"
#include "platform/geometry.h"
#include "platform/sdl/video_decoder.h"
#include "platform/sdl/video_frame_queue.h"
#include "platform/sdl/video_frame_source.h"
#include "platform/sdl/video_texture.h"
#include "platform/sdl/video_timeline.h"

namespace tolarka::platform::sdl {

// Plays one clip file: a decoder thread fills a small frame queue, the main thread takes the
// frames as they fall due on the injected clock and draws them. Every public call belongs to the
// main thread. A file that cannot be opened plays nothing.
//
// What the view shows: nothing after SetFile; the frames as they fall due while playing; the
// last frame once a clip that does not repeat has ended; the first frame after Stop, like a
// player stopped at its start.
class VideoPlayer final : public VideoFrameSource {
public:
    // wake_event_type: SDL event pushed when a frame arrives in an empty queue, so a main loop
    // asleep in SDL_WaitEvent(Timeout) looks at NextFrameDue again; 0 pushes nothing.
    VideoPlayer(const Clock& clock, Uint32 wake_event_type);
    ~VideoPlayer() override;
    VideoPlayer(const VideoPlayer&) = delete;
    VideoPlayer& operator=(const VideoPlayer&) = delete;

    // Stops and opens the file's header; an empty path only closes the current file.
    void SetFile(const std::string& path);
    void Play();
    // Stops and shows the clip's first frame (decoded here, on the calling thread, the first
    // time it is needed for this file).
    void Stop();
    void SetRate(double rate);
    void SetRepeat(bool forever) { repeat_ = forever; }
    Size FrameSize() const { return size_; }
    // Playing, with frames still to come (always while repeating). At the end of a clip that
    // does not repeat, the last frame stays on show until Stop.
    bool Running() const { return playing_ && !queue_.Drained(); }

    void DrawFrame(SDL_Renderer* renderer, const SDL_Rect& dst) override;
    bool DrawFrameInto(SDL_Surface* surface, const SDL_Rect& dst) override;
    // The due time of the next frame still to come: always later than now.
    std::optional<Millis> NextFrameDue() const override;
    // True once for each new frame that has come due since the last DrawFrame or HasNewFrame.
    bool HasNewFrame() const override;

private:
    // Ends the decoder thread and forgets the queued frames; the picture on show stays.
    void Halt();
    void ShowFirstFrame();
    void TakeDueFrames() const;
    void DecodeLoop();
    void WakeMainThread() const;

    const Clock& clock_;
    const Uint32 wake_event_type_;
    std::unique_ptr<VideoDecoder> decoder_;  // used by the decoder thread while it runs
    Size size_;
    // Frames are taken off the queue as they fall due, by the drawing and by the event loop's
    // queries alike: hence mutable.
    mutable VideoFrameQueue queue_;
    std::thread thread_;
    std::atomic<bool> repeat_{false};
    mutable VideoTimeline timeline_;
    bool playing_ = false;
    mutable AvFramePtr newest_;   // due, not yet uploaded
    mutable bool fresh_ = false;  // a new frame came due and was not reported or drawn yet
    AvFramePtr first_frame_;      // of the file set last, once a Stop has needed it
    VideoTexture texture_;
};

}  // namespace tolarka::platform::sdl
