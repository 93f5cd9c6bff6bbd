// The running application over NSApplication.
//
// Implements: becoming an agent (the accessory activation policy, with a
// main menu that is never shown but carries the key equivalents), terminating,
// a notification centre into which the backend
// posts NSApplicationDidBecomeActiveNotification, loading images with NSImage;
// activating the application for the status item and the colour panel.
// Ignores: every other application notification.
#pragma once

#import <Foundation/Foundation.h>

#include "platform/application.h"
#include "platform/contract_checks.h"

namespace lumetta::mac {

class MacApplication final : public Application {
 public:
  explicit MacApplication(RunLoop& runLoop);
  ~MacApplication() override;
  MacApplication(const MacApplication&) = delete;
  MacApplication& operator=(const MacApplication&) = delete;

  void becomeAgent() override;
  void terminate() override;
  NotificationCenter& notificationCenter() override { return center_; }
  std::optional<PlatformImage> loadImage(const std::string& path) override;

 private:
  NotificationCenter center_;
  id<NSObject> token_;  // the default centre's observation
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

// Makes this application the active one, as the user's click on its status
// item or its "Choose…" button asks: `activate` from macOS 14 on (the
// cooperative activation that replaced activateIgnoringOtherApps:), the
// deprecated call before. Main thread only.
void activateApplication();

// An image the macOS backend loaded.
class MacImage final : public PlatformImageImpl {
 public:
  explicit MacImage(NSImage* image) : image_(image) {}
  Size size() const override;
  NSImage* image() const { return image_; }

 private:
  NSImage* image_;
};

}  // namespace lumetta::mac
