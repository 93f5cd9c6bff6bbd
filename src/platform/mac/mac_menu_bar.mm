// Implements: a variable-length NSStatusItem whose button shows the system
// symbol as a template image (the title when the system lacks the symbol),
// with the title as its tooltip and accessibility label; a click toggles the
// popover, activating the application first, and a click on the item while
// the popover shows closes it (the popover's own close on that click is
// vetoed); the button is highlighted while the popover is open, from after the
// click that opened it; `opened` before the popover shows, `closed` after it
// has closed (those of every installation still registered); the content's
// size is the popover's.
// Ignores: menus, double clicks and right clicks on the item, detaching the
// popover into a window, the status item's position and autosave name.
#include "platform/mac/mac_menu_bar.h"

#import <AppKit/AppKit.h>

#include "platform/mac/cf_string.h"
#include "platform/mac/mac_application.h"
#include "platform/mac/mac_view_host.h"

@interface LumettaStatusItem : NSObject <NSPopoverDelegate>
- (instancetype)initWithContent:(NSView*)content shown:(std::function<void(bool)>)shown;
- (void)installWithTitle:(NSString*)title symbol:(NSString*)symbol;
- (void)setContentSize:(NSSize)size;
- (BOOL)isOpen;
- (void)remove;
@end

@implementation LumettaStatusItem {
  NSStatusItem* _item;
  NSPopover* _popover;
  std::function<void(bool)> _shown;  // the popover opened (true) or closed
  BOOL _closingForItem;              // toggle: is closing the popover
}

- (instancetype)initWithContent:(NSView*)content shown:(std::function<void(bool)>)shown {
  if ((self = [super init])) {
    _shown = std::move(shown);
    NSViewController* controller = [[NSViewController alloc] init];
    controller.view = content;
    _popover = [[NSPopover alloc] init];
    // A transient popover rather than a panel: it hangs from the status item by
    // its arrow, closes on a click elsewhere or Escape, and wears the menu
    // bar's material and appearance, as a menu-bar extra's window does.
    _popover.behavior = NSPopoverBehaviorTransient;
    _popover.contentViewController = controller;
    _popover.delegate = self;
  }
  return self;
}

- (void)installWithTitle:(NSString*)title symbol:(NSString*)symbol {
  if (!_item) {
    _item = [[NSStatusBar systemStatusBar] statusItemWithLength:NSVariableStatusItemLength];
    _item.button.target = self;
    _item.button.action = @selector(toggle:);
  }
  NSImage* image = [NSImage imageWithSystemSymbolName:symbol accessibilityDescription:title];
  // A template follows the menu bar: dark on a light bar, light on a dark one.
  [image setTemplate:YES];
  _item.button.image = image;
  _item.button.title = image ? @"" : title;
  _item.button.toolTip = title;
  _item.button.accessibilityLabel = title;
}

- (void)toggle:(id)sender {
  if ([_popover isShown]) {
    _closingForItem = YES;
    [_popover performClose:sender];
    _closingForItem = NO;
    return;
  }
  // The application active, its popover takes the keyboard and a click in
  // another application closes it.
  lumetta::mac::activateApplication();
  [_popover showRelativeToRect:_item.button.bounds ofView:_item.button preferredEdge:NSMinYEdge];
}

// A transient popover closes on a click outside it, and a click on the
// status item is one: closed by the mouse-down, the popover would be shown
// again by the item's action on the same click. That click is left to
// toggle:, which closes it.
- (BOOL)popoverShouldClose:(NSPopover*)popover {
  if (_closingForItem) return YES;
  NSEvent* event = NSApp.currentEvent;
  return !(event.type == NSEventTypeLeftMouseDown && event.window == _item.button.window);
}

- (void)popoverWillShow:(NSNotification*)notification {
  // The button's tracking clears its highlight when the click that opened
  // the popover ends: highlight it after that, once the default run-loop
  // mode runs again (tracking runs in its own mode).
  [self performSelector:@selector(highlightWhileShown)
             withObject:nil
             afterDelay:0
                inModes:@[ NSDefaultRunLoopMode ]];
  _shown(true);
}

- (void)highlightWhileShown {
  if ([_popover isShown]) [_item.button highlight:YES];
}

- (void)popoverDidClose:(NSNotification*)notification {
  [NSObject cancelPreviousPerformRequestsWithTarget:self
                                           selector:@selector(highlightWhileShown)
                                             object:nil];
  [_item.button highlight:NO];
  _shown(false);
}

- (void)setContentSize:(NSSize)size {
  if (!NSEqualSizes(_popover.contentSize, size)) _popover.contentSize = size;
}

- (BOOL)isOpen {
  return [_popover isShown];
}

- (void)remove {
  [NSObject cancelPreviousPerformRequestsWithTarget:self];
  [_popover close];
  if (_item) [[NSStatusBar systemStatusBar] removeStatusItem:_item];
  _item = nil;
}

@end

namespace lumetta::mac {

MacMenuBarExtra::MacMenuBarExtra()
    : host_(std::make_unique<MacViewHost>()),
      // The item goes with this object (its remove closes the popover first).
      item_([[LumettaStatusItem alloc]
          initWithContent:host_->view()
                    shown:[this](bool open) { shown_.notify(open); }]) {}

MacMenuBarExtra::~MacMenuBarExtra() { [item_ remove]; }

Registration MacMenuBarExtra::install(const StatusItemConfiguration& configuration,
                                      std::function<void()> opened, std::function<void()> closed) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    [item_ installWithTitle:nsString(configuration.title)
                     symbol:nsString(configuration.symbolName)];
  }
  return shown_.add([opened = std::move(opened), closed = std::move(closed)](bool open) {
    const std::function<void()>& callback = open ? opened : closed;
    if (callback) callback();
  });
}

void MacMenuBarExtra::setContent(ViewNode root) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    host_->show(root);
    [item_ setContentSize:NSMakeSize(root.frame.width, root.frame.height)];
  }
}

bool MacMenuBarExtra::isOpen() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  return [item_ isOpen];
}

}  // namespace lumetta::mac
