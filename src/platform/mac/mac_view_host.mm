// Implements: every node with a view (stacks and spacers have none), in tree
// order so that a background lies beneath its content; a collapsed
// disclosure's children are not shown; updating in place or rebuilding, with
// replaced views kept alive until the event that replaced them has returned.
// Ignores: animating rows in and out (they appear at once).
#include "platform/mac/mac_view_host.h"

#include <dispatch/dispatch.h>

#include <algorithm>

namespace lumetta::mac {

namespace {

struct Placed {
  const ViewNode* node;
  bool background;
};

bool hasOwnView(ViewKind kind) {
  return kind != ViewKind::verticalStack && kind != ViewKind::horizontalStack &&
         kind != ViewKind::spacer;
}

void collect(const ViewNode& node, std::vector<Placed>& placed) {
  // A tab draws its background itself, inside its outline.
  if (node.background && node.kind() != ViewKind::tab) placed.push_back({&node, true});
  if (hasOwnView(node.kind())) placed.push_back({&node, false});
  if (node.collapsed()) return;
  for (const ViewNode& child : node.children) collect(child, placed);
}

NSScrollView* scrollView(const std::vector<MacNodeView>& shown) {
  for (const MacNodeView& view : shown) {
    if (view.kind == ViewKind::scrollText && !view.background) return (NSScrollView*)view.view;
  }
  return nil;
}

}  // namespace

MacViewHost::MacViewHost() : container_([[LumettaFlippedView alloc] init]) {}

void MacViewHost::show(const ViewNode& root) {
  @autoreleasepool {
    std::vector<Placed> placed;
    collect(root, placed);
    [container_ setFrameSize:NSMakeSize(root.frame.width, root.frame.height)];
    const bool sameShape =
        std::equal(placed.begin(), placed.end(), shown_.begin(), shown_.end(),
                   [](const Placed& p, const MacNodeView& v) {
                     return p.node->kind() == v.kind && p.background == v.background;
                   });
    if (sameShape) {
      for (size_t i = 0; i < placed.size(); ++i) updateNodeView(shown_[i], *placed[i].node);
      return;
    }

    NSScrollView* oldScroll = scrollView(shown_);
    const NSPoint scrolled = oldScroll ? oldScroll.contentView.bounds.origin : NSZeroPoint;
    const std::vector<MacNodeView> retired = std::move(shown_);
    shown_.clear();
    NSMutableArray<NSView*>* views = [NSMutableArray array];
    for (const Placed& p : placed) {
      shown_.push_back(makeNodeView(*p.node, p.background));
      updateNodeView(shown_.back(), *p.node);
      if (shown_.back().view) [views addObject:shown_.back().view];
    }
    container_.subviews = views;
    if (NSScrollView* scroll = scrollView(shown_)) {
      [scroll.contentView scrollToPoint:scrolled];
      [scroll reflectScrolledClipView:scroll.contentView];
    }
    // A replaced control may be the sender of the action running now, and its
    // target the object running it: both live until that event has returned.
    dispatch_async(dispatch_get_main_queue(), ^{ (void)retired; });
  }
}

}  // namespace lumetta::mac
