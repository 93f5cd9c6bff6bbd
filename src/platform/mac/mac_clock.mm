#include "platform/mac/mac_clock.h"

#import <Foundation/Foundation.h>

namespace lumetta::mac {

Uptime MacClock::uptime() {
  @autoreleasepool {  // callable from any thread
    return Uptime::origin() + Duration::seconds([NSProcessInfo processInfo].systemUptime);
  }
}

WallTime MacClock::now() { return std::chrono::system_clock::now(); }

}  // namespace lumetta::mac
