#include "platform/sdl/offscreen_canvas.h"

#include <cmath>

#include "platform/sdl/png_codec.h"
#include "platform/sdl/sdl_handles.h"

namespace tolarka::platform::sdl {

struct OffscreenCanvas::Target {
    SurfacePtr surface;
    RendererPtr renderer;
    std::unique_ptr<Renderer> painter;
    double scale = 1.0;
};

OffscreenCanvas::OffscreenCanvas(TextMetrics& metrics) : metrics_(metrics) {}

OffscreenCanvas::~OffscreenCanvas() = default;

std::unique_ptr<OffscreenCanvas::Target> OffscreenCanvas::NewTarget(double scale) {
    auto t = std::make_unique<Target>();
    t->scale = scale;
    const int w = static_cast<int>(std::lround(640 * scale));
    const int h = static_cast<int>(std::lround(480 * scale));
    t->surface.reset(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!t->surface) return t;
    t->renderer.reset(SDL_CreateSoftwareRenderer(t->surface.get()));
    if (!t->renderer) return t;
    t->painter = std::make_unique<Renderer>(t->renderer.get(), metrics_);
    t->painter->SetView(OutputView{scale, 0, 0});
    if (videoDrawer_) t->painter->SetVideoDrawer(videoDrawer_);
    return t;
}

void OffscreenCanvas::SetVideoDrawer(Renderer::VideoDrawer drawer) {
    videoDrawer_ = std::move(drawer);
    if (shot_ && shot_->painter) shot_->painter->SetVideoDrawer(videoDrawer_);
    if (frames_ && frames_->painter) frames_->painter->SetVideoDrawer(videoDrawer_);
}

void OffscreenCanvas::PaintFrames(double scale) {
    frames_.reset();
    if (scale > 0) frames_ = NewTarget(scale);
    wholeNext_ = true;
}

const SDL_Surface* OffscreenCanvas::Frame() const { return frames_ ? frames_->surface.get() : nullptr; }

void OffscreenCanvas::Presented(const std::vector<const Screen*>& screens, bool whole,
                                const std::vector<Rect>& parts) {
    if (!frames_ || !frames_->painter) return;
    Renderer::Damage damage;
    damage.whole = whole || wholeNext_;
    for (const Rect& r : parts) damage.parts.push_back(SDL_Rect{r.left, r.top, r.width, r.height});
    frames_->painter->SetDirectSurface(frames_->surface.get());
    if (!frames_->painter->Repaint(screens, damage).whole) ++framesInPart_;
    SDL_RenderFlush(frames_->renderer.get());
    wholeNext_ = false;
}

bool OffscreenCanvas::Screenshot(const std::vector<const Screen*>& screens, double scale,
                                 const std::string& path) {
    if (!shot_ || shot_->scale != scale) shot_ = NewTarget(scale);
    if (!shot_->painter) return false;
    shot_->painter->Draw(screens);
    SDL_RenderPresent(shot_->renderer.get());
    return SavePng(shot_->surface.get(), path);
}

}  // namespace tolarka::platform::sdl
