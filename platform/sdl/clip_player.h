#pragma once
#include <SDL.h>

#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/geometry.h"
#include "platform/sdl/thread_reaper.h"
#include "platform/sdl/video_frame_source.h"

namespace tolarka::platform::sdl {

// What a media channel asks of the clip code: one clip file at a time, its frames on the
// channel's clock. The code behind it (FFmpeg) comes from a ClipLibrary, so that the game can
// start without it. Every call belongs to the main thread.
//
// What the view shows: nothing after SetFile; the frames as they fall due while playing; the
// last frame once a clip that does not repeat has ended; the first frame after Stop, like a
// player stopped at its start. A file that cannot be opened plays nothing.
class ClipPlayer : public VideoFrameSource {
public:
    // Stops and opens the file's header; an empty path only closes the current file.
    virtual void SetFile(const std::string& path) = 0;
    virtual void Play() = 0;
    virtual void Stop() = 0;
    virtual void SetRate(double rate) = 0;
    virtual void SetRepeat(bool forever) = 0;
    virtual Size FrameSize() const = 0;
    // Playing, with frames still to come (always while repeating).
    virtual bool Running() const = 0;
};

// Makes the players of one build of the clip code.
class ClipPlayerFactory {
public:
    // wake_event_type: SDL event pushed when a frame arrives while the main loop may be asleep
    // (0 pushes nothing). reaper: takes decoder threads stopped while still busy.
    virtual std::unique_ptr<ClipPlayer> MakePlayer(const Clock& clock, Uint32 wake_event_type,
                                                   std::shared_ptr<ThreadReaper> reaper) = 0;

protected:
    ~ClipPlayerFactory() = default;
};

// The clip module's one exported function: its factory, or nullptr when the module was built
// for another version of these classes.
constexpr int kClipInterfaceVersion = 1;
constexpr const char* kClipModuleEntry = "tolarka_clip_players";
using ClipModuleEntry = ClipPlayerFactory* (*)(int interface_version);

}  // namespace tolarka::platform::sdl
