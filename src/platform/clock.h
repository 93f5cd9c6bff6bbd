// Time. Budgets, movement and scan times are points and durations on the
// monotonic uptime clock (time.h); wall-clock time only stamps logs and report
// headers.
#pragma once

#include <chrono>

#include "platform/time.h"

namespace lumetta {

using WallTime = std::chrono::system_clock::time_point;

class Clock {
 public:
  virtual ~Clock() = default;
  virtual Uptime uptime() = 0;  // monotonic; callable from any thread
  virtual WallTime now() = 0;
};

}  // namespace lumetta
