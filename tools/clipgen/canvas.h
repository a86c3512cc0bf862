// A cairo image surface with its drawing context, owned together.
#pragma once

#include <cairo.h>

#include <memory>
#include <string>

namespace clipgen {

struct CairoSurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct CairoDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
struct CairoPatternDeleter {
    void operator()(cairo_pattern_t* pattern) const { cairo_pattern_destroy(pattern); }
};
struct CairoPathDeleter {
    void operator()(cairo_path_t* path) const { cairo_path_destroy(path); }
};
using PathPtr = std::unique_ptr<cairo_path_t, CairoPathDeleter>;
using SurfacePtr = std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter>;
using CairoPtr = std::unique_ptr<cairo_t, CairoDeleter>;
using PatternPtr = std::unique_ptr<cairo_pattern_t, CairoPatternDeleter>;

class Canvas {
public:
    // Throws std::runtime_error when cairo cannot make the surface.
    Canvas(int width, int height);

    cairo_t* Context() const { return cr_.get(); }
    cairo_surface_t* Surface() const { return surface_.get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Finishes pending drawing and returns the BGRA pixel rows.
    const unsigned char* Pixels() const;
    int Stride() const;

    void WritePng(const std::string& path) const;

private:
    int width_;
    int height_;
    SurfacePtr surface_;
    CairoPtr cr_;
};

}  // namespace clipgen
