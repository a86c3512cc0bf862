#pragma once
// Where a backend without a window draws its screens when asked: screenshots, and frames painted
// as a window would paint them. The headless backend draws nothing itself; a program or test that
// wants pixels hands it one (the game's renderer on an offscreen picture:
// platform/sdl/offscreen_canvas.h).
#include <string>
#include <vector>

#include "platform/geometry.h"

namespace tolarka::platform {

class Screen;

class Canvas {
public:
    virtual ~Canvas() = default;
    // Draws the screens, bottom first, afresh into a PNG file 640 x 480 times `scale`.
    virtual bool Screenshot(const std::vector<const Screen*>& screens, double scale,
                            const std::string& path) = 0;
    // Called at every present with what changed since the last one: everything (`whole`), or
    // the `parts` in pixels of the 640 x 480 display.
    virtual void Presented(const std::vector<const Screen*>& screens, bool whole,
                           const std::vector<Rect>& parts) = 0;
};

}  // namespace tolarka::platform
