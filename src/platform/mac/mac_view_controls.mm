// Implements: flipped containers, block-drawn views and buttons (a hit shape
// for the folder tabs), and the action target of every control.
// Ignores: focus rings of the drawn buttons (they draw their own selection).
#include "platform/mac/mac_view_controls.h"

#include <dispatch/dispatch.h>

@implementation LumettaFlippedView

- (BOOL)isFlipped {
  return YES;
}

@end

@implementation LumettaDrawnView

- (BOOL)isFlipped {
  return YES;
}

- (NSView*)hitTest:(NSPoint)point {
  return nil;
}

- (void)drawRect:(NSRect)dirtyRect {
  if (self.drawing) self.drawing(self.bounds);
}

@end

@implementation LumettaDrawnButton

- (BOOL)isFlipped {
  return YES;
}

// Drawn by drawRect: alone, even where AppKit would draw a button's layer.
- (BOOL)wantsUpdateLayer {
  return NO;
}

- (NSView*)hitTest:(NSPoint)point {
  NSView* hit = [super hitTest:point];
  if (hit != self || !self.hitShape) return hit;
  // hitTest: receives the point in the superview's coordinates.
  return [self.hitShape containsPoint:[self convertPoint:point fromView:self.superview]] ? self
                                                                                         : nil;
}

- (void)drawRect:(NSRect)dirtyRect {
  if (self.drawing) self.drawing(self.bounds);
  if ([self isHighlighted]) {
    // Pressed: darkened, as a plain button dims its label.
    [[[NSColor blackColor] colorWithAlphaComponent:0.1] setFill];
    if (self.hitShape) {
      [self.hitShape fill];
    } else {
      [NSBezierPath fillRect:self.bounds];
    }
  }
}

@end

@implementation LumettaActionTarget {
  std::function<void(id)> _perform;
  std::function<void()> _restore;
}

- (void)setPerform:(std::function<void(id)>)perform {
  _perform = std::move(perform);
}

- (void)setRestore:(std::function<void()>)restore {
  _restore = std::move(restore);
}

- (void)act:(id)sender {
  // A copy: the content the action changes may be shown again at once, which
  // replaces this target's functions while they run.
  if (const std::function<void(id)> perform = _perform) perform(sender);
  // The content is shown again from the main queue after a change: the value
  // is put back after that, so it is the new content's and nothing flickers.
  dispatch_async(dispatch_get_main_queue(), ^{
    if (const std::function<void()> restore = self->_restore) restore();
  });
}

@end
