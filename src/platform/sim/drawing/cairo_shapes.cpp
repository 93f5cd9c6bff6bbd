#include "platform/sim/drawing/cairo_shapes.h"

#include <algorithm>
#include <cmath>

namespace lumetta::sim {

void setColor(cairo_t* cr, Color color) {
  cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
}

void roundedRectPath(cairo_t* cr, Rect r, double radius) {
  const double rad = std::max(0.0, std::min({radius, r.width / 2, r.height / 2}));
  cairo_new_sub_path(cr);
  cairo_arc(cr, r.maxX() - rad, r.minY() + rad, rad, -M_PI / 2, 0);
  cairo_arc(cr, r.maxX() - rad, r.maxY() - rad, rad, 0, M_PI / 2);
  cairo_arc(cr, r.minX() + rad, r.maxY() - rad, rad, M_PI / 2, M_PI);
  cairo_arc(cr, r.minX() + rad, r.minY() + rad, rad, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

namespace {

// Cairo draws cubic curves: the quadratic from p0 through control c to p1
// has the cubic controls p0 + 2/3 (c - p0) and p1 + 2/3 (c - p1).
void quadraticTo(cairo_t* cr, Point from, Point control, Point to) {
  cairo_curve_to(cr, from.x + 2.0 / 3 * (control.x - from.x),
                 from.y + 2.0 / 3 * (control.y - from.y), to.x + 2.0 / 3 * (control.x - to.x),
                 to.y + 2.0 / 3 * (control.y - to.y), to.x, to.y);
}

}  // namespace

void folderTabPath(cairo_t* cr, Rect r, FolderTabShape shape) {
  const double radius = FolderTabShape::kRadius;
  cairo_save(cr);
  if (shape.rotated) {
    cairo_translate(cr, midX(r), midY(r));
    cairo_rotate(cr, M_PI);
    cairo_translate(cr, -midX(r), -midY(r));
  }
  const double minX = r.minX(), maxX = r.maxX(), minY = r.minY(), maxY = r.maxY();
  cairo_new_sub_path(cr);
  cairo_move_to(cr, minX, maxY);
  cairo_line_to(cr, minX, minY + radius);
  quadraticTo(cr, {minX, minY + radius}, {minX, minY}, {minX + radius, minY});
  cairo_line_to(cr, maxX - radius, minY);
  quadraticTo(cr, {maxX - radius, minY}, {maxX, minY}, {maxX, minY + radius});
  cairo_line_to(cr, maxX, maxY);
  cairo_close_path(cr);
  cairo_restore(cr);  // the path stays, in user space
}

Rect inset(Rect r, double d) { return inset(r, Insets::all(d)); }

Rect inset(Rect r, Insets insets) {
  return {r.minX() + insets.leading, r.minY() + insets.top,
          std::max(0.0, std::abs(r.width) - insets.leading - insets.trailing),
          std::max(0.0, std::abs(r.height) - insets.top - insets.bottom)};
}

double midX(Rect r) { return (r.minX() + r.maxX()) / 2; }
double midY(Rect r) { return (r.minY() + r.maxY()) / 2; }

}  // namespace lumetta::sim
