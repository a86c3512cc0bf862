#pragma once
#include <SDL.h>

#include <memory>

#include "platform/sdl/sdl_handles.h"
#include "platform/sdl/video_av_handles.h"

namespace tolarka::platform::sdl {

// The picture a clip channel shows: the current YUV420P frame and the IYUV streaming texture it
// is uploaded to. Main thread only.
class VideoTexture {
public:
    // Takes the frame to show from now on; it is uploaded at the next Draw.
    void SetFrame(AvFramePtr frame);
    // Forgets the frame: Draw shows nothing until the next SetFrame. Keeps the texture for reuse.
    void Clear();
    // Draws the current frame scaled into dst; a new renderer gets a texture of its own.
    void Draw(SDL_Renderer* renderer, const SDL_Rect& dst);

private:
    bool Upload(SDL_Renderer* renderer);

    AvFramePtr frame_;
    bool uploaded_ = false;
    TexturePtr texture_;
    SDL_Renderer* renderer_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace tolarka::platform::sdl
