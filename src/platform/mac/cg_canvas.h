// The overlay's drawing operations over a Core Graphics context, whose
// coordinates are already the view's: origin bottom-left, y up.
//
// Implements: every drawing operation of the Canvas.
// Ignores: nothing of the seam.
#pragma once

#include <CoreGraphics/CoreGraphics.h>

#include "platform/canvas.h"

namespace lumetta::mac {

class CGCanvas final : public Canvas {
 public:
  explicit CGCanvas(CGContextRef context) : context_(context) {}

  void clear(Rect rect) override;
  void save() override;
  void restore() override;
  void clipToRects(std::span<const Rect> rects) override;
  void clipToRoundedRect(Rect rect, double radiusX, double radiusY) override;
  void strokeRoundedRect(Rect rect, double radiusX, double radiusY, Color color,
                         double lineWidth) override;
  void fillRect(Rect rect, Color color) override;

 private:
  CGContextRef context_;  // the caller's
};

}  // namespace lumetta::mac
