// A clip's picture as a function of time; scenes may keep pre-drawn layers between frames.
#pragma once

#include <cairo.h>

#include "canvas.h"
#include "paint.h"

namespace clipgen {

class Scene {
public:
    virtual ~Scene() = default;
    // Paints the whole frame at clip time t (seconds from the first frame).
    virtual void Paint(cairo_t* cr, double t) = 0;
};

// Where the stage pieces sit, scaled from the 640 x 480 animation screen.
struct StageLayout {
    double width, height;
    double ringX, ringY, ringRadius, discRadius;
    double floorX, floorY, floorRx, floorRy;
};
StageLayout LayoutFor(double width, double height);

// The stage painted twice, dimmed and fully lit, so a frame only blends the two and adds its light.
class StageLayers {
public:
    StageLayers(const StageLayout& layout, const Rgb& accent);
    // level 0 = house lights down, 1 = stage fully lit.
    void Paint(cairo_t* cr, double level) const;
    const StageLayout& Layout() const { return layout_; }

private:
    StageLayout layout_;
    Canvas dark_;
    Canvas lit_;
};

}  // namespace clipgen
