// Implements: flipped containers, block-drawn views and buttons (a hit shape
// for the folder tabs), and the action target of every control.
// Ignores: focus rings of the drawn buttons (they draw their own selection).
#include "platform/mac/mac_view_controls.h"

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
  // Copies: the content the action changes is shown again at once, which
  // replaces both functions of this target while they run.
  if (const std::function<void(id)> perform = _perform) perform(sender);
  if (const std::function<void()> restore = _restore) restore();
}

@end
