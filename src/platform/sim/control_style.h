// How the simulated desktop's popover controls look in the dark appearance:
// their sizes (shared by the metrics that lay them out and the painter that
// draws them) and the colours of the colour roles.
#pragma once

#include "platform/color.h"
#include "platform/view_tree.h"

namespace lumetta::sim::controls {

// Check box: the box, then the title.
inline constexpr double kCheckboxBox = 14;
inline constexpr double kCheckboxGap = 6;
inline constexpr double kCheckboxHeight = 16;
// Switch: the title, then the switch at the trailing edge.
inline constexpr double kSwitchWidth = 32;
inline constexpr double kSwitchHeight = 18;
inline constexpr double kSwitchGap = 8;
// Push button.
inline constexpr double kButtonHeight = 22;
inline constexpr double kButtonPadding = 12;
inline constexpr double kButtonRadius = 5;
// Segmented control: its label, then equally wide segments.
inline constexpr double kSegmentedHeight = 22;
inline constexpr double kSegmentPadding = 11;
inline constexpr double kSegmentedLabelGap = 8;
// Slider.
inline constexpr double kSliderMinimumWidth = 80;
inline constexpr double kSliderHeight = 20;
inline constexpr double kSliderKnob = 18;
inline constexpr double kSliderTrack = 4;
// Disclosure header: the triangle, then the title.
inline constexpr double kDisclosureTriangle = 13;
inline constexpr double kDisclosureGap = 4;
inline constexpr double kDisclosureHeight = 18;
// Colour button: the colour well, then the title.
inline constexpr double kColorWellWidth = 22;
inline constexpr double kColorWellHeight = 16;
inline constexpr double kColorWellRadius = 3;
inline constexpr double kColorWellGap = 6;
// Starter swatch, without its padding.
inline constexpr double kSwatch = 22;
// A selected tab's capsule.
inline constexpr double kCapsuleWidth = 32;
inline constexpr double kCapsuleHeight = 3;
inline constexpr double kCapsuleInset = 5;

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
