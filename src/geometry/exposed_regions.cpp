#include "geometry/exposed_regions.h"

#include <algorithm>
#include <cmath>

namespace lumetta {

namespace {

// A rectangle spans no area when a size is zero (the null rectangle's are) or
// not a number; a negative size spans from the other edge.
bool spansNoArea(const Rect& rect) {
  return !(std::abs(rect.width) > 0 && std::abs(rect.height) > 0);
}

// For rectangles built from edges, whose sizes are never negative: empty when
// the two are apart or only share an edge or a corner.
bool isEmpty(const Rect& rect) { return !(rect.width > 0 && rect.height > 0); }

Rect intersection(const Rect& a, const Rect& b) {
  const double x = std::max(a.minX(), b.minX());
  const double y = std::max(a.minY(), b.minY());
  return {x, y, std::min(a.maxX(), b.maxX()) - x, std::min(a.maxY(), b.maxY()) - y};
}

}  // namespace

std::vector<Rect> exposedRectangles(Rect rect, std::span<const Rect> covers) {
  if (spansNoArea(rect)) return {};
  std::vector<Rect> pieces{rect};
  std::vector<Rect> next;  // kept across covers so its storage is reused
  for (const Rect& cover : covers) {
    if (pieces.empty()) break;  // nothing left to hide
    // The pieces lie inside `rect`: most windows in front are elsewhere on screen.
    if (isEmpty(intersection(rect, cover))) continue;
    next.clear();
    for (const Rect& piece : pieces) {
      const Rect hit = intersection(piece, cover);
      if (isEmpty(hit)) {
        next.push_back(piece);
        continue;
      }
      const Rect strips[] = {
          {piece.minX(), piece.minY(), hit.minX() - piece.minX(), piece.maxY() - piece.minY()},
          {hit.maxX(), piece.minY(), piece.maxX() - hit.maxX(), piece.maxY() - piece.minY()},
          {hit.minX(), piece.minY(), hit.width, hit.minY() - piece.minY()},
          {hit.minX(), hit.maxY(), hit.width, piece.maxY() - hit.maxY()},
      };
      for (const Rect& strip : strips) {
        if (!isEmpty(strip)) next.push_back(strip);
      }
    }
    pieces.swap(next);
  }
  return pieces;
}

}  // namespace lumetta
