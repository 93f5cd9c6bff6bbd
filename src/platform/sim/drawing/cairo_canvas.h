// The simulated desktop's canvas: Cairo, flipped so that the overlay draws in
// view coordinates (origin bottom-left, y up) and scaled to the backing.
//
// Implements: every drawing operation of the Canvas.
// Ignores: colour management: components are drawn as given.
#pragma once

#include <cairo.h>

#include "platform/canvas.h"
#include "platform/panels.h"

namespace lumetta::sim {

// What the simulated desktop draws stays within these: no image is larger
// than kLargestImageSide pixels on a side, and nothing drawn has an edge
// farther than kLargestCoordinate points from the origin (far inside the
// range Cairo's fixed-point arithmetic holds exactly).
inline constexpr int kLargestImageSide = 8192;
inline constexpr double kLargestCoordinate = 1'000'000;

class CairoCanvas final : public Canvas {
 public:
  // Draws onto `surface`, whose height in points is `height`.
  CairoCanvas(cairo_surface_t* surface, double height, double scale);
  ~CairoCanvas() override;
  CairoCanvas(const CairoCanvas&) = delete;
  CairoCanvas& operator=(const CairoCanvas&) = delete;

  void clear(Rect rect) override;
  void save() override;
  void restore() override;
  void clipToRects(std::span<const Rect> rects) override;
  void clipToRoundedRect(Rect rect, double radiusX, double radiusY) override;
  void strokeRoundedRect(Rect rect, double radiusX, double radiusY, Color color,
                         double lineWidth) override;
  void fillRect(Rect rect, Color color) override;

 private:
  void roundedRectPath(Rect rect, double radiusX, double radiusY);
  cairo_t* cr_;
};

// An ARGB32 image surface as RGBA bytes, row 0 at the top.
Bitmap bitmapOf(cairo_surface_t* surface);

}  // namespace lumetta::sim
