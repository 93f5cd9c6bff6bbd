// The run loop of tests: time moves only when the test runs the loop, which
// then performs due timers and delayed work in order, deterministically; the
// jobs of serial queues wait until the test runs them.
//
// Implements: running until a deadline on the manual clock; serial queues as
// job lists that the test steps through.
// Ignores: queue labels and quality of service; jobs run on the calling thread.
#pragma once

#include <deque>

#include "platform/sim/scheduled_run_loop.h"

namespace lumetta::sim {

class ManualRunLoop final : public ScheduledRunLoop {
 public:
  explicit ManualRunLoop(ManualClock& clock) : ScheduledRunLoop(clock), manualClock_(clock) {}

  std::unique_ptr<SerialQueue> makeSerialQueue(std::string label,
                                               QualityOfService quality) override;
  // Performs everything due up to `deadline`, moving the clock to each due time.
  void runUntil(Uptime deadline) override;
  void runFor(Duration duration) { runUntil(clock_.uptime() + duration); }

  // With `runs` set, runUntil also runs the background jobs, each as soon as
  // nothing on the main queue is due before it: virtual time for whole
  // programs. Off by default, so that tests decide when jobs run.
  void setRunsJobs(bool runs) { runsJobs_ = runs; }

  // Background jobs, in submission order; jobs they submit run too.
  std::size_t pendingJobs();
  bool runNextJob();
  void runJobs();

 private:
  friend class ManualQueue;
  void submit(const void* queue, std::function<void()> job);
  void runJobsOf(const void* queue);

  ManualClock& manualClock_;
  bool runsJobs_ = false;
  std::mutex jobsMutex_;
  std::deque<std::pair<const void*, std::function<void()>>> jobs_;
};

}  // namespace lumetta::sim
