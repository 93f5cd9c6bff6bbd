// The few drawing operations the overlay needs, in a view's own coordinates:
// origin at the bottom-left corner, y upwards, points.
#pragma once

#include <span>

#include "platform/color.h"
#include "platform/geometry.h"

namespace lumetta {

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Erases `rect` to transparent (copy compositing).
  virtual void clear(Rect rect) = 0;
  virtual void save() = 0;
  virtual void restore() = 0;
  // Intersects the clip with the union of the rectangles (non-zero winding).
  virtual void clipToRects(std::span<const Rect> rects) = 0;
  virtual void clipToRoundedRect(Rect rect, double radiusX, double radiusY) = 0;
  virtual void strokeRoundedRect(Rect rect, double radiusX, double radiusY, Color color,
                                 double lineWidth) = 0;
  // Source-over.
  virtual void fillRect(Rect rect, Color color) = 0;
};

}  // namespace lumetta
