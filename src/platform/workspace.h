// The workspace: which applications are running, and its notification centre.
#pragma once

#include <vector>

#include "platform/notification_center.h"
#include "platform/running_application.h"

namespace lumetta {

class Workspace {
 public:
  virtual ~Workspace() = default;
  // In the workspace's own order, which is not sorted.
  virtual std::vector<RunningApplication> runningApplications() = 0;
  virtual NotificationCenter& notificationCenter() = 0;
};

}  // namespace lumetta
