// Time. Budgets, movement and scan times are seconds of monotonic uptime;
// wall-clock time only stamps logs and report headers.
#pragma once

#include <chrono>

namespace lumetta {

using WallTime = std::chrono::system_clock::time_point;

class Clock {
 public:
  virtual ~Clock() = default;
  virtual double uptime() = 0;  // seconds, monotonic
  virtual WallTime now() = 0;
};

}  // namespace lumetta
