#include "platform/mac/mac_panels.h"

#import <AppKit/AppKit.h>

#include <algorithm>
#include <cstring>

#include "platform/mac/cg_canvas.h"

// The content view: transparent, never hit, drawing its content in view
// coordinates (not flipped, so y grows upwards as the canvas expects).
@interface LumettaPanelView : NSView
@property(nonatomic) lumetta::PanelContent* content;  // outlives the panel, or nil
@end

@implementation LumettaPanelView

- (BOOL)isFlipped {
  return NO;
}

- (BOOL)isOpaque {
  return NO;
}

- (NSView*)hitTest:(NSPoint)point {
  return nil;
}

- (void)drawRect:(NSRect)dirtyRect {
  @autoreleasepool {
    CGContextRef context = [NSGraphicsContext currentContext].CGContext;
    if (!self.content || !context) return;
    lumetta::mac::CGCanvas canvas(context);
    self.content->draw(canvas, {self.bounds.size.width, self.bounds.size.height});
  }
}

@end

@interface LumettaPanel : NSPanel
@property(nonatomic) BOOL takesFocus;
@end

@implementation LumettaPanel

// A borderless panel could never become key on its own: whether it may is the
// configuration's choice alone.
- (BOOL)canBecomeKeyWindow {
  return self.takesFocus;
}

- (BOOL)canBecomeMainWindow {
  return self.takesFocus;
}

@end

namespace lumetta::mac {

namespace {

// A window's frame: AppKit's screen coordinates are the seam's `ScreenRect`.
NSRect nsScreenRect(ScreenRect rect) { return NSMakeRect(rect.x, rect.y, rect.width, rect.height); }

// What each intent of the configuration means in AppKit, and why.

NSWindowStyleMask styleMask(const PanelConfiguration& c) {
  // Borderless: no title bar or frame; the panel shows only its content.
  NSWindowStyleMask mask = NSWindowStyleMaskBorderless;
  // Showing or clicking it leaves the frontmost application frontmost.
  if (c.nonActivating) mask |= NSWindowStyleMaskNonactivatingPanel;
  return mask;
}

NSInteger windowLevel(PanelLevel level) {
  switch (level) {
    // Above every application's ordinary windows, below menus and the Dock.
    case PanelLevel::floating: return NSFloatingWindowLevel;
    case PanelLevel::normal: return NSNormalWindowLevel;
  }
  return NSNormalWindowLevel;
}

NSWindowCollectionBehavior collectionBehavior(const PanelConfiguration& c) {
  NSWindowCollectionBehavior behavior = NSWindowCollectionBehaviorDefault;
  // On every Space, so it stays with a window whichever Space shows.
  if (c.joinsAllSpaces) behavior |= NSWindowCollectionBehaviorCanJoinAllSpaces;
  // Mission Control and Space switches leave it where it is.
  if (c.stationary) behavior |= NSWindowCollectionBehaviorStationary;
  // Cycling through windows with Command-` passes it by.
  if (c.ignoredByWindowCycling) behavior |= NSWindowCollectionBehaviorIgnoresCycle;
  // It may share the Space of another application's full-screen window.
  if (c.fullScreenAuxiliary) behavior |= NSWindowCollectionBehaviorFullScreenAuxiliary;
  return behavior;
}

LumettaPanelView* contentView(LumettaPanel* panel) {
  return static_cast<LumettaPanelView*>(panel.contentView);
}

}  // namespace

MacPanel::MacPanel(const PanelConfiguration& c, PanelContent& content) : configuration_(c) {
  @autoreleasepool {
    // Buffered, and created at once so that it has its window number before it shows.
    panel_ = [[LumettaPanel alloc] initWithContentRect:nsScreenRect(c.contentRect)
                                             styleMask:styleMask(c)
                                               backing:NSBackingStoreBuffered
                                                 defer:NO];
    // A transparent panel has no background of its own to draw.
    panel_.opaque = !c.transparent;
    if (c.transparent) panel_.backgroundColor = [NSColor clearColor];
    panel_.hasShadow = !c.shadowless;
    // Click-through: every mouse event goes to the window beneath.
    panel_.ignoresMouseEvents = c.clickThrough;
    // The content never follows the pointer.
    panel_.acceptsMouseMovedEvents = NO;
    // Lumetta is an accessory that is hardly ever active: hiding on deactivation would hide it
    // always.
    panel_.hidesOnDeactivate = NO;
    // Key status only when a control asks for it; never, for a panel that never takes focus.
    panel_.becomesKeyOnlyIfNeeded = c.neverKeyOrMain;
    panel_.takesFocus = !c.neverKeyOrMain;
    // Closing only hides it: its owner's reference decides its lifetime.
    panel_.releasedWhenClosed = NO;
    // The level comes from the configuration alone (a floating panel would set its own).
    panel_.floatingPanel = NO;
    panel_.level = windowLevel(c.level);
    panel_.collectionBehavior = collectionBehavior(c);
    LumettaPanelView* view = [[LumettaPanelView alloc] initWithFrame:NSZeroRect];
    view.content = &content;
    panel_.contentView = view;
  }
}

MacPanel::~MacPanel() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    // The panel object may outlive this owner in an autorelease pool; it must
    // neither show nor draw the content, which may be gone.
    contentView(panel_).content = nullptr;
    [panel_ orderOut:nil];
  }
}

bool MacPanel::canBecomeKey() const { return [panel_ canBecomeKeyWindow]; }

bool MacPanel::canBecomeMain() const { return [panel_ canBecomeMainWindow]; }

std::int64_t MacPanel::windowNumber() const { return panel_.windowNumber; }

void MacPanel::setFrame(ScreenRect frame, bool display) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    [panel_ setFrame:nsScreenRect(frame) display:display];
  }
}

ScreenRect MacPanel::frame() const {
  const NSRect frame = panel_.frame;
  return {frame.origin.x, frame.origin.y, frame.size.width, frame.size.height};
}

void MacPanel::orderFrontRegardless() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    [panel_ orderFrontRegardless];
  }
}

void MacPanel::orderOut() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    [panel_ orderOut:nil];
  }
}

void MacPanel::close() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    [panel_ close];
  }
}

bool MacPanel::isVisible() const { return [panel_ isVisible]; }

void MacPanel::animateAlpha(double target, Duration duration) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    LumettaPanel* panel = panel_;
    const bool immediate = !duration.isPositive();
    [NSAnimationContext
        runAnimationGroup:^(NSAnimationContext* context) {
          context.duration = immediate ? 0 : duration.inSeconds();
          panel.animator.alphaValue = target;
        }
        completionHandler:nil];
    // The group of no length replaces a running fade; that the animator then
    // sets the value at once is not documented, so it is set here too.
    if (immediate) panel.alphaValue = target;
  }
}

double MacPanel::alpha() const { return panel_.alphaValue; }

void MacPanel::setNeedsDisplay() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  contentView(panel_).needsDisplay = YES;
}

void MacPanel::displayIfNeeded() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    [panel_ displayIfNeeded];
  }
}

std::unique_ptr<Panel> MacPanels::makePanel(const PanelConfiguration& configuration,
                                            PanelContent& content) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  return std::make_unique<MacPanel>(configuration, content);
}

Bitmap MacPanels::renderBitmap(int pixelsWide, int pixelsHigh, double scale,
                               const std::function<void(Canvas&)>& draw) {
  @autoreleasepool {
    Bitmap bitmap;
    bitmap.width = std::max(pixelsWide, 0);
    bitmap.height = std::max(pixelsHigh, 0);
    bitmap.pixels.assign(std::size_t(bitmap.width) * bitmap.height * 4, 0);
    if (bitmap.pixels.empty()) return bitmap;

    // RGBA, 8 bits a sample, alpha last and premultiplied, rows top first.
    NSBitmapImageRep* rep = [[NSBitmapImageRep alloc] initWithBitmapDataPlanes:nullptr
                                                                    pixelsWide:bitmap.width
                                                                    pixelsHigh:bitmap.height
                                                                 bitsPerSample:8
                                                               samplesPerPixel:4
                                                                      hasAlpha:YES
                                                                      isPlanar:NO
                                                                colorSpaceName:NSDeviceRGBColorSpace
                                                                   bytesPerRow:bitmap.width * 4
                                                                  bitsPerPixel:32];
    NSGraphicsContext* graphics = [NSGraphicsContext graphicsContextWithBitmapImageRep:rep];
    if (!rep || !graphics) return bitmap;
    CGContextRef context = graphics.CGContext;
    CGContextClearRect(context, CGRectMake(0, 0, bitmap.width, bitmap.height));
    CGContextScaleCTM(context, scale, scale);
    CGCanvas canvas(context);
    draw(canvas);
    [graphics flushGraphics];

    const std::size_t rowBytes = std::size_t(bitmap.width) * 4;
    for (int row = 0; row < bitmap.height; ++row) {
      std::memcpy(&bitmap.pixels[row * rowBytes], rep.bitmapData + row * rep.bytesPerRow, rowBytes);
    }
    return bitmap;
  }
}

}  // namespace lumetta::mac
