// One running application as the workspace reports it.
#pragma once

#include <optional>
#include <string>

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

}  // namespace lumetta
