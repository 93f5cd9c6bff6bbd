#include "platform/sim/drawing/cairo_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace lumetta::sim {

namespace {

double bounded(double value) {
  return std::isnan(value) ? 0.0 : std::clamp(value, -kLargestCoordinate, kLargestCoordinate);
}

// The rectangle with every edge brought within kLargestCoordinate of the
// origin: on an image no larger than kLargestImageSide the same pixels show,
// and Cairo never sees a coordinate it cannot hold.
Rect bounded(Rect r) {
  const double x0 = bounded(r.minX()), x1 = bounded(r.maxX());
  const double y0 = bounded(r.minY()), y1 = bounded(r.maxY());
  return {x0, y0, x1 - x0, y1 - y0};
}

}  // namespace

CairoCanvas::CairoCanvas(cairo_surface_t* surface, double height, double scale)
    : cr_(cairo_create(surface)) {
  cairo_scale(cr_, scale, scale);
  cairo_translate(cr_, 0, height);
  cairo_scale(cr_, 1, -1);
}

CairoCanvas::~CairoCanvas() { cairo_destroy(cr_); }

void CairoCanvas::clear(Rect rect) {
  rect = bounded(rect);
  cairo_save(cr_);
  cairo_set_operator(cr_, CAIRO_OPERATOR_CLEAR);
  cairo_rectangle(cr_, rect.x, rect.y, rect.width, rect.height);
  cairo_fill(cr_);
  cairo_restore(cr_);
}

void CairoCanvas::save() { cairo_save(cr_); }
void CairoCanvas::restore() { cairo_restore(cr_); }

void CairoCanvas::clipToRects(std::span<const Rect> rects) {
  cairo_new_path(cr_);
  cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_WINDING);
  for (const Rect& given : rects) {
    const Rect r = bounded(given);
    // Each rectangle wound the same way, so overlaps stay inside the union.
    cairo_move_to(cr_, r.minX(), r.minY());
    cairo_line_to(cr_, r.maxX(), r.minY());
    cairo_line_to(cr_, r.maxX(), r.maxY());
    cairo_line_to(cr_, r.minX(), r.maxY());
    cairo_close_path(cr_);
  }
  cairo_clip(cr_);
}

void CairoCanvas::roundedRectPath(Rect given, double radiusX, double radiusY) {
  const Rect r = bounded(given);
  // Radii never exceed half a side, as the platform's rounded rectangles do.
  const double rx = std::clamp(radiusX, 0.0, std::abs(r.width) / 2);
  const double ry = std::clamp(radiusY, 0.0, std::abs(r.height) / 2);
  cairo_new_path(cr_);
  if (rx <= 0 || ry <= 0) {
    cairo_rectangle(cr_, r.x, r.y, r.width, r.height);
    return;
  }
  auto corner = [&](double cx, double cy, double from) {
    cairo_save(cr_);
    cairo_translate(cr_, cx, cy);
    cairo_scale(cr_, rx, ry);
    cairo_arc(cr_, 0, 0, 1, from, from + M_PI / 2);
    cairo_restore(cr_);
  };
  corner(r.maxX() - rx, r.minY() + ry, -M_PI / 2);
  corner(r.maxX() - rx, r.maxY() - ry, 0);
  corner(r.minX() + rx, r.maxY() - ry, M_PI / 2);
  corner(r.minX() + rx, r.minY() + ry, M_PI);
  cairo_close_path(cr_);
}

void CairoCanvas::clipToRoundedRect(Rect rect, double radiusX, double radiusY) {
  roundedRectPath(rect, radiusX, radiusY);
  cairo_clip(cr_);
}

void CairoCanvas::strokeRoundedRect(Rect rect, double radiusX, double radiusY, Color color,
                                    double lineWidth) {
  roundedRectPath(rect, radiusX, radiusY);
  cairo_set_source_rgba(cr_, color.red, color.green, color.blue, color.alpha);
  cairo_set_line_width(cr_, std::max(0.0, bounded(lineWidth)));
  cairo_stroke(cr_);
}

void CairoCanvas::fillRect(Rect given, Color color) {
  const Rect rect = bounded(given);
  cairo_set_source_rgba(cr_, color.red, color.green, color.blue, color.alpha);
  cairo_rectangle(cr_, rect.x, rect.y, rect.width, rect.height);
  cairo_fill(cr_);
}

Bitmap bitmapOf(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  Bitmap bitmap;
  bitmap.width = cairo_image_surface_get_width(surface);
  bitmap.height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  bitmap.pixels.resize(std::size_t(bitmap.width) * bitmap.height * 4);
  for (int y = 0; y < bitmap.height; ++y) {
    for (int x = 0; x < bitmap.width; ++x) {
      std::uint32_t argb;  // native-endian, premultiplied
      std::memcpy(&argb, data + y * stride + x * 4, 4);
      std::uint8_t* out = &bitmap.pixels[(std::size_t(y) * bitmap.width + x) * 4];
      out[0] = std::uint8_t(argb >> 16);
      out[1] = std::uint8_t(argb >> 8);
      out[2] = std::uint8_t(argb);
      out[3] = std::uint8_t(argb >> 24);
    }
  }
  return bitmap;
}

}  // namespace lumetta::sim
