#include "scene.h"
#include "studio.h"

namespace clipgen {

StageLayout LayoutFor(double width, double height) {
    const double sx = width / 640.0;
    const double sy = height / 480.0;
    const double s = sx < sy ? sx : sy;
    return StageLayout{width,  height,      width * 0.5,   height * 0.45, 118 * s,
                       92 * s, width * 0.5, height * 0.72, width * 0.45,  height * 0.1};
}

namespace {
void PaintStage(cairo_t* cr, const StageLayout& l, const Rgb& accent, double level) {
    PaintBackdrop(cr, l.width, l.height, accent, 0.25 + 0.75 * level);
    PaintStageFloor(cr, l.floorX, l.floorY, l.floorRx, l.floorRy, accent, 0.2 + 0.8 * level);
    GlowEllipse(cr, l.ringX, l.ringY, l.ringRadius * 1.5, l.ringRadius * 1.5, accent, 0.05 + 0.2 * level);
    PaintCentreDisc(cr, l.ringX, l.ringY, l.discRadius, accent, level);
}
}  // namespace

StageLayers::StageLayers(const StageLayout& layout, const Rgb& accent)
    : layout_(layout),
      dark_(static_cast<int>(layout.width), static_cast<int>(layout.height)),
      lit_(static_cast<int>(layout.width), static_cast<int>(layout.height)) {
    PaintStage(dark_.Context(), layout_, accent, 0.0);
    PaintStage(lit_.Context(), layout_, accent, 1.0);
}

void StageLayers::Paint(cairo_t* cr, double level) const {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, dark_.Surface(), 0, 0);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    if (level > 0.001) {
        cairo_set_source_surface(cr, lit_.Surface(), 0, 0);
        cairo_paint_with_alpha(cr, Clamp01(level));
    }
    cairo_restore(cr);
}

}  // namespace clipgen
