// The run loop of tests: time moves only when the test runs the loop, which
// then performs due timers and delayed work in order, deterministically; the
// jobs of serial queues wait until the test runs them.
//
// Implements: running until a deadline on the manual clock; serial queues as
// job lists that the test steps through.
// Ignores: queue labels and quality of service; jobs run on the calling thread.
#pragma once

#include <atomic>
#include <deque>
#include <map>

#include "platform/sim/services/scheduled_run_loop.h"

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

  // What the main thread and the queues went through since the last reset.
  // Each main-queue action (posted or delayed work, a timer firing) stalls
  // the main thread for the real time it runs (the thread's processor time,
  // so a busy machine does not inflate it) plus the simulated time its
  // platform calls take (how far it moves the manual clock). The times are
  // taken from the first reset on: reading the thread's processor time is a
  // system call, twice per action, and a long run that asks for none (a
  // soak, a whole program) is spared it.
  struct Statistics {
    double longestStallMilliseconds = 0;     // real plus simulated, of one action
    double longestPlatformMilliseconds = 0;  // simulated, of one action
    double mainMilliseconds = 0;             // real, of every action together
    std::size_t mostQueuedJobs = 0;          // waiting on one serial queue at once
  };
  Statistics statistics();
  void resetStatistics();

 protected:
  // At the next due action, so that spinUntil looks at its condition after
  // each moment something ran, and at no moment in between.
  Uptime sliceEnd(Uptime now, Uptime deadline) override;

 private:
  friend class ManualQueue;
  void submit(const void* queue, std::function<void()> job);
  void runJobsOf(const void* queue);
  void perform(const std::function<void()>& action);
  void taken(const void* queue) LUMETTA_REQUIRES(jobsMutex_);

  ManualClock& manualClock_;
  bool runsJobs_ = false;
  std::atomic<bool> timesActions_{false};  // since the first resetStatistics
  Mutex jobsMutex_;
  std::deque<std::pair<const void*, std::function<void()>>> jobs_ LUMETTA_GUARDED_BY(jobsMutex_);
  // Jobs waiting, per queue.
  std::map<const void*, std::size_t> queued_ LUMETTA_GUARDED_BY(jobsMutex_);
  Statistics statistics_ LUMETTA_GUARDED_BY(jobsMutex_);
};

}  // namespace lumetta::sim
