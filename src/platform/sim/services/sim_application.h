// Lumetta as an application on the simulated desktop.
//
// Implements: becoming an agent and terminating (flags the run and tests
// read), the application's own
// notification centre, into which the timeline posts
// applicationDidBecomeActive when it activates Lumetta's process, and loading
// PNG images (cairo_image.h).
// Ignores: the process itself: terminating ends nothing until the run that
// watches the flag stops.
#pragma once

#include "platform/application.h"
#include "platform/contract_checks.h"

namespace lumetta::sim {

class SimApplication final : public Application {
 public:
  SimApplication(RunLoop& runLoop, Pid pid) : center_(runLoop), pid_(pid) {}

  void becomeAgent() override {
    LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
    agent_ = true;
  }
  void terminate() override {
    LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
    terminated_ = true;
  }
  NotificationCenter& notificationCenter() override { return center_; }
  std::optional<PlatformImage> loadImage(const std::string& path) override;

  // Whether becomeAgent() was called.
  bool isAgent() const { return agent_; }
  // Whether terminate() was called.
  bool terminated() const { return terminated_; }
  // Lumetta's process id, which the timeline activates.
  Pid processId() const { return pid_; }
  // Lumetta became the active application.
  void becomeActive();

 private:
  NotificationCenter center_;
  const Pid pid_;
  bool agent_ = false;
  bool terminated_ = false;
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

}  // namespace lumetta::sim
