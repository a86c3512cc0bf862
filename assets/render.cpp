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

// Draws the picture onto a surface: its own coordinates stretched to picture width x height
// pixels, the surface showing the part from (x, y) on.
void DrawOn(cairo_surface_t* surface, const Artwork& art, const FontSet& fonts, int width, int height, int x,
            int y) {
    {
        std::unique_ptr<cairo_t, ContextReleaser> cr(cairo_create(surface));
        if (x != 0 || y != 0) cairo_translate(cr.get(), -x, -y);
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
    cairo_surface_flush(surface);
}

// Draws the picture into a new surface of width x height pixels, its own coordinates stretched
// to fill it.
SurfacePtr Draw(const Artwork& art, const FontSet& fonts, int width, int height) {
    SurfacePtr surface(
        cairo_image_surface_create(art.alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, width, height));
    DrawOn(surface.get(), art, fonts, width, height, 0, 0);
    return surface;
}

// Cairo's words to straight 0xAARRGGBB, in place: opaque pictures get their alpha, colour
// premultiplied by alpha is divided back.
void Straighten(std::uint32_t* row, int width, bool alpha) {
    for (int x = 0; x < width; ++x) {
        const std::uint32_t p = row[x];
        if (!alpha) {
            row[x] = p | 0xFF000000u;
            continue;
        }
        const std::uint32_t a = p >> 24;
        if (a == 0 || a == 255) {
            row[x] = a == 0 ? 0 : p;
            continue;
        }
        const auto un = [a](std::uint32_t c) { return std::min<std::uint32_t>(255, (c * 255 + a / 2) / a); };
        row[x] = a << 24 | un(p >> 16 & 0xFF) << 16 | un(p >> 8 & 0xFF) << 8 | un(p & 0xFF);
    }
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

int ScaledLength(int length, double scale) {
    return std::max(1, static_cast<int>(std::lround(length * scale)));
}

void RenderInto(const Artwork& art, const FontSet& fonts, double scale, int x, int y, int width, int height,
                std::uint32_t* pixels, int pitch) {
    SurfacePtr surface(cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(pixels), art.alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, width,
        height, pitch));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(art.name + ": " +
                                 cairo_status_to_string(cairo_surface_status(surface.get())));
    if (art.alpha) {
        // The pixels are someone else's: start from transparent, as a new surface would.
        for (int row = 0; row < height; ++row)
            std::fill_n(reinterpret_cast<std::uint32_t*>(reinterpret_cast<unsigned char*>(pixels) +
                                                         static_cast<std::ptrdiff_t>(row) * pitch),
                        width, 0u);
    }
    DrawOn(surface.get(), art, fonts, ScaledLength(art.width, scale), ScaledLength(art.height, scale), x, y);
    surface.reset();
    for (int row = 0; row < height; ++row)
        Straighten(reinterpret_cast<std::uint32_t*>(reinterpret_cast<unsigned char*>(pixels) +
                                                    static_cast<std::ptrdiff_t>(row) * pitch),
                   width, art.alpha);
}

}  // namespace tolarka::art
