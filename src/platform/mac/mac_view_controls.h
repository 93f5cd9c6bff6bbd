// The AppKit pieces the popover is built from beyond the stock controls: a
// flipped container, views and buttons that draw themselves with a block, and
// the target that turns a control's action into a C++ call.
#pragma once

#import <AppKit/AppKit.h>

#include <functional>

// Subviews placed in the layout's coordinates: origin top-left, y downwards.
@interface LumettaFlippedView : NSView
@end

// Draws with its block (in flipped coordinates); never takes a click.
@interface LumettaDrawnView : NSView
@property(nonatomic, copy) void (^drawing)(NSRect bounds);
@end

// A borderless button that draws with its block and takes clicks only
// inside `hitShape` (the whole bounds when nil).
@interface LumettaDrawnButton : NSButton
@property(nonatomic, copy) void (^drawing)(NSRect bounds);
@property(nonatomic) NSBezierPath* hitShape;
@end

// A control's target: `act:` runs `perform` with the sender, then, from the
// main queue, `restore`, which puts back the value the content shown by then
// holds (a value the content did not take does not stay on screen).
@interface LumettaActionTarget : NSObject
- (void)setPerform:(std::function<void(id sender)>)perform;
- (void)setRestore:(std::function<void()>)restore;
- (void)act:(id)sender;
@end
