#include "platform/mac/mac_clock.h"

#import <Foundation/Foundation.h>

namespace lumetta::mac {

double MacClock::uptime() {
  @autoreleasepool {  // callable from any thread
    return [NSProcessInfo processInfo].systemUptime;
  }
}

WallTime MacClock::now() { return std::chrono::system_clock::now(); }

}  // namespace lumetta::mac
