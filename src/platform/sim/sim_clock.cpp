#include "platform/sim/sim_clock.h"

#include <thread>

namespace lumetta::sim {

namespace {

WallTime offset(WallTime start, double seconds) {
  return start + std::chrono::duration_cast<WallTime::duration>(std::chrono::duration<double>(seconds));
}

}  // namespace

RealClock::RealClock(std::optional<WallTime> wallStart)
    : start_(std::chrono::steady_clock::now()),
      wallStart_(wallStart.value_or(std::chrono::system_clock::now())) {}

double RealClock::uptime() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

WallTime RealClock::now() { return offset(wallStart_, uptime()); }

void RealClock::sleepFor(double seconds) {
  if (seconds > 0) std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

ManualClock::ManualClock(std::optional<WallTime> wallStart)
    : wallStart_(wallStart.value_or(WallTime{})) {}

WallTime ManualClock::now() { return offset(wallStart_, uptime()); }

void ManualClock::advance(double seconds) {
  if (seconds <= 0) return;
  double current = uptime_.load();
  while (!uptime_.compare_exchange_weak(current, current + seconds)) {
  }
}

}  // namespace lumetta::sim
