// The workspace: which applications are running.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/accessibility.h"
#include "platform/clock.h"
#include "platform/value.h"

namespace lumetta {

struct RunningApplication {
  Pid pid = 0;
  std::optional<std::string> bundleIdentifier;
  std::optional<std::string> localizedName;
  std::optional<WallTime> launchDate;
  std::optional<Url> bundleURL;
  bool active = false;
};

class Workspace {
 public:
  virtual ~Workspace() = default;
  // In the workspace's own order, which is not sorted.
  virtual std::vector<RunningApplication> runningApplications() = 0;
};

}  // namespace lumetta
