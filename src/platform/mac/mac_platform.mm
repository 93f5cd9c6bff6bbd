#include "platform/mac/mac_platform.h"

#import <AppKit/AppKit.h>

namespace lumetta::mac {

MacPlatform::MacPlatform() : runLoop_(clock_), workspace_(runLoop_), application_(runLoop_) {
  // Panels and the window server's answers need the connection to the window
  // server that the shared application object opens.
  [NSApplication sharedApplication];
}

}  // namespace lumetta::mac
