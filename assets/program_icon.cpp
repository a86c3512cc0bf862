// The program icon: the gold coin on the studio's violet tile, with the starburst and a halo
// from 48 px up, where there is room for them.
#include "assets/program_icon.h"

#include <cairo-svg.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>

#include "assets/emblem.h"
#include "assets/palette.h"

namespace tolarka::art {

void DrawProgramIcon(const Painter& p, int size) {
    cairo_t* cr = p.cr();
    const double s = size;
    p.RoundedRect(s * 0.03, s * 0.03, s * 0.94, s * 0.94, s * 0.2);
    p.FillRadial(s / 2, s / 2, 0, s * 0.7,
                 {{0.0, Hex(0x7A40D8)}, {0.5, Hex(0x24157A)}, {1.0, Hex(0x060B3A)}});
    if (size >= 48) {
        // Larger sizes have room for the studio's starburst behind the coin.
        cairo_save(cr);
        cairo_clip_preserve(cr);
        cairo_new_path(cr);
        for (int i = 0; i < 20; ++i) {
            const double a0 = i * 2 * M_PI / 20;
            const double a1 = a0 + M_PI / 20;
            cairo_move_to(cr, s / 2, s / 2);
            cairo_line_to(cr, s / 2 + s * std::cos(a0), s / 2 + s * std::sin(a0));
            cairo_line_to(cr, s / 2 + s * std::cos(a1), s / 2 + s * std::sin(a1));
            cairo_close_path(cr);
        }
        p.FillRadial(s / 2, s / 2, s * 0.1, s * 0.7, {{0.0, Hex(0xC0A0FF, 0.35)}, {1.0, Hex(0x4060FF, 0.0)}});
        cairo_new_path(cr);
        cairo_restore(cr);
        p.RoundedRect(s * 0.03, s * 0.03, s * 0.94, s * 0.94, s * 0.2);
    }
    p.Stroke(palette::kCyan, std::max(1.0, s * 0.035));
    cairo_new_path(cr);
    if (size >= 48) {
        p.Ellipse(s / 2, s / 2, s * 0.45, s * 0.45);
        p.FillRadial(s / 2, s / 2, s * 0.34, s * 0.45,
                     {{0.0, Hex(0xFFD23A, 0.55)}, {1.0, Hex(0xFFD23A, 0.0)}});
        cairo_new_path(cr);
    }
    DrawCoin(p, s / 2, s / 2, s * 0.36);
}

Artwork ProgramIconArtwork(int size) {
    return {"DESKTOP-ICON-" + std::to_string(size), size, size, true,
            [size](const Painter& p) { DrawProgramIcon(p, size); }};
}

namespace {

cairo_status_t AppendText(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::string RenderProgramIconSvg(const FontSet& fonts) {
    constexpr int kSize = 256;
    std::string svg;
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_svg_surface_create_for_stream(AppendText, &svg, kSize, kSize), cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()), cairo_destroy);
    DrawProgramIcon(Painter(cr.get(), fonts), kSize);
    const cairo_status_t status = cairo_status(cr.get());
    cr.reset();
    cairo_surface_finish(surface.get());
    if (status != CAIRO_STATUS_SUCCESS || cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(std::string("ikonu SVG nelze nakreslit: ") + cairo_status_to_string(status));
    return svg;
}

}  // namespace tolarka::art
