// How the simulated desktop's popover controls look in the dark appearance:
// the sizes of the controls the Mac takes from AppKit (shared by the metrics
// that lay them out and the painter that draws them; the sizes both backends
// share are in platform/control_parts.h) and the colours of the colour roles.
#pragma once

#include "platform/color.h"
#include "platform/control_parts.h"
#include "platform/view_tree.h"

namespace lumetta::sim::controls {

// Check box: the box, then the title.
inline constexpr double kCheckboxBox = 14;
inline constexpr double kCheckboxGap = 6;
inline constexpr double kCheckboxHeight = 16;
// Switch: the title, then the switch at the trailing edge, `kLabelGap` apart.
inline constexpr double kSwitchWidth = 32;
inline constexpr double kSwitchHeight = 18;
// Push button.
inline constexpr double kButtonHeight = 22;
inline constexpr double kButtonPadding = 12;
inline constexpr double kButtonRadius = 5;
// Segmented control: its label, then equally wide segments, `kLabelGap` apart.
inline constexpr double kSegmentedHeight = 22;
inline constexpr double kSegmentPadding = 11;
// Slider, at least `kSliderMinimumWidth` wide.
inline constexpr double kSliderHeight = 20;
inline constexpr double kSliderKnob = 18;
inline constexpr double kSliderTrack = 4;
// Disclosure header: the triangle, then the title after `kDisclosureGap`.
inline constexpr double kDisclosureTriangle = 13;
inline constexpr double kDisclosureHeight = 18;

// The popover and the menu bar.
inline constexpr double kPopoverRadius = 10;
inline constexpr double kArrowHeight = 9;
inline constexpr double kArrowWidth = 20;
inline constexpr double kMenuBarHeight = 24;

// The colour a role stands for in the dark appearance.
Color colorOf(ColorRole role);
// A fill: its role's colour with the role's alpha times the fill's opacity.
Color colorOf(Fill fill);

}  // namespace lumetta::sim::controls
