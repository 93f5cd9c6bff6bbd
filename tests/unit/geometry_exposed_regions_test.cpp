#include "geometry/exposed_regions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace lumetta {
namespace {

using Rects = std::vector<ServerRect>;

std::string text(const Rects& rects) {
  std::ostringstream out;
  out << '[';
  for (const ServerRect& r : rects) {
    out << " (" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
  }
  out << " ]";
  return out.str();
}

Rects exposed(ServerRect rect, const Rects& covers) { return exposedRectangles(rect, covers); }

// The self-test (the self-test end-to-end case) has the plain bar cases, and
// the property check below every area; these pin the pieces themselves.
TEST(ExposedRectangles, BarCasesGiveExactlyTheseStrips) {
  const ServerRect bar{0, 0, 100, 20};
  struct Case {
    const char* name;
    Rects covers;
    Rects pieces;
  };
  const Case cases[] = {
      {"touching the bottom-right corner", {{100, 20, 5, 5}}, {bar}},
      {"zero-width cover inside", {{50, 0, 0, 20}}, {bar}},
      {"a sliver remains", {{0, 0, 99.9999, 20}}, {{99.9999, 0, 100 - 99.9999, 20}}},
      {"cover given with a negative size covers what it spans",
       {{100, 20, -20, -10}},
       {{0, 0, 80, 20}, {80, 0, 20, 10}}},
  };
  for (const Case& c : cases) {
    Rects pieces = exposed(bar, c.covers);
    EXPECT_EQ(pieces, c.pieces) << c.name << ": " << text(pieces);
  }
}

TEST(ExposedRectangles, StripsComeLeftRightSmallYLargeY) {
  // Left and right strips take the piece's full height, the others only the
  // overlap's width.
  Rects pieces = exposed({0, 0, 100, 100}, {{20, 30, 50, 40}});
  EXPECT_EQ(pieces, (Rects{{0, 0, 20, 100}, {70, 0, 30, 100}, {20, 0, 50, 30}, {20, 70, 50, 30}}))
      << text(pieces);

  // A later cover replaces each piece it overlaps where that piece stood.
  pieces = exposed({0, 0, 100, 20}, {{40, 0, 20, 20}, {10, 5, 10, 10}});
  EXPECT_EQ(
      pieces,
      (Rects{{0, 0, 10, 20}, {20, 0, 20, 20}, {10, 0, 10, 5}, {10, 15, 10, 5}, {60, 0, 40, 20}}))
      << text(pieces);
}

TEST(ExposedRectangles, OnlyAZeroSizeLeavesNoPieces) {
  const ServerRect null{INFINITY, INFINITY, 0, 0};
  const ServerRect empties[] = {
      {0, 0, 0, 20}, {0, 0, 100, 0}, {10, 10, -0.0, -20}, null, {0, 0, NAN, 20}};
  for (const ServerRect& rect : empties) {
    EXPECT_TRUE(exposed(rect, {}).empty()) << text({rect});
    EXPECT_TRUE(exposed(rect, {{500, 500, 1, 1}}).empty()) << text({rect});
  }

  // A negative size spans from the other edge: the bar (0, 0, 100, 20) again,
  // given back as it was when nothing covers it.
  const ServerRect backwards{100, 20, -100, -20};
  EXPECT_EQ(exposed(backwards, {}), (Rects{backwards}));
  EXPECT_EQ(exposed(backwards, {{500, 500, 1, 1}}), (Rects{backwards})) << "a cover elsewhere";
}

// Property check against an independent computation of the covered area.

// The area of `rect` covered by the union of `covers`, by coordinate
// compression: between consecutive edges every grid cell lies wholly inside
// or wholly outside each cover, so its centre decides.
double coveredArea(const ServerRect& rect, const Rects& covers) {
  struct Box {
    double x0, y0, x1, y1;
  };
  std::vector<Box> boxes;
  std::vector<double> xs{rect.x, rect.x + rect.width};
  std::vector<double> ys{rect.y, rect.y + rect.height};
  for (const ServerRect& c : covers) {
    Box b{std::max(rect.x, c.x), std::max(rect.y, c.y),
          std::min(rect.x + rect.width, c.x + c.width),
          std::min(rect.y + rect.height, c.y + c.height)};
    if (b.x0 >= b.x1 || b.y0 >= b.y1) continue;
    boxes.push_back(b);
    xs.insert(xs.end(), {b.x0, b.x1});
    ys.insert(ys.end(), {b.y0, b.y1});
  }
  std::ranges::sort(xs);
  std::ranges::sort(ys);
  double area = 0;
  for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
    for (std::size_t j = 0; j + 1 < ys.size(); ++j) {
      const double cx = (xs[i] + xs[i + 1]) / 2, cy = (ys[j] + ys[j + 1]) / 2;
      const bool covered = std::ranges::any_of(
          boxes, [&](const Box& b) { return cx > b.x0 && cx < b.x1 && cy > b.y0 && cy < b.y1; });
      if (covered) area += (xs[i + 1] - xs[i]) * (ys[j + 1] - ys[j]);
    }
  }
  return area;
}

double overlapArea(const ServerRect& a, const ServerRect& b) {
  const double w = std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
  const double h = std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
  return w > 0 && h > 0 ? w * h : 0;
}

// Random rectangles in three styles: small integers (many shared and touching
// edges, zero sizes), quarter points, and arbitrary reals; negative
// coordinates throughout. Some covers repeat an earlier one, some are placed
// against the rectangle's edges.
class Scenes {
 public:
  ServerRect rectangle(int style) {
    return {draw(style, -12, 12), draw(style, -12, 12), draw(style, 0, 14), draw(style, 0, 14)};
  }

  Rects covers(int style, const ServerRect& rect) {
    Rects covers;
    const int count = std::uniform_int_distribution(0, 12)(random_);
    for (int i = 0; i < count; ++i) {
      ServerRect c = rectangle(style);
      switch (std::uniform_int_distribution(0, 9)(random_)) {
        case 0:  // a repeat
          if (i > 0) c = covers[std::uniform_int_distribution(0, i - 1)(random_)];
          break;
        case 1: c.x = rect.x + rect.width; break;   // against the right edge, outside
        case 2: c.y = rect.y + rect.height; break;  // against the bottom edge, outside
        case 3: c.x = rect.x; break;                // flush with the left edge, inside
        case 4: c.y = rect.y; break;                // flush with the top edge, inside
      }
      covers.push_back(c);
    }
    return covers;
  }

 private:
  // Style 0 draws integers, 1 quarter points, 2 any real.
  double draw(int style, double low, double high) {
    if (style == 2) return std::uniform_real_distribution(low, high)(random_);
    const double step = style == 0 ? 1 : 0.25;
    return step * std::uniform_int_distribution(int(low / step), int(high / step))(random_);
  }

  std::mt19937_64 random_{20250131};
};

// The same area with both sizes positive.
ServerRect upright(const ServerRect& r) {
  return {r.minX(), r.minY(), r.maxX() - r.minX(), r.maxY() - r.minY()};
}

TEST(ExposedRectangles, PiecesAreDisjointInsideAndAddUpToTheUncoveredArea) {
  Scenes scenes;
  for (int round = 0; round < 6000 && !HasFailure(); ++round) {
    const int style = round % 3;
    const ServerRect rect = scenes.rectangle(style);
    const Rects covers = scenes.covers(style, rect);
    // Every fourth rectangle is given from its other corner, with negative sizes.
    const ServerRect given =
        round % 4 == 3 ? ServerRect{rect.maxX(), rect.maxY(), -rect.width, -rect.height} : rect;
    Rects pieces = exposed(given, covers);
    SCOPED_TRACE("rect " + text({given}) + " covers " + text(covers) + " pieces " + text(pieces));
    std::ranges::transform(pieces, pieces.begin(), upright);

    const double area = rect.width * rect.height;
    const double tolerance = 1e-9 * (1 + area);
    if (area == 0) {
      EXPECT_TRUE(pieces.empty());
      continue;
    }
    double total = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      const ServerRect& p = pieces[i];
      EXPECT_TRUE(p.width > 0 && p.height > 0);
      EXPECT_GE(p.x, rect.x - 1e-9);
      EXPECT_GE(p.y, rect.y - 1e-9);
      EXPECT_LE(p.x + p.width, rect.x + rect.width + 1e-9);
      EXPECT_LE(p.y + p.height, rect.y + rect.height + 1e-9);
      for (std::size_t j = i + 1; j < pieces.size(); ++j) {
        EXPECT_LE(overlapArea(p, pieces[j]), tolerance) << "pieces " << i << " and " << j;
      }
      total += p.width * p.height;
    }
    EXPECT_NEAR(total, area - coveredArea(rect, covers), tolerance);
  }
}

}  // namespace
}  // namespace lumetta
