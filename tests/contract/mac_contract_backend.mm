// The contract suite's backend on a Mac: the real platform, with this test
// process as the subject application. It needs the Accessibility permission
// for the process that runs the tests (otherwise those tests skip).
#import <AppKit/AppKit.h>

#include <unistd.h>

#include "contract/contract_backend.h"
#include "platform/mac/cf_string.h"
#include "platform/mac/mac_platform.h"

namespace lumetta::contract {

namespace {

class MacContractBackend final : public ContractBackend {
 public:
  MacContractBackend() {
    @autoreleasepool {
      // An unbundled test process shows windows only with a policy that allows them.
      [[NSApplication sharedApplication]
          setActivationPolicy:NSApplicationActivationPolicyAccessory];
      window_ = [[NSWindow alloc] initWithContentRect:NSMakeRect(200, 200, 480, 320)
                                            styleMask:NSWindowStyleMaskTitled
                                              backing:NSBackingStoreBuffered
                                                defer:NO];
      window_.releasedWhenClosed = NO;
      window_.title = mac::nsString(kSubjectTitle);
      [window_ orderFrontRegardless];
    }
  }
  ~MacContractBackend() override { [window_ orderOut:nil]; }

  Platform platform() override { return mac_.platform(); }
  Pid subject() override { return getpid(); }

  void retitleSubjectWindow(std::string_view title) override {
    @autoreleasepool {
      window_.title = mac::nsString(title);
    }
  }

  // Posted where the system posts it, with the payload the system gives:
  // the backend cannot tell it from the real thing.
  void reportWorkspaceEvent(WorkspaceNotification name) override {
    @autoreleasepool {
      NSWorkspace* workspace = [NSWorkspace sharedWorkspace];
      const bool aboutAnApplication = name == WorkspaceNotification::didLaunchApplication ||
                                      name == WorkspaceNotification::didTerminateApplication;
      NSDictionary* info =
          aboutAnApplication
              ? @{NSWorkspaceApplicationKey : [NSRunningApplication currentApplication]}
              : nil;
      [workspace.notificationCenter postNotificationName:mac::nsString(notificationName(name))
                                                  object:workspace
                                                userInfo:info];
    }
  }

  bool hasHungChild() override { return false; }

 private:
  mac::MacPlatform mac_;
  NSWindow* window_;
};

}  // namespace

std::unique_ptr<ContractBackend> makeContractBackend() {
  return std::make_unique<MacContractBackend>();
}

}  // namespace lumetta::contract
