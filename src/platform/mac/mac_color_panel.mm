// Implements: showing [NSColorPanel sharedColorPanel] with an Objective-C
// target whose colorChanged: action hands the sender's colour to the seam's
// action; continuous reports, no opacity control, visible while the
// application is inactive, the application activated (activateApplication),
// the panel made key and brought to the front. Ignores: the panel's mode,
// swatches and colour lists, its frame, closing it (the user does).
#include "platform/mac/mac_color_panel.h"

#import <AppKit/AppKit.h>

#include "platform/mac/mac_application.h"
#include "platform/mac/mac_colors.h"

@interface LumettaColorTarget : NSObject
- (void)setAction:(lumetta::ColorPanel::Action)action;
- (void)colorChanged:(id)sender;
@end

@implementation LumettaColorTarget {
  lumetta::ColorPanel::Action _action;
}

- (void)setAction:(lumetta::ColorPanel::Action)action {
  _action = std::move(action);
}

- (void)colorChanged:(id)sender {
  if (![sender isKindOfClass:[NSColorPanel class]] || !_action) return;
  // A copy: the action may show the panel again, which replaces _action.
  const lumetta::ColorPanel::Action action = _action;
  action(lumetta::mac::platformColor(((NSColorPanel*)sender).color));
}

@end

namespace lumetta::mac {

MacColorPanel::MacColorPanel() : target_([[LumettaColorTarget alloc] init]) {}

MacColorPanel::~MacColorPanel() {
  @autoreleasepool {
    // The panel outlives this object and does not retain its target: it must
    // not call one that is gone. There is one of these per process.
    if ([NSColorPanel sharedColorPanelExists]) [[NSColorPanel sharedColorPanel] setTarget:nil];
  }
}

void MacColorPanel::show(const Color& color, Action action) {
  @autoreleasepool {
    [target_ setAction:std::move(action)];
    NSColorPanel* panel = [NSColorPanel sharedColorPanel];
    [panel setTarget:target_];
    [panel setAction:@selector(colorChanged:)];
    panel.continuous = YES;
    panel.showsAlpha = NO;
    panel.color = nsColor(color);
    panel.hidesOnDeactivate = NO;
    activateApplication();
    [panel makeKeyAndOrderFront:nil];
  }
}

}  // namespace lumetta::mac
