// Paths and colours for the simulated desktop's Cairo drawing, in the
// context's user space (points, y downwards).
#pragma once

#include <cairo.h>

#include "platform/color.h"
#include "platform/geometry.h"
#include "platform/view_tree.h"

namespace lumetta::sim {

void setColor(cairo_t* cr, Color color);
// A rectangle with circular corners of `radius`, clamped to half the shorter side.
void roundedRectPath(cairo_t* cr, Rect r, double radius);
// A folder tab's outline: quadratic top corners, square bottom corners; turned
// by 180 degrees about its centre when the shape is rotated.
void folderTabPath(cairo_t* cr, Rect r, FolderTabShape shape);
// `r` inset by `d` on every side.
Rect inset(Rect r, double d);
Rect inset(Rect r, Insets insets);
double midX(Rect r);
double midY(Rect r);

}  // namespace lumetta::sim
