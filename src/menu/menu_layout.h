// A small layout engine for view trees (platform/view_tree.h): fills every
// node's `frame`, origin at the top-left corner of the root, y downwards, in
// points, measuring texts and controls with the platform's `ViewMetrics`:
// each control once, each text once for every width it is offered.
//
// Rules, close to the platform's own stacks:
// - A vertical stack places its children top to bottom with its spacing and
//   aligns them across (leading or centred); a horizontal stack places them
//   leading to trailing and centres them vertically (or aligns their tops).
//   Padding lies inside a stack's frame; a stack without explicit spacing
//   uses `kDefaultSpacing`.
// - `width` and `height` fix a node's frame (padding included); `fillsWidth`
//   stretches it to the width offered. A stack holding something that
//   stretches stretches too.
// - In a horizontal stack the rigid children take their ideal widths (a
//   wrapping text the width left when it does not fit); the flexible ones
//   (spacers, sliders, stretching nodes) share what remains equally, a slider
//   never below its smallest useful width.
// - A wrapping text takes its ideal height for the width it gets; any other
//   text keeps one line and is cut to the width offered.
// - A disclosure shows its children, as a vertical stack under its header,
//   only while expanded (`on`).
#pragma once

#include "platform/view_tree.h"

namespace lumetta {

inline constexpr double kDefaultSpacing = 8;
// A divider's thickness when its node fixes none.
inline constexpr double kDividerThickness = 1;

// Lays out `root` at the origin, offered `width` (a fixed width of the root
// wins); returns the root's size.
Size layOut(ViewNode& root, ViewMetrics& metrics, double width);

}  // namespace lumetta
