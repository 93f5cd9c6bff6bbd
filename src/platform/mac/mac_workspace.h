// The workspace over NSWorkspace: running applications, and a notification
// centre into which the backend posts what the system's workspace reports.
//
// Implements: the running applications and the nine workspace notifications.
// Ignores: nothing of the seam.
#pragma once

#import <Foundation/Foundation.h>

#include "platform/workspace.h"

namespace lumetta::mac {

class MacWorkspace final : public Workspace {
 public:
  explicit MacWorkspace(RunLoop& runLoop);
  ~MacWorkspace() override;
  MacWorkspace(const MacWorkspace&) = delete;
  MacWorkspace& operator=(const MacWorkspace&) = delete;

  std::vector<RunningApplication> runningApplications() override;
  NotificationCenter& notificationCenter() override { return center_; }

 private:
  NotificationCenter center_;
  NSMutableArray<id<NSObject>>* tokens_;  // the system centre's observations
};

}  // namespace lumetta::mac
