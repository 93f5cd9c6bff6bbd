#include "platform/sim/cairo_image.h"

#include <memory>

namespace lumetta::sim {

CairoImage::CairoImage(cairo_surface_t* surface, double pixelsPerPoint)
    : surface_(surface), pixelsPerPoint_(pixelsPerPoint > 0 ? pixelsPerPoint : 1) {}

CairoImage::~CairoImage() { cairo_surface_destroy(surface_); }

Size CairoImage::size() const {
  return {cairo_image_surface_get_width(surface_) / pixelsPerPoint_,
          cairo_image_surface_get_height(surface_) / pixelsPerPoint_};
}

std::optional<PlatformImage> loadPngImage(const std::string& path) {
  cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return std::nullopt;
  }
  return PlatformImage(std::make_shared<CairoImage>(surface));
}

}  // namespace lumetta::sim
