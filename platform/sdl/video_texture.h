#pragma once
#include <SDL.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/sdl/pixel_stretch.h"
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
    // Scales the current frame once, straight into dst of a 32-bit surface (bilinear, converting
    // to the surface's format on the way), writing no pixel outside dst. False when there is no
    // frame or the surface's format is not one it writes; nothing is drawn then.
    bool DrawInto(SDL_Surface* surface, const SDL_Rect& dst);

private:
    bool Upload(SDL_Renderer* renderer);
    // DrawInto's steps: the frame's YUV made into packed pixels at its own size; its planes
    // scaled to another size; rows of its own for the converter.
    bool Convert(const AVFrame& source, AVPixelFormat format, uint8_t* pixels, int pitch);
    const AVFrame* Resized(const AVFrame& source, int width, int height);
    uint8_t* OwnRows(int width, int height, int* stride);

    AvFramePtr frame_;
    bool uploaded_ = false;
    TexturePtr texture_;
    SDL_Renderer* renderer_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    SwsPtr resizer_;               // DrawInto, made smaller: the frame's planes to the output's size
    AvFramePtr resized_;           // ... and their pixels
    SwsPtr scaler_;                // DrawInto: YUV to the surface's pixels
    std::vector<uint8_t> scaled_;  // DrawInto's rows, wider than the picture, when they must be
    PixelStretch stretch_;         // DrawInto, enlarged: the converted rows to the output's size
};

}  // namespace tolarka::platform::sdl
