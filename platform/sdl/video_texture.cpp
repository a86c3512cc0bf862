#include "platform/sdl/video_texture.h"

namespace tolarka::platform::sdl {

void VideoTexture::SetFrame(AvFramePtr frame) {
    frame_ = std::move(frame);
    uploaded_ = false;
}

void VideoTexture::Clear() {
    frame_.reset();
    uploaded_ = false;
}

void VideoTexture::Draw(SDL_Renderer* renderer, const SDL_Rect& dst) {
    if (!frame_ || !renderer) return;
    if (renderer != renderer_) uploaded_ = false;
    if (!uploaded_ && !Upload(renderer)) return;
    SDL_RenderCopy(renderer, texture_.get(), nullptr, &dst);
}

bool VideoTexture::Upload(SDL_Renderer* renderer) {
    const AVFrame& f = *frame_;
    if (!texture_ || renderer != renderer_ || f.width != width_ || f.height != height_) {
        texture_.reset();
        renderer_ = nullptr;
        texture_.reset(SDL_CreateTexture(renderer, SDL_PIXELFORMAT_IYUV, SDL_TEXTUREACCESS_STREAMING, f.width,
                                         f.height));
        if (!texture_) return false;
        // Clips are video: scaled smoothly, unlike the pictures drawn at the output's size.
        SDL_SetTextureScaleMode(texture_.get(), SDL_ScaleModeLinear);
        renderer_ = renderer;
        width_ = f.width;
        height_ = f.height;
    }
    if (SDL_UpdateYUVTexture(texture_.get(), nullptr, f.data[0], f.linesize[0], f.data[1], f.linesize[1],
                             f.data[2], f.linesize[2]) != 0) {
        return false;
    }
    uploaded_ = true;
    return true;
}

}  // namespace tolarka::platform::sdl
