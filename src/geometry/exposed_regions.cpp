#include "geometry/exposed_regions.h"

#include <algorithm>
#include <cmath>

namespace lumetta {

namespace {

// A rectangle spans no area when a size is zero (the null rectangle's are) or
// not a number; a negative size spans from the other edge.
bool spansNoArea(const ServerRect& rect) {
  return !(std::abs(rect.width) > 0 && std::abs(rect.height) > 0);
}

// For rectangles built from edges, whose sizes are never negative: empty when
// the two are apart or only share an edge or a corner.
bool isEmpty(const ServerRect& rect) { return !(rect.width > 0 && rect.height > 0); }

ServerRect intersection(const ServerRect& a, const ServerRect& b) {
  const double x = std::max(a.minX(), b.minX());
  const double y = std::max(a.minY(), b.minY());
  return {x, y, std::min(a.maxX(), b.maxX()) - x, std::min(a.maxY(), b.maxY()) - y};
}

}  // namespace

std::vector<ServerRect> exposedRectangles(ServerRect rect, std::span<const ServerRect> covers) {
  if (spansNoArea(rect)) return {};
  std::vector<ServerRect> pieces{rect};
  std::vector<ServerRect> next;  // kept across covers so its storage is reused
  for (const ServerRect& cover : covers) {
    if (pieces.empty()) break;  // nothing left to hide
    // The pieces lie inside `rect`: most windows in front are elsewhere on screen.
    if (isEmpty(intersection(rect, cover))) continue;
    next.clear();
    for (const ServerRect& piece : pieces) {
      const ServerRect hit = intersection(piece, cover);
      if (isEmpty(hit)) {
        next.push_back(piece);
        continue;
      }
      const ServerRect strips[] = {
          {piece.minX(), piece.minY(), hit.minX() - piece.minX(), piece.maxY() - piece.minY()},
          {hit.maxX(), piece.minY(), piece.maxX() - hit.maxX(), piece.maxY() - piece.minY()},
          {hit.minX(), piece.minY(), hit.width, hit.minY() - piece.minY()},
          {hit.minX(), hit.maxY(), hit.width, piece.maxY() - hit.maxY()},
      };
      for (const ServerRect& strip : strips) {
        if (!isEmpty(strip)) next.push_back(strip);
      }
    }
    pieces.swap(next);
  }
  return pieces;
}

}  // namespace lumetta
