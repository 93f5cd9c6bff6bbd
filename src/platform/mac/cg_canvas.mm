#include "platform/mac/cg_canvas.h"

#include <algorithm>
#include <vector>

#include "platform/mac/cf_ref.h"

namespace lumetta::mac {

namespace {

CGRect cgRect(Rect rect) { return CGRectMake(rect.x, rect.y, rect.width, rect.height); }

CFRef<CGColorRef> cgColor(Color color) {
  return CFRef<CGColorRef>::adopt(
      CGColorCreateSRGB(color.red, color.green, color.blue, color.alpha));
}

// Core Graphics rejects radii over half a side; the canvas, like the
// platform's rounded rectangles, clamps them.
CFRef<CGPathRef> roundedRectPath(Rect rect, double radiusX, double radiusY) {
  const CGRect bounds = CGRectStandardize(cgRect(rect));
  const double rx = std::clamp(radiusX, 0.0, bounds.size.width / 2);
  const double ry = std::clamp(radiusY, 0.0, bounds.size.height / 2);
  return CFRef<CGPathRef>::adopt(CGPathCreateWithRoundedRect(bounds, rx, ry, nullptr));
}

}  // namespace

void CGCanvas::clear(Rect rect) { CGContextClearRect(context_, cgRect(rect)); }

void CGCanvas::save() { CGContextSaveGState(context_); }

void CGCanvas::restore() { CGContextRestoreGState(context_); }

void CGCanvas::clipToRects(std::span<const Rect> rects) {
  std::vector<CGRect> cgRects;
  cgRects.reserve(rects.size());
  for (const Rect& rect : rects) cgRects.push_back(cgRect(rect));
  // The union of no rectangles is empty, and so is the clip.
  if (cgRects.empty()) cgRects.push_back(CGRectMake(0, 0, 0, 0));
  CGContextClipToRects(context_, cgRects.data(), cgRects.size());
}

void CGCanvas::clipToRoundedRect(Rect rect, double radiusX, double radiusY) {
  const auto path = roundedRectPath(rect, radiusX, radiusY);
  CGContextAddPath(context_, path.get());
  CGContextClip(context_);
}

void CGCanvas::strokeRoundedRect(Rect rect, double radiusX, double radiusY, Color color,
                                 double lineWidth) {
  const auto path = roundedRectPath(rect, radiusX, radiusY);
  CGContextSetStrokeColorWithColor(context_, cgColor(color).get());
  CGContextSetLineWidth(context_, lineWidth);
  CGContextAddPath(context_, path.get());
  CGContextStrokePath(context_);
}

void CGCanvas::fillRect(Rect rect, Color color) {
  CGContextSetFillColorWithColor(context_, cgColor(color).get());
  CGContextFillRect(context_, cgRect(rect));
}

}  // namespace lumetta::mac
