// The workspace over NSWorkspace: running applications, a notification centre
// into which the backend posts what the system's workspace reports, opening
// URLs and revealing files in the Finder.
//
// Implements: the running applications, the nine workspace notifications,
// openURL: and activateFileViewerSelectingURLs:.
// Ignores: nothing of the seam.
#pragma once

#import <Foundation/Foundation.h>

#include "platform/contract_checks.h"
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
  bool openURL(std::string_view url) override;
  void activateFileViewerSelecting(const std::vector<std::string>& paths) override;

 private:
  NotificationCenter center_;
  NSMutableArray<id<NSObject>>* tokens_;  // the system centre's observations
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta::mac
