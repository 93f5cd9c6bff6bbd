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
@end

@implementation LumettaPanel

- (BOOL)canBecomeKeyWindow {
  return NO;
}

- (BOOL)canBecomeMainWindow {
  return NO;
}

@end

namespace lumetta::mac {

namespace {

NSRect nsRect(Rect rect) { return NSMakeRect(rect.x, rect.y, rect.width, rect.height); }

LumettaPanelView* contentView(LumettaPanel* panel) {
  return static_cast<LumettaPanelView*>(panel.contentView);
}

}  // namespace

MacPanel::MacPanel(const PanelConfiguration& c, PanelContent& content) : configuration_(c) {
  @autoreleasepool {
    panel_ = [[LumettaPanel alloc] initWithContentRect:nsRect(c.contentRect)
                                             styleMask:static_cast<NSWindowStyleMask>(c.styleMask)
                                               backing:static_cast<NSBackingStoreType>(c.backing)
                                                 defer:c.defer];
    panel_.opaque = c.opaque;
    panel_.backgroundColor = [NSColor colorWithSRGBRed:c.backgroundColor.red
                                                 green:c.backgroundColor.green
                                                  blue:c.backgroundColor.blue
                                                 alpha:c.backgroundColor.alpha];
    panel_.hasShadow = c.hasShadow;
    panel_.ignoresMouseEvents = c.ignoresMouseEvents;
    panel_.acceptsMouseMovedEvents = c.acceptsMouseMovedEvents;
    panel_.hidesOnDeactivate = c.hidesOnDeactivate;
    panel_.floatingPanel = c.floatingPanel;
    panel_.becomesKeyOnlyIfNeeded = c.becomesKeyOnlyIfNeeded;
    panel_.releasedWhenClosed = c.releasedWhenClosed;
    panel_.level = c.level;
    panel_.collectionBehavior = static_cast<NSWindowCollectionBehavior>(c.collectionBehavior);
    LumettaPanelView* view = [[LumettaPanelView alloc] initWithFrame:NSZeroRect];
    view.content = &content;
    panel_.contentView = view;
  }
}

MacPanel::~MacPanel() {
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

void MacPanel::setFrame(Rect frame, bool display) {
  @autoreleasepool {
    [panel_ setFrame:nsRect(frame) display:display];
  }
}

Rect MacPanel::frame() const {
  const NSRect frame = panel_.frame;
  return {frame.origin.x, frame.origin.y, frame.size.width, frame.size.height};
}

void MacPanel::orderFrontRegardless() {
  @autoreleasepool {
    [panel_ orderFrontRegardless];
  }
}

void MacPanel::orderOut() {
  @autoreleasepool {
    [panel_ orderOut:nil];
  }
}

void MacPanel::close() {
  @autoreleasepool {
    // A panel released when closed is released by AppKit itself, a release
    // that balances no reference of ARC's: hand it one to take.
    if ([panel_ isReleasedWhenClosed]) (void)CFBridgingRetain(panel_);
    [panel_ close];
  }
}

bool MacPanel::isVisible() const { return [panel_ isVisible]; }

void MacPanel::animateAlpha(double target, Duration duration) {
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

void MacPanel::setNeedsDisplay() { contentView(panel_).needsDisplay = YES; }

void MacPanel::displayIfNeeded() {
  @autoreleasepool {
    [panel_ displayIfNeeded];
  }
}

std::unique_ptr<Panel> MacPanels::makePanel(const PanelConfiguration& configuration,
                                            PanelContent& content) {
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
