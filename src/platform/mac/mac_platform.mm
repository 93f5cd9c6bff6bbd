#include "platform/mac/mac_platform.h"

#import <AppKit/AppKit.h>

namespace lumetta::mac {

MacPlatform::SharedApplication::SharedApplication() {
  @autoreleasepool {
    [NSApplication sharedApplication];
  }
}

MacPlatform::MacPlatform() : runLoop_(clock_), workspace_(runLoop_), application_(runLoop_) {}

}  // namespace lumetta::mac
