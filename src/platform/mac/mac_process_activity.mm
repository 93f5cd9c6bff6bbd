#include "platform/mac/mac_process_activity.h"

#import <Foundation/Foundation.h>

#include "platform/mac/cf_string.h"

namespace lumetta::mac {

namespace {

// User-initiated, allowing idle system sleep: the system neither naps a
// process that holds a user-initiated activity nor defers its timers, and
// the Mac still sleeps when idle. A background activity would leave the
// process to App Nap; latency-critical is for media and costs energy the
// timers' own tolerances do not need.
constexpr NSActivityOptions kOptions = NSActivityUserInitiatedAllowingIdleSystemSleep;

class MacProcessActivity final : public ProcessActivity {
 public:
  explicit MacProcessActivity(id<NSObject> token) : token_(token) {}
  ~MacProcessActivity() override {
    @autoreleasepool {
      [[NSProcessInfo processInfo] endActivity:token_];
    }
  }
  MacProcessActivity(const MacProcessActivity&) = delete;
  MacProcessActivity& operator=(const MacProcessActivity&) = delete;

 private:
  id<NSObject> token_;
};

}  // namespace

std::unique_ptr<ProcessActivity> MacProcessActivities::begin(const std::string& reason) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  @autoreleasepool {
    return std::make_unique<MacProcessActivity>(
        [[NSProcessInfo processInfo] beginActivityWithOptions:kOptions reason:nsString(reason)]);
  }
}

}  // namespace lumetta::mac
