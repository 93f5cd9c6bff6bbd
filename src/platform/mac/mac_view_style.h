// The menu-bar popover's font and colour roles as AppKit fonts and colours,
// and the folder-tab outline as a Bezier path: the one place where the
// portable roles meet the system's.
#pragma once

#import <AppKit/AppKit.h>

#include "platform/view_tree.h"

namespace lumetta::mac {

// A label draws its text inside its text container's line-fragment padding,
// this much on either side; measured texts include it.
inline constexpr CGFloat kLabelPadding = 2;

// The role's font; `selected` chooses the weight of the tab role only.
NSFont* roleFont(FontRole role, bool monospacedDigits, bool selected = false);
NSColor* fillColor(const Fill& fill);
// The outline in `bounds` of a flipped view (y downwards).
NSBezierPath* folderTabPath(NSRect bounds, FolderTabShape shape);

// A local rectangle (a node's frame in the flipped host view) as AppKit's.
NSRect nsRect(const Rect& rect);

}  // namespace lumetta::mac
