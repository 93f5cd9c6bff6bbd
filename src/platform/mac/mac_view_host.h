// The popover's content view: a laid-out view tree shown as AppKit views in a
// flipped container the size of the root's frame.
#pragma once

#import <AppKit/AppKit.h>

#include <vector>

#include "platform/mac/mac_view_nodes.h"
#include "platform/view_tree.h"

namespace lumetta::mac {

// Main thread only.
class MacViewHost {
 public:
  MacViewHost();
  MacViewHost(const MacViewHost&) = delete;
  MacViewHost& operator=(const MacViewHost&) = delete;

  NSView* view() const { return container_; }
  // Shows `root`. A tree of the shape shown (the same kinds in the same order)
  // updates the views in place, so nothing flickers and a control being
  // dragged keeps its drag; any other is built anew, keeping the scrolling
  // text's position.
  void show(const ViewNode& root);

 private:
  LumettaFlippedView* container_;
  std::vector<MacNodeView> shown_;
};

}  // namespace lumetta::mac
