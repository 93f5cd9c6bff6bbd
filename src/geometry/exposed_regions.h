// The parts of a rectangle that no covering rectangle overlaps, in
// window-server coordinates.
#pragma once

#include <ostream>
#include <span>
#include <vector>

#include "platform/geometry.h"

namespace lumetta {

// Disjoint pieces of `rect` left by successive splitting: each cover, in
// order, replaces every piece it overlaps by up to four strips (left and
// right at the piece's full height, then the small-y and large-y strips at the
// overlap's width). A rectangle without positive width and height has no
// pieces; a cover that only touches a piece leaves it whole.
std::vector<Rect> exposedRectangles(Rect rect, std::span<const Rect> covers);

// The built-in check of exposedRectangles over a 100 x 20 bar, six lines.
bool visibilitySelfTest(std::ostream& out);

}  // namespace lumetta
