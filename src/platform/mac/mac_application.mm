// Implements: the accessory activation policy and agentMainMenu() as the
// main menu; [NSApp terminate:nil]; NSApplicationDidBecomeActiveNotification
// observed on NSNotificationCenter.defaultCenter and posted into the portable
// centre as applicationDidBecomeActive; [[NSImage alloc]
// initWithContentsOfURL:] for a file URL, refusing an image without
// representations or without size; activating with `activate` or, before
// macOS 14 or with an older SDK, activateIgnoringOtherApps:. Ignores: the
// notification's payload.
#include "platform/mac/mac_application.h"

#import <AppKit/AppKit.h>

#include "platform/mac/cf_string.h"
#include "platform/mac/mac_main_menu.h"

namespace lumetta::mac {

MacApplication::MacApplication(RunLoop& runLoop) : center_(runLoop) {
  @autoreleasepool {
    NotificationCenter* center = &center_;
    // Posted on the main thread, where the centre calls its observers at once.
    token_ = [[NSNotificationCenter defaultCenter]
        addObserverForName:NSApplicationDidBecomeActiveNotification
                    object:nil
                     queue:nil
                usingBlock:^(NSNotification*) {
                  center->post(Notification{WorkspaceNotification::applicationDidBecomeActive,
                                            std::nullopt});
                }];
  }
}

MacApplication::~MacApplication() {
  @autoreleasepool {
    [[NSNotificationCenter defaultCenter] removeObserver:token_];
  }
}

void MacApplication::becomeAgent() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    NSApplication* application = [NSApplication sharedApplication];
    // Accessory: no Dock icon and no menu bar, yet windows and panels show
    // and the application can become active to take the keyboard.
    [application setActivationPolicy:NSApplicationActivationPolicyAccessory];
    application.mainMenu = agentMainMenu();
  }
}

void MacApplication::terminate() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    [[NSApplication sharedApplication] terminate:nil];
  }
}

std::optional<PlatformImage> MacApplication::loadImage(const std::string& path) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    NSString* file = nsString(path);
    if (file.length == 0) return std::nullopt;  // no path, or not UTF-8
    NSImage* image = [[NSImage alloc] initWithContentsOfURL:[NSURL fileURLWithPath:file]];
    if (!image || image.representations.count == 0 || image.size.width <= 0 ||
        image.size.height <= 0) {
      return std::nullopt;
    }
    return PlatformImage(std::make_shared<const MacImage>(image));
  }
}

void activateApplication() {
  // `activate` is declared only by the macOS 14 SDK and later: it needs the
  // SDK's guard besides @available.
#if __MAC_OS_X_VERSION_MAX_ALLOWED >= 140000
  if (@available(macOS 14.0, *)) {
    [NSApp activate];
    return;
  }
#endif
  [NSApp activateIgnoringOtherApps:YES];
}

Size MacImage::size() const {
  @autoreleasepool {
    return {image_.size.width, image_.size.height};
  }
}

}  // namespace lumetta::mac
