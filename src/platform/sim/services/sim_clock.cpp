#include "platform/sim/services/sim_clock.h"

#include <thread>

namespace lumetta::sim {

namespace {

WallTime offset(WallTime start, Uptime uptime) {
  return start + std::chrono::duration_cast<WallTime::duration>(
                     std::chrono::duration<double>(uptime.sinceOrigin().inSeconds()));
}

}  // namespace

RealClock::RealClock(std::optional<WallTime> wallStart)
    : start_(std::chrono::steady_clock::now()),
      wallStart_(wallStart.value_or(std::chrono::system_clock::now())) {}

Uptime RealClock::uptime() {
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start_;
  return Uptime::origin() + Duration::seconds(elapsed.count());
}

WallTime RealClock::now() { return offset(wallStart_, uptime()); }

void RealClock::sleepFor(Duration duration) {
  if (duration.isPositive()) {
    std::this_thread::sleep_for(std::chrono::duration<double>(duration.inSeconds()));
  }
}

ManualClock::ManualClock(std::optional<WallTime> wallStart)
    : wallStart_(wallStart.value_or(WallTime{})) {}

WallTime ManualClock::now() { return offset(wallStart_, uptime()); }

void ManualClock::advance(Duration duration) {
  if (!duration.isPositive()) return;
  Uptime current = uptime_.load();
  while (!uptime_.compare_exchange_weak(current, current + duration)) {}
}

}  // namespace lumetta::sim
