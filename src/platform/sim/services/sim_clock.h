// Time on the simulated desktop: real time for the command line, a manual
// clock for tests. A slow application's answer "takes" time through sleepFor,
// so on the manual clock a hung application costs no real waiting.
//
// Implements: uptime from the clock's making, wall-clock time counted from the
// desktop's start, and waiting out a latency.
// Ignores: the system sleeping and the wall clock being set.
#pragma once

#include <atomic>
#include <chrono>
#include <optional>

#include "platform/clock.h"

namespace lumetta::sim {

class SimClock : public Clock {
 public:
  virtual void sleepFor(Duration duration) = 0;
};

class RealClock final : public SimClock {
 public:
  // Wall-clock time at uptime 0; the real time now when none is given.
  explicit RealClock(std::optional<WallTime> wallStart);
  Uptime uptime() override;
  WallTime now() override;
  void sleepFor(Duration duration) override;

 private:
  std::chrono::steady_clock::time_point start_;
  WallTime wallStart_;
};

class ManualClock final : public SimClock {
 public:
  explicit ManualClock(std::optional<WallTime> wallStart);
  Uptime uptime() override { return uptime_.load(); }
  WallTime now() override;
  void sleepFor(Duration duration) override { advance(duration); }
  void advance(Duration duration);

 private:
  std::atomic<Uptime> uptime_{Uptime::origin()};
  WallTime wallStart_;
};

}  // namespace lumetta::sim
