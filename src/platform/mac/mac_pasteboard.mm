// Implements: [NSPasteboard generalPasteboard] clearContents and
// setString:forType: with NSPasteboardTypeString. Ignores: the change count.
#include "platform/mac/mac_pasteboard.h"

#import <AppKit/AppKit.h>

namespace lumetta::mac {

void MacPasteboard::clearContents() {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    [[NSPasteboard generalPasteboard] clearContents];
  }
}

bool MacPasteboard::setString(const std::string& text) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    NSString* string = [[NSString alloc] initWithBytes:text.data()
                                                length:text.size()
                                              encoding:NSUTF8StringEncoding];
    if (!string) return false;
    return [[NSPasteboard generalPasteboard] setString:string forType:NSPasteboardTypeString];
  }
}

}  // namespace lumetta::mac
