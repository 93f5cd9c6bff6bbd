// An accessibility window's frame, and the conversion from window-server
// coordinates (y down from the primary display's top) to AppKit coordinates
// (y up from its bottom), where panels are placed.
#pragma once

#include <optional>

#include "platform/accessibility.h"
#include "platform/geometry.h"

namespace lumetta {

// "AXPosition" and "AXSize" in one round trip; nothing when either read fails,
// either value is not a point and a size respectively, or the frame is
// non-finite or has no area.
std::optional<Rect> axFrame(Accessibility& ax, const Element& window);

// `primaryDisplayTop` is the primary display's top edge in AppKit coordinates.
Rect appKitRect(Rect axRect, double primaryDisplayTop);

}  // namespace lumetta
