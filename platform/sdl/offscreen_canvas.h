#pragma once
#include <SDL.h>

#include <memory>

#include "platform/canvas.h"
#include "platform/sdl/renderer.h"
#include "platform/text_metrics.h"

namespace tolarka::platform::sdl {

// The game's renderer on software surfaces, for a backend without a window: screenshots drawn
// afresh, and, when asked, every presented frame painted as the game's window paints it (only
// what changed, onto a picture kept from frame to frame).
class OffscreenCanvas final : public Canvas {
public:
    explicit OffscreenCanvas(TextMetrics& metrics);
    ~OffscreenCanvas() override;

    bool Screenshot(const std::vector<const Screen*>& screens, double scale,
                    const std::string& path) override;
    void Presented(const std::vector<const Screen*>& screens, bool whole,
                   const std::vector<Rect>& parts) override;

    // How clip frames are drawn (without one, clips show nothing).
    void SetVideoDrawer(Renderer::VideoDrawer drawer);
    // Paints every presented frame, 640 x 480 times `scale` (0 stops). The next frame is drawn
    // whole.
    void PaintFrames(double scale);
    // The painted picture, up to date once the backend's onPresent is called; null when not painting.
    const SDL_Surface* Frame() const;
    // Frames painted only in part.
    int FramesDrawnInPart() const { return framesInPart_; }

private:
    struct Target;
    std::unique_ptr<Target> NewTarget(double scale);

    TextMetrics& metrics_;
    Renderer::VideoDrawer videoDrawer_;
    std::unique_ptr<Target> shot_;    // screenshots, at their last scale
    std::unique_ptr<Target> frames_;  // PaintFrames
    bool wholeNext_ = true;
    int framesInPart_ = 0;
};

}  // namespace tolarka::platform::sdl
