#include "assets/render.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
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

using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceReleaser>;

// Draws the picture into a new surface of width x height pixels, its own coordinates stretched
// to fill it.
SurfacePtr Draw(const Artwork& art, const FontSet& fonts, int width, int height) {
    SurfacePtr surface(
        cairo_image_surface_create(art.alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, width, height));
    {
        std::unique_ptr<cairo_t, ContextReleaser> cr(cairo_create(surface.get()));
        if (width != art.width || height != art.height)
            cairo_scale(cr.get(), static_cast<double>(width) / art.width,
                        static_cast<double>(height) / art.height);
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
    cairo_surface_flush(surface.get());
    return surface;
}

}  // namespace

std::vector<unsigned char> RenderPng(const Artwork& art, const FontSet& fonts) {
    const SurfacePtr surface = Draw(art, fonts, art.width, art.height);
    std::vector<unsigned char> png;
    if (cairo_surface_write_to_png_stream(surface.get(), AppendBytes, &png) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error(art.name + ": PNG nelze zapsat");
    }
    return png;
}

}  // namespace tolarka::art

namespace tolarka::art {

Pixels RenderPixels(const Artwork& art, const FontSet& fonts, double scale) {
    Pixels out;
    out.width = std::max(1, static_cast<int>(std::lround(art.width * scale)));
    out.height = std::max(1, static_cast<int>(std::lround(art.height * scale)));
    const SurfacePtr surface = Draw(art, fonts, out.width, out.height);
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    out.argb.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
    for (int y = 0; y < out.height; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        std::uint32_t* dst =
            out.argb.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(out.width);
        for (int x = 0; x < out.width; ++x) {
            const std::uint32_t p = row[x];
            if (!art.alpha) {
                dst[x] = p | 0xFF000000u;
                continue;
            }
            // Cairo keeps colour premultiplied by alpha; textures want it straight.
            const std::uint32_t a = p >> 24;
            if (a == 0 || a == 255) {
                dst[x] = a == 0 ? 0 : p;
                continue;
            }
            const auto un = [a](std::uint32_t c) {
                return std::min<std::uint32_t>(255, (c * 255 + a / 2) / a);
            };
            dst[x] = a << 24 | un(p >> 16 & 0xFF) << 16 | un(p >> 8 & 0xFF) << 8 | un(p & 0xFF);
        }
    }
    return out;
}

}  // namespace tolarka::art
