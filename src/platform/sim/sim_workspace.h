// The workspace of the simulated desktop.
#pragma once

#include "platform/sim/sim_desktop.h"
#include "platform/workspace.h"

namespace lumetta::sim {

class SimWorkspace final : public Workspace {
 public:
  explicit SimWorkspace(const SimDesktop& desktop) : desktop_(desktop) {}
  std::vector<RunningApplication> runningApplications() override {
    return desktop_.runningApplications();
  }

 private:
  const SimDesktop& desktop_;
};

}  // namespace lumetta::sim
