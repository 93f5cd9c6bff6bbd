// Time on macOS: the system's uptime (monotonic) and the wall clock.
#pragma once

#include "platform/clock.h"

namespace lumetta::mac {

class MacClock final : public Clock {
 public:
  Uptime uptime() override;
  WallTime now() override;
};

}  // namespace lumetta::mac
