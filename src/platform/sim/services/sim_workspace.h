// The workspace of the simulated desktop.
//
// Implements: the running applications in the desktop's order, the
// workspace's notification centre, into which the timeline posts, and opening
// URLs and revealing files, both recorded for tests and the run's report.
// Ignores: what would open a URL or show a file: nothing is launched, and
// every URL that parses counts as opened.
#pragma once

#include <string>
#include <vector>

#include "platform/contract_checks.h"
#include "platform/sim/services/sim_desktop.h"
#include "platform/workspace.h"

namespace lumetta::sim {

class SimWorkspace final : public Workspace {
 public:
  SimWorkspace(const SimDesktop& desktop, RunLoop& runLoop) : desktop_(desktop), center_(runLoop) {}
  std::vector<RunningApplication> runningApplications() override {
    return desktop_.runningApplications();
  }
  NotificationCenter& notificationCenter() override { return center_; }
  bool openURL(std::string_view url) override;
  void activateFileViewerSelecting(const std::vector<std::string>& paths) override;

  // The URLs opened, in order.
  const std::vector<std::string>& openedURLs() const { return opened_; }
  // Each request's paths, in order.
  const std::vector<std::vector<std::string>>& revealedPaths() const { return revealed_; }

 private:
  const SimDesktop& desktop_;
  NotificationCenter center_;
  std::vector<std::string> opened_;
  std::vector<std::vector<std::string>> revealed_;
  LUMETTA_MAIN_THREAD_CHECKER(mainThreadChecker_);
};

// Whether `text` is an absolute URL: a scheme (a letter, then letters, digits,
// "+", "-" or "."), a colon, and only the characters a URL may hold, with
// every "%" starting an escape of two hexadecimal digits and square brackets
// only around an IP literal host ("http://[::1]:8080/").
bool isAbsoluteURL(std::string_view text);

}  // namespace lumetta::sim
