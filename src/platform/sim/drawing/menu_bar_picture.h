// The menu bar across the top of the simulated primary display, with the
// status item of the menu-bar extra and, while it is open, its popover hanging
// below the item.
//
// Implements: the dark, translucent menu bar; the status item's symbol
// "rectangle.topthird.inset.filled" and its highlight while open.
// Ignores: other status items and menus.
#pragma once

#include <cairo.h>

#include <string>

#include "platform/view_tree.h"

namespace lumetta::sim {

struct MenuBarPicture {
  std::string activeApplication;  // shown in bold at the leading edge; empty: nothing
  std::string clock;              // shown at the trailing edge; empty: nothing
  bool statusItem = true;         // whether the status item is installed
  bool open = false;              // whether its popover is open
};

// The strip along the top of `display` (its frame, y downwards).
Rect menuBarFrame(Rect display);
// The status item's frame within the menu bar.
Rect statusItemFrame(Rect display, const MenuBarPicture& picture);

struct PopoverPlacement {
  Point origin;   // the popover's top-left corner
  double arrowX;  // where its arrow points up at the status item
};
// Where a popover of `size` hangs: centred below the item, inside the display.
PopoverPlacement popoverPlacement(Rect display, Rect statusItem, Size size);

// Paints the menu bar of `display`.
void paintMenuBar(cairo_t* cr, Rect display, const MenuBarPicture& picture);
// Paints the menu bar and, while `picture.open` and given, the popover
// holding `content` under the status item.
void paintMenuBarExtra(cairo_t* cr, Rect display, const MenuBarPicture& picture,
                       const ViewNode* content);

}  // namespace lumetta::sim
