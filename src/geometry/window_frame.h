// An accessibility window's frame, and the conversion from window-server
// coordinates (`ServerRect`: y down from the primary display's top) to AppKit
// coordinates (`ScreenRect`: y up from its bottom), where panels are placed:
// the one place where a rectangle crosses from one space to the other.
#pragma once

#include <optional>

#include "platform/accessibility.h"
#include "platform/geometry.h"

namespace lumetta {

// "AXPosition" and "AXSize" in one round trip; nothing when either read fails,
// either value is not a point and a size respectively, or the frame is
// non-finite or has no area. Accessibility's positions are the window
// server's.
std::optional<ServerRect> axFrame(Accessibility& ax, const Element& window);

// `primaryDisplayTop` is the primary display's top edge in AppKit coordinates.
ScreenRect appKitRect(ServerRect axRect, double primaryDisplayTop);

}  // namespace lumetta
