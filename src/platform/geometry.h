// Plain geometry records in points (64-bit floats), shared by every layer.
#pragma once

#include <cstdint>

namespace lumetta {

struct Point {
  double x = 0;
  double y = 0;
  bool operator==(const Point&) const = default;
};

struct Size {
  double width = 0;
  double height = 0;
  bool operator==(const Size&) const = default;
};

struct Rect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;

  double minX() const { return width < 0 ? x + width : x; }
  double maxX() const { return width < 0 ? x : x + width; }
  double minY() const { return height < 0 ? y + height : y; }
  double maxY() const { return height < 0 ? y : y + height; }
  bool operator==(const Rect&) const = default;
};

// A text range, as boxed range values carry it.
struct Range {
  std::int64_t location = 0;
  std::int64_t length = 0;
  bool operator==(const Range&) const = default;
};

}  // namespace lumetta
