// Pictures painted in tests: an opaque Cairo image at a backing scale, read
// back by point, and hand-built view nodes with their frames set.
#pragma once

#include <cairo.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/view_tree.h"

namespace lumetta::testing {

using Rgb = std::array<int, 3>;

class Painted {
 public:
  // A width x height point picture over an opaque background like the popover's.
  Painted(double width, double height, double scale = 1, Rgb background = {41, 41, 43})
      : scale_(scale),
        surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(width * scale),
                                            int(height * scale))),
        cr_(cairo_create(surface_)) {
    cairo_set_source_rgb(cr_, background[0] / 255.0, background[1] / 255.0, background[2] / 255.0);
    cairo_paint(cr_);
    cairo_scale(cr_, scale, scale);
  }
  ~Painted() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
  }
  Painted(const Painted&) = delete;
  Painted& operator=(const Painted&) = delete;

  cairo_t* cr() const { return cr_; }
  int pixelWidth() const { return cairo_image_surface_get_width(surface_); }
  int pixelHeight() const { return cairo_image_surface_get_height(surface_); }

  Rgb pixel(int x, int y) const {
    cairo_surface_flush(surface_);
    std::uint32_t argb;
    std::memcpy(&argb,
                cairo_image_surface_get_data(surface_) +
                    y * cairo_image_surface_get_stride(surface_) + x * 4,
                4);
    return {int(argb >> 16 & 255), int(argb >> 8 & 255), int(argb & 255)};
  }
  // The pixel under the point (x, y).
  Rgb at(double x, double y) const { return pixel(int(x * scale_), int(y * scale_)); }

  // Calls found(x, y, rgb) for each pixel within the point rectangle `r`.
  template <class Visit>
  void forEachPixel(Rect r, Visit found) const {
    for (int y = int(r.y * scale_); y < int((r.y + r.height) * scale_) && y < pixelHeight(); ++y) {
      for (int x = int(r.x * scale_); x < int((r.x + r.width) * scale_) && x < pixelWidth(); ++x) {
        found(x, y, pixel(x, y));
      }
    }
  }

 private:
  double scale_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

inline ViewNode viewNode(ViewKind kind, Rect frame, std::string text = {}) {
  ViewNode node;
  node.content = contentOf(kind);
  node.frame = frame;
  node.text = std::move(text);
  return node;
}

inline int brightness(Rgb rgb) { return rgb[0] + rgb[1] + rgb[2]; }

}  // namespace lumetta::testing
