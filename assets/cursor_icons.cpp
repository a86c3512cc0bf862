// The game's pointer and the program icon at its three sizes.
#include <cstdio>

#include "assets/artwork.h"
#include "assets/palette.h"
#include "assets/program_icon.h"

namespace tolarka::art {
namespace {

// The arrow's tip is the pointer's hotspot, at pixel (1, 1).
void ArrowPath(cairo_t* cr, double dx, double dy) {
    const double points[][2] = {{1, 1},       {1, 23},      {6.5, 18},   {10.5, 27},
                                {14.5, 25.3}, {10.6, 16.6}, {17.5, 16.6}};
    cairo_move_to(cr, points[0][0] + dx, points[0][1] + dy);
    for (const auto& pt : points) cairo_line_to(cr, pt[0] + dx, pt[1] + dy);
    cairo_close_path(cr);
}

void DrawArrow(const Painter& p) {
    cairo_t* cr = p.cr();
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    ArrowPath(cr, 1.5, 1.5);
    p.FillSolid(Hex(0x000000, 0.35));
    cairo_new_path(cr);
    ArrowPath(cr, 0.5, 0.5);
    p.FillLinear(0, 1, 0, 27, {{0.0, palette::kWhite}, {1.0, palette::kCyanSoft}});
    p.Stroke(Hex(0x050A2E), 1.2);
    cairo_new_path(cr);
}

}  // namespace

void AddCursorAndIcons(ArtworkList& out) {
    out.push_back({"ARROW", 32, 32, true, DrawArrow});
    out.push_back({"ICON", 32, 32, true, [](const Painter& p) { DrawProgramIcon(p, 32); }});
    for (int size : {48, 256}) {
        char name[16];
        std::snprintf(name, sizeof name, "ICON-%d", size);
        out.push_back({name, size, size, true, [size](const Painter& p) { DrawProgramIcon(p, size); }});
    }
}

}  // namespace tolarka::art
