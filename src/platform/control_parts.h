// The sizes of the popover's controls that the portable layout and both
// backends share: what a backend draws inside a tab, a swatch and a colour
// button, and the gaps and widths both backends give their controls. The
// layout measures with them, the simulated painter draws with them and the
// Mac view host places and draws its views with them, so changing one here
// moves the frames and the pictures together.
#pragma once

#include "platform/view_tree.h"

namespace lumetta {

struct ControlParts {
  // A tab's marker: a capsule centred on the tab, `kMarkerTop` below its top
  // edge, filled with the accent colour when selected and clear otherwise.
  static constexpr double kMarkerWidth = 32;
  static constexpr double kMarkerHeight = 3;
  static constexpr double kMarkerTop = 5;
  // The edge drawn inside a colour (a swatch's circle, a colour button's
  // well): a `kEdgeWidth` inner stroke of `kEdge`.
  static constexpr Fill kEdge{ColorRole::primary, 0.15};
  static constexpr double kEdgeWidth = 1;
  // A swatch: a circle of `kSwatchDiameter` inside the node's padding, with
  // the colour's edge; when selected, ringed by a `kRingWidth` inner stroke
  // of `kRing` on the circle inscribed in the node's frame.
  static constexpr double kSwatchDiameter = 22;
  static constexpr Fill kRing{ColorRole::primary, 0.65};
  static constexpr double kRingWidth = 1.5;
  // A colour button: a rounded rectangle (continuous corners) of `color`
  // with the colour's edge, centred vertically at the leading edge, then the
  // text after `kWellSpacing`.
  static constexpr double kWellWidth = 22;
  static constexpr double kWellHeight = 16;
  static constexpr double kWellRadius = 3;
  static constexpr double kWellSpacing = 6;
  // Between a switch or a segmented control and the text before it.
  static constexpr double kLabelGap = 8;
  // Between a disclosure triangle and its title.
  static constexpr double kDisclosureGap = 4;
  // A slider's smallest useful width: a shorter one can hardly be set to a
  // chosen value.
  static constexpr double kSliderMinimumWidth = 80;
};

}  // namespace lumetta
