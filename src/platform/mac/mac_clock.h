// Time on macOS: the system's uptime (monotonic) and the wall clock.
//
// Implements: uptime (NSProcessInfo's systemUptime) and the wall clock.
// Ignores: nothing of the seam.
#pragma once

#include "platform/clock.h"

namespace lumetta::mac {

class MacClock final : public Clock {
 public:
  Uptime uptime() override;
  WallTime now() override;
};

}  // namespace lumetta::mac
