// Implements: an NSStatusItem of variable length from [NSStatusBar
// systemStatusBar] whose button shows the title and the symbol image
// (imageWithSystemSymbolName:accessibilityDescription:), removed again when
// the extra goes; text measured with NSAttributedString in the role's system
// font, controls as their text plus fixed margins. Ignores: the popover.
#include "platform/mac/mac_menu_bar.h"

#import <AppKit/AppKit.h>

#include <cmath>

#include "platform/mac/cf_string.h"

namespace lumetta::mac {

namespace {

NSFont* font(FontRole role) {
  switch (role) {
    case FontRole::body: return [NSFont systemFontOfSize:NSFont.systemFontSize];
    case FontRole::headline: return [NSFont boldSystemFontOfSize:NSFont.systemFontSize];
    case FontRole::caption: return [NSFont systemFontOfSize:NSFont.smallSystemFontSize];
    case FontRole::tab: return [NSFont systemFontOfSize:13];
    case FontRole::monospaced10: return [NSFont userFixedPitchFontOfSize:10];
  }
  return [NSFont systemFontOfSize:NSFont.systemFontSize];
}

}  // namespace

Size MacViewMetrics::textSize(const std::string& text, FontRole role, bool /*monospacedDigits*/,
                              std::optional<double> maxWidth) {
  @autoreleasepool {
    NSAttributedString* string =
        [[NSAttributedString alloc] initWithString:nsString(text)
                                        attributes:@{NSFontAttributeName : font(role)}];
    const NSSize bounds = NSMakeSize(maxWidth ? *maxWidth : CGFLOAT_MAX, CGFLOAT_MAX);
    const NSRect used = [string boundingRectWithSize:bounds
                                             options:NSStringDrawingUsesLineFragmentOrigin];
    return {std::ceil(used.size.width), std::ceil(used.size.height)};
  }
}

Size MacViewMetrics::controlSize(const ViewNode& node) {
  const Size label = textSize(node.text, node.font, false, std::nullopt);
  switch (node.kind) {
    case ViewKind::button: return {label.width + 20, 22};
    case ViewKind::checkbox: return {label.width + 22, 18};
    case ViewKind::toggleSwitch: return {label.width + 46, 22};
    case ViewKind::slider: return {80, 20};
    case ViewKind::disclosure: return {label.width + 20, 18};
    default: return label;
  }
}

MacMenuBarExtra::~MacMenuBarExtra() {
  @autoreleasepool {
    if (statusItem_) [[NSStatusBar systemStatusBar] removeStatusItem:statusItem_];
  }
}

void MacMenuBarExtra::install(const StatusItemConfiguration& configuration,
                              std::function<void()> opened, std::function<void()> closed) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    opened_ = std::move(opened);
    closed_ = std::move(closed);
    if (!statusItem_) {
      statusItem_ = [[NSStatusBar systemStatusBar] statusItemWithLength:NSVariableStatusItemLength];
    }
    NSString* title = nsString(configuration.title);
    statusItem_.button.title = title;
    statusItem_.button.image = [NSImage imageWithSystemSymbolName:nsString(configuration.symbolName)
                                         accessibilityDescription:title];
  }
}

void MacMenuBarExtra::setContent(ViewNode root) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  content_ = std::move(root);
}

}  // namespace lumetta::mac
