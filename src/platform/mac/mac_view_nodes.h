// One node of a laid-out view tree as AppKit views: made once for its kind,
// then updated from each new tree of the same shape, and measured for layout.
#pragma once

#import <AppKit/AppKit.h>

#include "platform/mac/mac_view_controls.h"
#include "platform/view_tree.h"

namespace lumetta::mac {

struct MacNodeView {
  ViewKind kind = ViewKind::verticalStack;
  bool background = false;   // the node's background, drawn beneath its content
  NSView* view = nil;        // placed at the node's frame
  NSTextField* label = nil;  // the text before a switch or segmented control
  NSControl* control = nil;  // what the user acts on
  NSButton* title = nil;     // a disclosure's title, which toggles it too
  NSTextView* text = nil;    // a scrolling text's text
  LumettaActionTarget* target = nil;
};

// The node's own views (background false), or its background's; nothing for
// a stack or spacer without a background.
MacNodeView makeNodeView(const ViewNode& node, bool background);
// Shows `node` (of the kind the views were made for) at its frame.
void updateNodeView(MacNodeView& shown, const ViewNode& node);
// A control's natural size with the node's texts; a slider's smallest useful
// width.
Size naturalSize(const ViewNode& node);

}  // namespace lumetta::mac
