// The workspace of the simulated desktop.
//
// Implements: the running applications in the desktop's order and the
// workspace's notification centre, into which the timeline posts.
// Ignores: nothing of the seam.
#pragma once

#include "platform/sim/sim_desktop.h"
#include "platform/workspace.h"

namespace lumetta::sim {

class SimWorkspace final : public Workspace {
 public:
  SimWorkspace(const SimDesktop& desktop, RunLoop& runLoop) : desktop_(desktop), center_(runLoop) {}
  std::vector<RunningApplication> runningApplications() override {
    return desktop_.runningApplications();
  }
  NotificationCenter& notificationCenter() override { return center_; }

 private:
  const SimDesktop& desktop_;
  NotificationCenter center_;
};

}  // namespace lumetta::sim
