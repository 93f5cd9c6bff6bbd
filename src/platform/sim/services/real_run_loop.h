// The run loop of the command line and of the thread-sanitizer run: real
// time, and a thread per serial queue.
//
// Implements: running until a deadline in real time, sleeping until the next
// due item; serial queues that wait for their jobs when released (not when a
// job of their own releases them).
// Ignores: queue labels and quality of service; user events (there are none).
#pragma once

#include <condition_variable>

#include "platform/sim/services/scheduled_run_loop.h"

namespace lumetta::sim {

class RealRunLoop final : public ScheduledRunLoop {
 public:
  explicit RealRunLoop(SimClock& clock) : ScheduledRunLoop(clock) {}

  std::unique_ptr<SerialQueue> makeSerialQueue(std::string label,
                                               QualityOfService quality) override;
  void runUntil(Uptime deadline) override;

 private:
  void scheduled() override { wake_.notify_all(); }

  std::condition_variable_any wake_;  // waits with the schedule's lock
};

}  // namespace lumetta::sim
