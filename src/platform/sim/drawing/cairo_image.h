// The simulated desktop's images: Cairo image surfaces, such as the bundle's
// logo read from a PNG file.
#pragma once

#include <cairo.h>

#include <optional>
#include <string>

#include "platform/image.h"

namespace lumetta::sim {

class CairoImage final : public PlatformImageImpl {
 public:
  // Takes the surface over; `pixelsPerPoint` > 1 for an image drawn for a
  // larger backing scale.
  explicit CairoImage(cairo_surface_t* surface, double pixelsPerPoint = 1);
  ~CairoImage() override;
  CairoImage(const CairoImage&) = delete;
  CairoImage& operator=(const CairoImage&) = delete;

  Size size() const override;
  cairo_surface_t* surface() const { return surface_; }

 private:
  cairo_surface_t* surface_;
  double pixelsPerPoint_;
};

// The largest image loaded, in pixels along either edge.
inline constexpr int kLargestImageEdge = 8192;

// The PNG image in the regular file at `path`, one pixel a point; nothing
// when the file is missing, unreadable, not a regular file, not a PNG,
// damaged, or larger than kLargestImageEdge along an edge (checked before
// anything is decoded).
std::optional<PlatformImage> loadPngImage(const std::string& path);

}  // namespace lumetta::sim
