// Plain geometry records in points (64-bit floats), shared by every layer, and
// the two global screen spaces as types of their own.
//
// Coordinate spaces. `Point`, `Size` and `Rect` are local: a view's or a
// canvas's own coordinates, oriented as their owner says (the view tree's
// origin top-left, y down; a canvas's and a panel's content bottom-left, y up),
// and the values accessibility attributes carry. A rectangle or point on the
// desktop as a whole lies in one of two global spaces, each with a type of its
// own:
// - `ScreenRect`, `ScreenPoint`: AppKit's screen coordinates, origin at the
//   primary display's bottom-left, y up. Panels' frames, the screens' frames,
//   the window at a point.
// - `ServerRect`, `ServerPoint`: the window server's coordinates, origin at the
//   primary display's top-left, y down. The window list's bounds and the
//   accessibility frames ("AXPosition" with "AXSize").
// Neither converts to the other nor to or from a plain `Rect`, so passing,
// assigning or comparing one where the other belongs does not compile
// (tests/compile_fail/screen_space_misuse.cpp). `appKitRect`
// (geometry/window_frame.h) is the one way from the window server's space to
// AppKit's. A rectangle enters a space where its space is known (a parsed file,
// an `NSRect` from AppKit, the window list's dictionaries) with its fields
// spelt out, and leaves it the same way (a panel's visible regions, relative
// to its frame; a picture of the screen).
#pragma once

#include <cstdint>

namespace lumetta {

struct Size {
  double width = 0;
  double height = 0;
  bool operator==(const Size&) const = default;
};

// The spaces, as tags that only name them.
struct LocalSpace;   // a view's, a canvas's or an attribute's own coordinates
struct ScreenSpace;  // AppKit: origin at the primary display's bottom-left, y up
struct ServerSpace;  // the window server: origin at the primary display's top-left, y down

// A point of one space.
template <class Space>
struct PointIn {
  double x = 0;
  double y = 0;
  bool operator==(const PointIn&) const = default;
};

// A rectangle of one space. Edges are the smaller and larger coordinates,
// whichever way the space's y runs.
template <class Space>
struct RectIn {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;

  double minX() const { return width < 0 ? x + width : x; }
  double maxX() const { return width < 0 ? x : x + width; }
  double minY() const { return height < 0 ? y + height : y; }
  double maxY() const { return height < 0 ? y : y + height; }
  // Half-open, as the system hit-tests: the smaller edges are inside, the
  // larger ones not.
  bool contains(PointIn<Space> p) const {
    return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
  }
  bool operator==(const RectIn&) const = default;
};

using Point = PointIn<LocalSpace>;
using Rect = RectIn<LocalSpace>;
using ScreenPoint = PointIn<ScreenSpace>;
using ScreenRect = RectIn<ScreenSpace>;
using ServerPoint = PointIn<ServerSpace>;
using ServerRect = RectIn<ServerSpace>;

// A text range, as boxed range values carry it.
struct Range {
  std::int64_t location = 0;
  std::int64_t length = 0;
  bool operator==(const Range&) const = default;
};

}  // namespace lumetta
