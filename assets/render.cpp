#include "assets/render.h"

#include <cairo.h>

#include <memory>
#include <stdexcept>

namespace tolarka::art {
namespace {

struct SurfaceReleaser {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextReleaser {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
struct OptionsReleaser {
    void operator()(cairo_font_options_t* o) const { cairo_font_options_destroy(o); }
};

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::vector<unsigned char>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::vector<unsigned char> RenderPng(const Artwork& art, const FontSet& fonts) {
    std::unique_ptr<cairo_surface_t, SurfaceReleaser> surface(
        cairo_image_surface_create(art.alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, art.width, art.height));
    {
        std::unique_ptr<cairo_t, ContextReleaser> cr(cairo_create(surface.get()));
        // Grey-scale anti-aliasing with light hinting: crisp small text without colour fringes.
        std::unique_ptr<cairo_font_options_t, OptionsReleaser> options(cairo_font_options_create());
        cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_SLIGHT);
        cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
        cairo_set_font_options(cr.get(), options.get());
        if (!art.alpha) {
            cairo_set_source_rgb(cr.get(), 0, 0, 0);
            cairo_paint(cr.get());
        }
        try {
            art.draw(Painter(cr.get(), fonts));
        } catch (const std::exception& e) {
            throw std::runtime_error(art.name + ": " + e.what());
        }
        if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
            throw std::runtime_error(art.name + ": " + cairo_status_to_string(cairo_status(cr.get())));
        }
    }
    std::vector<unsigned char> png;
    if (cairo_surface_write_to_png_stream(surface.get(), AppendBytes, &png) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error(art.name + ": PNG nelze zapsat");
    }
    return png;
}

}  // namespace tolarka::art
