// The contract suite's backend on a Mac: the real platform, with this test
// process as the subject application. It needs the Accessibility permission
// for the process that runs the tests (otherwise those tests skip).
#import <AppKit/AppKit.h>

#include <unistd.h>

#include "contract/contract_backend.h"
#include "platform/mac/cf_string.h"
#include "platform/mac/mac_colors.h"
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
  ~MacContractBackend() override {
    [window_ orderOut:nil];
    @autoreleasepool {  // what the tests stored in this process's defaults
      NSUserDefaults* defaults = [NSUserDefaults standardUserDefaults];
      for (NSString* key in defaults.dictionaryRepresentation.allKeys) {
        if ([key hasPrefix:mac::nsString(kDefaultsKeyPrefix)]) [defaults removeObjectForKey:key];
      }
    }
  }

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

  void storeDefaultsText(std::string_view key, std::string_view text) override {
    @autoreleasepool {
      [[NSUserDefaults standardUserDefaults] setObject:mac::nsString(text)
                                                forKey:mac::nsString(key)];
    }
  }

  // As the panel reports a pick: its colour changes and its action goes to its target.
  void pickColor(const Color& color) override { pick(mac::nsColor(color)); }
  void pickColorWithoutSRGB() override {
    @autoreleasepool {
      NSImage* image = [[NSImage alloc] initWithSize:NSMakeSize(4, 4)];
      pick([NSColor colorWithPatternImage:image]);
    }
  }

 private:
  void pick(NSColor* color) {
    @autoreleasepool {
      NSColorPanel* panel = [NSColorPanel sharedColorPanel];
      panel.color = color;
      [NSApp sendAction:@selector(colorChanged:) to:mac_.colorPanel().target() from:panel];
    }
  }

  mac::MacPlatform mac_;
  NSWindow* window_;
};

}  // namespace

std::unique_ptr<ContractBackend> makeContractBackend() {
  return std::make_unique<MacContractBackend>();
}

}  // namespace lumetta::contract
