// Paints a laid-out view tree as a menu-bar popover looks in the dark
// appearance: the popover's translucent background with its arrow, texts in
// their font and colour roles, and every control in the state its node shows.
// Layout is done: the painter only draws each node in its frame.
//
// Implements: every ViewKind, node backgrounds with their outline, images made
// by CairoImage.
// Ignores: focus rings, pressed states and scrolling (a scroll text shows its
// top).
#pragma once

#include <cairo.h>

#include <optional>

#include "platform/view_tree.h"

namespace lumetta::sim {

// Paints the popover holding `root` (frames in the popover's coordinates,
// the root's frame its size) with its top-left corner at `origin` of the
// context's user space; with `arrowX`, an arrow above its top edge points up
// at that x.
void paintPopover(cairo_t* cr, const ViewNode& root, Point origin,
                  std::optional<double> arrowX = std::nullopt);

// Paints the nodes alone, in the context's user space, over what is there.
void paintViewTree(cairo_t* cr, const ViewNode& root);

}  // namespace lumetta::sim
