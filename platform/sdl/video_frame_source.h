#pragma once
#include <SDL.h>

#include <optional>

#include "platform/clock.h"

namespace tolarka::platform::sdl {

// The picture side of a media channel, for the SDL renderer. Every call belongs to the main thread.
class VideoFrameSource {
public:
    virtual ~VideoFrameSource() = default;
    // Uploads the frame due at the clock's current time (if a newer one is ready) and draws the
    // current frame into dst: the clip's first frame once stopped, its last one once ended;
    // nothing for a clip that was only set, nor before its first frame is decoded.
    virtual void DrawFrame(SDL_Renderer* renderer, const SDL_Rect& dst) = 0;
    // The same, scaled straight into dst of a surface's pixels (no texture, no second scaling).
    // False when it cannot write that surface; the caller then draws through the renderer.
    virtual bool DrawFrameInto(SDL_Surface* surface, const SDL_Rect& dst) = 0;
    // When the next frame falls due (clock time), so the event loop can sleep until then;
    // nullopt when no video is playing.
    virtual std::optional<Millis> NextFrameDue() const = 0;
    // True when a frame newer than the one last drawn is due now (the screen must be redrawn).
    // Each new frame is reported once, so a view that is not drawn never keeps the loop busy.
    virtual bool HasNewFrame() const = 0;
};

}  // namespace tolarka::platform::sdl
