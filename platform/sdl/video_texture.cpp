#include "platform/sdl/video_texture.h"

#include <cstdint>
#include <cstring>

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

namespace {
// The FFmpeg name of a 32-bit SDL pixel layout (as words in memory on a little-endian machine).
AVPixelFormat AvFormatOf(Uint32 sdl) {
    if (SDL_BYTEORDER != SDL_LIL_ENDIAN) return AV_PIX_FMT_NONE;
    switch (sdl) {
        case SDL_PIXELFORMAT_ARGB8888: return AV_PIX_FMT_BGRA;
        case SDL_PIXELFORMAT_RGB888: return AV_PIX_FMT_BGR0;
        case SDL_PIXELFORMAT_ABGR8888: return AV_PIX_FMT_RGBA;
        case SDL_PIXELFORMAT_BGR888: return AV_PIX_FMT_RGB0;
        default: return AV_PIX_FMT_NONE;
    }
}
}  // namespace

uint8_t* VideoTexture::OwnRows(int width, int height, int* stride) {
    // The converter's vector code writes whole blocks of sixteen pixels, past the end of a row
    // that is not a multiple of them: rows of its own have room to spare.
    *stride = (width + 32) * 4;
    scaled_.resize(static_cast<size_t>(*stride) * static_cast<size_t>(height) + 64);
    return reinterpret_cast<uint8_t*>((reinterpret_cast<std::uintptr_t>(scaled_.data()) + 63) &
                                      ~std::uintptr_t{63});
}

bool VideoTexture::Convert(const AVFrame& source, AVPixelFormat format, uint8_t* pixels, int pitch) {
    scaler_.reset(sws_getCachedContext(scaler_.release(), source.width, source.height,
                                       static_cast<AVPixelFormat>(source.format), source.width, source.height,
                                       format, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!scaler_) return false;
    uint8_t* planes[4] = {pixels, nullptr, nullptr, nullptr};
    const int strides[4] = {pitch, 0, 0, 0};
    return sws_scale(scaler_.get(), source.data, source.linesize, 0, source.height, planes, strides) ==
           source.height;
}

const AVFrame* VideoTexture::Resized(const AVFrame& source, int width, int height) {
    // Bilinear, as the texture path filters. The YUV planes are scaled first and converted at the
    // output's size after: FFmpeg's vector code does both steps, while scaling straight into
    // packed pixels converts each of them in plain C (a tenth dearer, measured).
    const auto yuv = static_cast<AVPixelFormat>(source.format);
    resizer_.reset(sws_getCachedContext(resizer_.release(), source.width, source.height, yuv, width, height,
                                        yuv, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!resizer_) return nullptr;
    if (!resized_ || resized_->width != width || resized_->height != height || resized_->format != yuv) {
        resized_.reset(av_frame_alloc());
        if (!resized_) return nullptr;
        resized_->width = width;
        resized_->height = height;
        resized_->format = yuv;
        if (av_frame_get_buffer(resized_.get(), 64) < 0) {
            resized_.reset();
            return nullptr;
        }
    }
    if (sws_scale(resizer_.get(), source.data, source.linesize, 0, source.height, resized_->data,
                  resized_->linesize) != height)
        return nullptr;
    return resized_.get();
}

bool VideoTexture::DrawInto(SDL_Surface* surface, const SDL_Rect& dst) {
    if (!frame_ || !surface || dst.w <= 0 || dst.h <= 0) return false;
    const AVPixelFormat format = AvFormatOf(surface->format->format);
    if (format == AV_PIX_FMT_NONE) return false;
    if (dst.x < 0 || dst.y < 0 || dst.x + dst.w > surface->w || dst.y + dst.h > surface->h) return false;
    const AVFrame* source = frame_.get();
    const bool same = dst.w == source->width && dst.h == source->height;
    // Enlarged (a clip full screen): converted at the clip's own size, a fraction of the output's
    // pixels, then stretched as 32-bit pixels. Made smaller: the planes are scaled by FFmpeg.
    const bool stretch = !same && dst.w >= source->width && dst.h >= source->height && source->width >= 2 &&
                         source->height >= 2;
    if (!same && !stretch && !(source = Resized(*source, dst.w, dst.h))) return false;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return false;
    auto* pixels = static_cast<uint8_t*>(surface->pixels) +
                   static_cast<std::ptrdiff_t>(dst.y) * surface->pitch +
                   static_cast<std::ptrdiff_t>(dst.x) * 4;
    bool done = false;
    if (stretch) {
        int stride = 0;
        uint8_t* rows = OwnRows(source->width, source->height, &stride);
        done =
            Convert(*source, format, rows, stride) &&
            stretch_.Run(rows, source->width, source->height, stride, pixels, dst.w, dst.h, surface->pitch);
    } else if (dst.w % 16 == 0) {
        // Whole blocks of sixteen pixels: the converter writes exactly the rectangle.
        done = Convert(*source, format, pixels, surface->pitch);
    } else {
        int stride = 0;
        uint8_t* rows = OwnRows(dst.w, dst.h, &stride);
        done = Convert(*source, format, rows, stride);
        for (int y = 0; done && y < dst.h; ++y)
            std::memcpy(pixels + static_cast<std::ptrdiff_t>(y) * surface->pitch,
                        rows + static_cast<std::ptrdiff_t>(y) * stride, static_cast<size_t>(dst.w) * 4);
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    return done;
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
