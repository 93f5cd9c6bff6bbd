// The parts of a rectangle that no covering rectangle overlaps, in
// window-server coordinates (the window list's), where the windows in front of
// one are known.
#pragma once

#include <span>
#include <vector>

#include "platform/geometry.h"

namespace lumetta {

// Disjoint pieces of `rect` left by successive splitting: each cover, in
// order, replaces every piece it overlaps by up to four strips (left and
// right at the piece's full height, then the small-y and large-y strips at the
// overlap's width). A rectangle with a zero size has no pieces; one with a
// negative size stands for the area it spans, as a cover does, and is
// returned as given while no cover overlaps it. A cover that only touches a
// piece leaves it whole.
std::vector<ServerRect> exposedRectangles(ServerRect rect, std::span<const ServerRect> covers);

}  // namespace lumetta
