#include "canvas.h"

#include <stdexcept>

namespace clipgen {

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_.get())) {
    if (cairo_surface_status(surface_.get()) != CAIRO_STATUS_SUCCESS ||
        cairo_status(cr_.get()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("nelze vytvořit plátno pro kreslení");
}

const unsigned char* Canvas::Pixels() const {
    cairo_surface_flush(surface_.get());
    return cairo_image_surface_get_data(surface_.get());
}

int Canvas::Stride() const { return cairo_image_surface_get_stride(surface_.get()); }

void Canvas::WritePng(const std::string& path) const {
    cairo_surface_flush(surface_.get());
    if (cairo_surface_write_to_png(surface_.get(), path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("nelze zapsat obrázek " + path);
}

}  // namespace clipgen
